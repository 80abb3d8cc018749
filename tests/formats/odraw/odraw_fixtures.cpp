#include "formats/odraw/odraw_fixtures.h"

#include <stdexcept>

#include "formats/cfb/compound_file.h"
#include "support/test_support.h"

namespace tarnwick::test {
namespace {

cfb::CompoundFile openCompound(const std::string& bytes, const std::filesystem::path& file) {
    auto cf = cfb::CompoundFile::open(Bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!cf) throw std::runtime_error(file.string() + ": " + cf.error().message);
    return std::move(*cf);
}

Buf readStream(const cfb::CompoundFile& cf, const std::string& name, const std::filesystem::path& file) {
    auto s = cf.stream(name);
    if (!s) throw std::runtime_error(file.string() + ": " + s.error().message);
    return std::move(*s);
}

// Offsets of every header with that type and recVer 0xF, instance 0.
std::vector<std::size_t> containerHeaders(const Buf& s, std::uint16_t type) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i + 8 <= s.size(); ++i)
        if (s[i] == 0x0F && s[i + 1] == 0x00 && s[i + 2] == (type & 0xFF) && s[i + 3] == (type >> 8)) at.push_back(i);
    return at;
}

}  // namespace

Buf dggInfoOf(const std::filesystem::path& doc) {
    const std::string bytes = readBytes(doc);
    cfb::CompoundFile cf = openCompound(bytes, doc);
    const Buf word = readStream(cf, "WordDocument", doc);
    const Bytes fib(word);
    std::uint16_t flags = 0, csw = 0, cslw = 0, cbRgFcLcb = 0;
    if (!readLE(fib, 0x0A, flags) || !readLE(fib, 32, csw)) throw std::runtime_error(doc.string() + ": FIB too short");
    const std::size_t lwAt = 34 + std::size_t{csw} * 2;
    if (!readLE(fib, lwAt, cslw)) throw std::runtime_error(doc.string() + ": FIB too short");
    const std::size_t fcLcbCountAt = lwAt + 2 + std::size_t{cslw} * 4;
    if (!readLE(fib, fcLcbCountAt, cbRgFcLcb)) throw std::runtime_error(doc.string() + ": FIB too short");
    constexpr std::size_t kDggInfoPair = 50;  // fcDggInfo / lcbDggInfo in FibRgFcLcb97
    if (cbRgFcLcb <= kDggInfoPair) throw std::runtime_error(doc.string() + ": FIB has no fcDggInfo");
    std::uint32_t fc = 0, lcb = 0;
    const std::size_t pairAt = fcLcbCountAt + 2 + kDggInfoPair * 8;
    if (!readLE(fib, pairAt, fc) || !readLE(fib, pairAt + 4, lcb)) throw std::runtime_error(doc.string() + ": FIB too short");
    if (lcb == 0) return {};
    const Buf table = readStream(cf, (flags & 0x0200) ? "1Table" : "0Table", doc);
    if (fc > table.size() || lcb > table.size() - fc) throw std::runtime_error(doc.string() + ": DggInfo past the table stream");
    return Buf(table.begin() + fc, table.begin() + fc + lcb);
}

Buf streamOf(const std::filesystem::path& file, const std::string& name) {
    const std::string bytes = readBytes(file);
    cfb::CompoundFile cf = openCompound(bytes, file);
    return readStream(cf, name, file);
}

std::vector<odraw::Drawing> drawingsIn(const Buf& stream) {
    std::vector<odraw::Drawing> out;
    for (std::size_t at : containerHeaders(stream, odraw::rt::DgContainer)) {
        auto d = odraw::readDrawingContainer(Bytes(stream).subspan(at));
        if (d) out.push_back(std::move(*d));
    }
    return out;
}

std::vector<odraw::Shape> shapesIn(const Buf& stream) {
    std::vector<odraw::Shape> out;
    for (std::size_t at : containerHeaders(stream, odraw::rt::SpContainer)) {
        auto s = odraw::readShapeContainer(Bytes(stream).subspan(at));
        if (s) out.push_back(std::move(*s));
    }
    return out;
}

void add16(Buf& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void add32(Buf& b, std::uint32_t v) {
    add16(b, static_cast<std::uint16_t>(v));
    add16(b, static_cast<std::uint16_t>(v >> 16));
}

Buf record(std::uint8_t ver, std::uint16_t instance, std::uint16_t type, const Buf& body) {
    Buf b;
    add16(b, static_cast<std::uint16_t>((ver & 0x0F) | (instance << 4)));
    add16(b, type);
    add32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Buf cat(std::initializer_list<Buf> parts) {
    Buf b;
    for (const Buf& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

Buf container(std::uint16_t type, std::initializer_list<Buf> children, std::uint16_t instance) {
    return record(0x0F, instance, type, cat(children));
}

Buf opt(std::initializer_list<Prop> props, std::uint16_t type) {
    Buf entries, data;
    for (const Prop& p : props) {
        const bool complex = !p.data.empty() || p.forceValue;
        add16(entries, static_cast<std::uint16_t>(p.id | (complex ? 0x8000 : 0)));
        add32(entries, complex && !p.forceValue ? static_cast<std::uint32_t>(p.data.size()) : p.value);
        data.insert(data.end(), p.data.begin(), p.data.end());
    }
    return record(3, static_cast<std::uint16_t>(props.size()), type, cat({entries, data}));
}

Buf fsp(std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags) {
    Buf body;
    add32(body, spid);
    add32(body, flags);
    return record(2, shapeType, odraw::rt::FSP, body);
}

Buf utf16z(const std::u16string& text) {
    Buf b;
    for (char16_t c : text) add16(b, static_cast<std::uint16_t>(c));
    add16(b, 0);
    return b;
}

Buf spContainer(std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags, std::initializer_list<Buf> more) {
    Buf body = fsp(shapeType, spid, flags);
    for (const Buf& m : more) body.insert(body.end(), m.begin(), m.end());
    return record(0x0F, 0, odraw::rt::SpContainer, body);
}

Buf dggContainer(std::initializer_list<Buf> more) {
    Buf fdgg;
    add32(fdgg, 2050);  // spidMax
    add32(fdgg, 2);     // cidcl: one cluster follows
    add32(fdgg, 2);
    add32(fdgg, 1);
    add32(fdgg, 1);     // cluster: drawing 1
    add32(fdgg, 3);     //          3 shape ids used
    Buf body = record(0, 0, odraw::rt::FDGGBlock, fdgg);
    for (const Buf& m : more) body.insert(body.end(), m.begin(), m.end());
    return record(0x0F, 0, odraw::rt::DggContainer, body);
}

Buf dgContainer(std::initializer_list<Buf> members, std::initializer_list<Buf> after) {
    Buf fdg;
    add32(fdg, static_cast<std::uint32_t>(members.size() + 1));
    add32(fdg, 1024 + static_cast<std::uint32_t>(members.size()));
    Buf group = cat({record(1, 0, odraw::rt::FSPGR, Buf(16, 0)), fsp(0, 1024, 0x005)});
    Buf patriarch = record(0x0F, 0, odraw::rt::SpContainer, group);
    Buf spgr = patriarch;
    for (const Buf& m : members) spgr.insert(spgr.end(), m.begin(), m.end());
    Buf body = cat({record(0, 1, odraw::rt::FDG, fdg), record(0x0F, 0, odraw::rt::SpgrContainer, spgr)});
    for (const Buf& a : after) body.insert(body.end(), a.begin(), a.end());
    return record(0x0F, 0, odraw::rt::DgContainer, body);
}

}  // namespace tarnwick::test
