#include "formats/doc/stsh.h"

#include <cstdint>

#include "base/utf.h"
#include "formats/doc/errors.h"

namespace tarnwick::doc {

Stshi parseStshi(ByteReader& r) {
    Stshi s;
    std::uint16_t flags = 0;
    r.u16(s.cstd);
    r.u16(s.cbSTDBaseInFile);
    r.u16(flags);
    r.u16(s.stiMaxWhenSaved);
    r.u16(s.istdMaxFixedWhenSaved);
    r.u16(s.nVerBuiltInNamesWhenSaved);
    r.u16(s.ftcAsci);
    r.u16(s.ftcFE);
    r.u16(s.ftcOther);
    r.u16(s.ftcBi);
    return s;
}

Result<Std> parseStd(Bytes bytes, std::uint16_t cbSTDBaseInFile) {
    Std s;
    s.empty = false;
    ByteReader r(bytes);
    // [MS-DOC] 2.9.260 StdfBase (10 bytes), possibly followed by StdfPost2000.
    std::uint16_t w0 = 0, w1 = 0, w2 = 0, bchUpe = 0, grfstd = 0;
    if (bytes.size() < cbSTDBaseInFile) return damaged("样式定义不完整");
    r.u16(w0);
    r.u16(w1);
    r.u16(w2);
    r.u16(bchUpe);
    r.u16(grfstd);
    s.sti = w0 & 0x0FFF;
    s.stk = static_cast<std::uint8_t>(w1 & 0x000F);
    s.istdBase = static_cast<std::uint16_t>(w1 >> 4);
    s.cupx = static_cast<std::uint8_t>(w2 & 0x000F);
    s.istdNext = static_cast<std::uint16_t>(w2 >> 4);
    s.fHidden = (grfstd & 0x0002) != 0;
    r.seek(cbSTDBaseInFile);

    // [MS-DOC] 2.9.354 Xstz: cch, cch UTF-16 characters, a null character.
    std::uint16_t cch = 0;
    Bytes name;
    if (!r.u16(cch) || !r.bytes(std::size_t{cch} * 2, name) || !r.skip(2)) return damaged("样式名称超出样式定义");
    s.name = utf16leToUtf8(name.data(), name.size());

    // GrLPUpxSw: cupx LPUpx, each cbUpx + bytes + padding to an even length. Which UPX is which
    // depends on stk.
    auto nextUpx = [&](Bytes& out) -> bool {
        if (r.position() % 2 != 0) r.skip(1);
        std::uint16_t cbUpx = 0;
        if (!r.u16(cbUpx) || !r.bytes(cbUpx, out)) return false;
        return true;
    };
    std::size_t papxAt = SIZE_MAX, chpxAt = SIZE_MAX;
    switch (s.stk) {
        case kStkParagraph: papxAt = 0, chpxAt = 1; break;
        case kStkCharacter: chpxAt = 0; break;
        case kStkTable: papxAt = 1, chpxAt = 2; break;
        case kStkList: papxAt = 0; break;
        default: break;
    }
    for (std::size_t i = 0; i < s.cupx; ++i) {
        Bytes upx;
        if (!nextUpx(upx)) return damaged("样式格式超出样式定义");
        if (i == papxAt) {
            if (upx.size() >= 2) s.papx = upx.subspan(2);  // after UpxPapx.istd
        } else if (i == chpxAt) {
            s.chpx = upx;
        }
    }
    return s;
}

Result<Stsh> parseStsh(Bytes bytes, std::size_t maxStyles) {
    ByteReader r(bytes);
    Stsh out;
    std::uint16_t cbStshi = 0;
    Bytes stshiBytes;
    if (!r.u16(cbStshi) || !r.bytes(cbStshi, stshiBytes)) return damaged("样式表头不完整");
    if (cbStshi < 18) return damaged("样式表头太短");
    {
        ByteReader sr(stshiBytes);
        out.stshi = parseStshi(sr);
    }
    if (out.stshi.cstd > maxStyles) return tooLarge();
    if (out.stshi.cbSTDBaseInFile < 10) return damaged("样式定义的基本长度不正确");
    out.styles.resize(out.stshi.cstd);
    for (Std& std : out.styles) {
        // [MS-DOC] 2.9.135 LPStd: cbStd, the STD, padding to an even offset.
        if (r.position() % 2 != 0) r.skip(1);
        std::int16_t cbStd = 0;
        Bytes body;
        if (!r.i16(cbStd) || cbStd < 0 || !r.bytes(static_cast<std::size_t>(cbStd), body)) return damaged("样式定义超出样式表");
        if (cbStd == 0) continue;
        auto parsed = parseStd(body, out.stshi.cbSTDBaseInFile);
        if (!parsed) return parsed.error();
        std = std::move(*parsed);
    }
    return out;
}

}  // namespace tarnwick::doc
