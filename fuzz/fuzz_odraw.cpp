// Fuzzes the drawing reader. An input that is a compound file is taken as a .doc: the drawing
// content at the FIB's fcDggInfo is sliced from its table stream (so the Word files of the test
// data are the seeds); any other input is read as drawing content itself. Every shape read then
// goes through the accessors, Shape.Type and the WordArt gallery matcher.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "formats/cfb/compound_file.h"
#include "formats/odraw/drawing.h"
#include "model/word/shape_kind.h"
#include "model/word/wordart_gallery.h"

namespace {

using namespace tarnwick;

// The DggInfo bytes of a .doc, or nothing when the file has none or cannot be sliced.
std::vector<std::uint8_t> dggInfoOf(const cfb::CompoundFile& cf) {
    auto word = cf.stream("WordDocument");
    if (!word) return {};
    const Bytes fib(*word);
    std::uint16_t flags = 0, csw = 0, cslw = 0, count = 0;
    if (!readLE(fib, 0x0A, flags) || !readLE(fib, 32, csw)) return {};
    const std::size_t lw = 34 + std::size_t{csw} * 2;
    if (!readLE(fib, lw, cslw)) return {};
    const std::size_t fcLcb = lw + 2 + std::size_t{cslw} * 4;
    std::uint32_t fc = 0, lcb = 0;
    if (!readLE(fib, fcLcb, count) || count <= 50 || !readLE(fib, fcLcb + 2 + 50 * 8, fc) ||
        !readLE(fib, fcLcb + 2 + 50 * 8 + 4, lcb))
        return {};
    auto table = cf.stream((flags & 0x0200) ? "1Table" : "0Table");
    if (!table || fc > table->size() || lcb > table->size() - fc) return {};
    return {table->begin() + fc, table->begin() + fc + lcb};
}

void use(const odraw::Shape& s) {
    volatile std::size_t sink = 0;
    sink = sink + s.geometryText().value_or("").size() + s.geometryTextFont().value_or("").size();
    sink = sink + s.fill().type + s.line().width + s.shadow().type + s.threeD().on + s.isVerticalText();
    sink = sink + s.posh().value_or(0) + static_cast<std::size_t>(s.rotation() & 1) + s.name().value_or("").size();
    const int type = word::msoShapeType(s);
    const int preset = word::presetTextEffect(s);
    if (preset != word::kTextEffectMixed && (preset < 0 || preset > 29 || type != word::kMsoTextEffect)) __builtin_trap();
}

void check(const odraw::Drawing& d) {
    for (std::size_t i = 0; i < d.shapes.size(); ++i) {
        const odraw::Shape& s = d.shapes[i];
        // A parent comes before its members and sits one level up.
        if (s.parent >= static_cast<int>(i)) __builtin_trap();
        if (s.parent >= 0 && d.shapes[static_cast<std::size_t>(s.parent)].depth + 1 != s.depth) __builtin_trap();
        const odraw::Shape* found = d.findShape(s.spid);
        if (!found || found->spid != s.spid) __builtin_trap();
        use(s);
    }
    if (d.background) use(*d.background);
    for (const odraw::Shape& s : d.deleted) use(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes input(data, size);
    std::vector<std::uint8_t> sliced;
    if (size >= sizeof cfb::kSignature && std::memcmp(data, cfb::kSignature, sizeof cfb::kSignature) == 0) {
        auto cf = cfb::CompoundFile::open(input);
        if (!cf) return 0;
        sliced = dggInfoOf(*cf);
        input = Bytes(sliced);
    }
    auto content = odraw::readWordDrawings(input);
    if (!content) {
        if (content.error().message.empty()) __builtin_trap();
        return 0;
    }
    for (const odraw::Drawing& d : content->drawings) {
        check(d);
        for (const odraw::Shape& s : d.shapes)
            if (const odraw::BlipEntry* b = content->blipOf(s); b && b != &content->group.blips[*s.pib() - 1]) __builtin_trap();
    }
    return 0;
}
