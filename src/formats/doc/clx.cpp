#include "formats/doc/clx.h"

#include "formats/doc/errors.h"

namespace tarnwick::doc {

Pcd parsePcd(ByteReader& r) {
    Pcd p;
    std::uint16_t flags = 0, prm = 0;
    std::uint32_t fc = 0;
    r.u16(flags);
    r.u32(fc);
    r.u16(prm);
    p.fNoParaLast = (flags & 1) != 0;
    p.fc.fc = fc & 0x3FFFFFFF;
    p.fc.fCompressed = (fc & 0x40000000) != 0;
    p.prm.raw = prm;
    return p;
}

Result<Bytes> parsePrc(ByteReader& r) {
    std::uint8_t clxt = 0;
    std::int16_t cbGrpprl = 0;
    Bytes grpprl;
    if (!r.u8(clxt) || clxt != 0x01) return damaged("片段表中的属性块标记不正确");
    if (!r.i16(cbGrpprl) || cbGrpprl < 0) return damaged("片段表中的属性块长度不正确");
    if (!r.bytes(static_cast<std::size_t>(cbGrpprl), grpprl)) return damaged("片段表中的属性块超出范围");
    return grpprl;
}

Result<Clx> parseClx(Bytes clx, std::size_t maxPieces, std::size_t maxPrcs) {
    ByteReader r(clx);
    Clx out;
    // RgPrc: Prc entries (clxt 1) until the Pcdt (clxt 2).
    while (true) {
        std::uint8_t clxt = 0;
        if (!readLE(clx, r.position(), clxt)) return damaged("没有片段表");
        if (clxt == 0x02) break;
        if (out.rgPrc.size() >= maxPrcs) return tooLarge();
        auto grpprl = parsePrc(r);
        if (!grpprl) return grpprl.error();
        out.rgPrc.push_back(*grpprl);
    }
    // [MS-DOC] 2.9.178 Pcdt: clxt, lcb, PlcPcd.
    std::uint32_t lcb = 0;
    r.skip(1);
    if (!r.u32(lcb) || lcb > r.remaining()) return damaged("片段表超出范围");
    if (lcb < 4 || (lcb - 4) % 12 != 0) return damaged("片段表的长度不正确");
    const std::size_t n = (lcb - 4) / 12;
    if (n == 0) return damaged("片段表是空的");
    if (n > maxPieces) return tooLarge();
    out.cps.resize(n + 1);
    for (Cp& cp : out.cps) r.u32(cp);
    out.pcds.reserve(n);
    for (std::size_t i = 0; i < n; ++i) out.pcds.push_back(parsePcd(r));
    if (out.cps[0] != 0) return damaged("片段表不从第一个字符开始");
    for (std::size_t i = 0; i < n; ++i)
        if (out.cps[i + 1] <= out.cps[i]) return damaged("片段表的字符位置顺序不正确");
    return out;
}

char16_t compressedChar(std::uint8_t b) {
    static constexpr char16_t k82to9F[30] = {
        0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,  // 82..8B
        0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,  // 8C..95
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,  // 96..9F
    };
    if (b >= 0x82 && b <= 0x9F) return k82to9F[b - 0x82];
    return static_cast<char16_t>(b);
}

Result<std::u16string> readPieceText(Bytes wordDocument, const Clx& clx, std::size_t maxCps) {
    const Cp total = clx.cps.back();
    if (total > maxCps) return tooLarge();
    std::u16string text(total, u'\0');
    for (std::size_t i = 0; i < clx.pcds.size(); ++i) {
        const FcCompressed fc = clx.pcds[i].fc;
        const std::size_t count = clx.cps[i + 1] - clx.cps[i];
        const std::size_t at = fc.byteOffset();
        const std::size_t bytes = count * fc.bytesPerChar();
        if (at > wordDocument.size() || wordDocument.size() - at < bytes) return damaged("文字超出文档流");
        char16_t* out = text.data() + clx.cps[i];
        if (fc.fCompressed) {
            for (std::size_t k = 0; k < count; ++k) out[k] = compressedChar(wordDocument[at + k]);
        } else {
            for (std::size_t k = 0; k < count; ++k)
                out[k] = static_cast<char16_t>(wordDocument[at + 2 * k] | (wordDocument[at + 2 * k + 1] << 8));
        }
    }
    return text;
}

}  // namespace tarnwick::doc
