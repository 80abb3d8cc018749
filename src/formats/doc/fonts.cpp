#include "formats/doc/fonts.h"

#include "base/utf.h"
#include "formats/doc/errors.h"
#include "formats/doc/plc.h"

namespace tarnwick::doc {
namespace {

// A null-terminated UTF-16 string starting at unit `from` of `units`; the end of the bytes ends
// it too.
std::string zString(Bytes chars, std::size_t from) {
    if (from >= chars.size() / 2) return {};
    const std::uint8_t* start = chars.data() + 2 * from;
    return utf16leToUtf8(start, utf16leBytesBeforeNul(start, chars.size() - 2 * from));
}

}  // namespace

Result<Ffn> parseFfn(Bytes bytes) {
    constexpr std::size_t kFixed = 39;  // ffid, wWeight, chs, ixchSzAlt, panose, fs
    if (bytes.size() < kFixed) return damaged("字体表中的字体信息不完整");
    ByteReader r(bytes);
    Ffn f;
    std::uint8_t ffid = 0;
    r.u8(ffid);
    r.i16(f.wWeight);
    r.u8(f.chs);
    r.u8(f.ixchSzAlt);
    for (auto& b : f.panose) r.u8(b);
    // [MS-DOC] 2.9.80 FFID: prq (2 bits), fTrueType, unused, ff (3 bits), unused.
    f.prq = ffid & 0x03;
    f.fTrueType = (ffid & 0x04) != 0;
    f.ff = static_cast<std::uint8_t>((ffid >> 4) & 0x07);
    const Bytes chars = bytes.subspan(kFixed);
    f.name = zString(chars, 0);
    if (f.ixchSzAlt != 0) f.altName = zString(chars, f.ixchSzAlt);
    return f;
}

Result<std::vector<Ffn>> parseSttbfFfn(Bytes bytes, std::size_t maxFonts) {
    auto sttb = parseSttb(bytes, maxFonts, "字体表");
    if (!sttb) return sttb.error();
    if (sttb->fExtend) return damaged("字体表的格式不正确");
    std::vector<Ffn> fonts;
    fonts.reserve(sttb->strings.size());
    for (Bytes s : sttb->strings) {
        auto f = parseFfn(s);
        if (!f) return f.error();
        fonts.push_back(std::move(*f));
    }
    return fonts;
}

}  // namespace tarnwick::doc
