// Fuzzes the Word document reader: reads the file and walks every story, paragraph, run,
// section, header story, field and shape anchor the object model will read.
#include <cstddef>
#include <cstdint>

#include "formats/doc/document.h"

namespace {

using namespace tarnwick::doc;

volatile std::size_t sink;

void walk(const Document& d, const Story& s) {
    std::size_t n = d.textOf(s.cps).size();
    for (const Paragraph& p : s.paragraphs) {
        if (p.cps.end <= p.cps.start || p.firstRun + p.runCount > s.runs.size()) __builtin_trap();
        n += d.utf8(p.cps).size() + p.pap.istd + p.pap.jc;
        if (const Style* st = d.style(p.pap.istd)) n += st->name.size();
        Cp at = p.cps.start;
        for (std::size_t i = p.firstRun; i < p.firstRun + p.runCount; ++i) {
            const CharacterRun& r = s.runs[i];
            if (r.cps.start != at || r.cps.end <= r.cps.start) __builtin_trap();
            at = r.cps.end;
            for (std::uint16_t ftc : r.chp.rgftc)
                if (const Ffn* f = d.font(ftc)) n += f->name.size();
            n += r.chp.hps + r.chp.cv;
        }
        if (at != p.cps.end) __builtin_trap();
    }
    sink = n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto doc = readDocument(tarnwick::Bytes(data, size));
    if (!doc) {
        if (doc.error().message.empty()) __builtin_trap();
        return 0;
    }
    const Document& d = *doc;
    walk(d, d.main);
    for (const Story* s : {&d.footnotes, &d.annotations, &d.endnotes, &d.textboxes, &d.headerTextboxes}) walk(d, *s);
    for (const HeaderStory& h : d.separators) walk(d, h.story);
    for (std::size_t i = 0; i < d.sections.size(); ++i) {
        for (const HeaderStory& h : d.sections[i].headers) walk(d, h.story);
        for (int k = 0; k < 6; ++k) sink = d.inheritedHeader(i, static_cast<HeaderKind>(k)) != nullptr;
    }
    for (const auto& fields : d.fields)
        for (const Field& f : fields) sink = d.utf8(CpRange{f.begin, f.end + 1}).size();
    for (const ShapeAnchor& a : d.mainShapes) sink = d.textOf(CpRange{a.cp, a.cp + 1}).size();
    sink = d.dggInfo().size();
    return 0;
}
