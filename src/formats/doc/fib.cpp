#include "formats/doc/fib.h"

#include "formats/doc/errors.h"

namespace tarnwick::doc {

FibBase parseFibBase(ByteReader& r) {
    FibBase b;
    std::uint16_t flags = 0;
    std::uint8_t envr = 0, flags2 = 0;
    r.u16(b.wIdent);
    r.u16(b.nFib);
    r.u16(b.nProduct);
    r.u16(b.lid);
    r.u16(b.pnNext);
    r.u16(flags);
    r.u16(b.nFibBack);
    r.u32(b.lKey);
    r.u8(envr);
    r.u8(flags2);
    r.skip(12);  // reserved3..reserved6
    b.fDot = flags & 0x0001;
    b.fGlsy = flags & 0x0002;
    b.fComplex = flags & 0x0004;
    b.fHasPic = flags & 0x0008;
    b.cQuickSaves = static_cast<std::uint8_t>((flags >> 4) & 0x0F);
    b.fEncrypted = flags & 0x0100;
    b.fWhichTblStm = flags & 0x0200;
    b.fReadOnlyRecommended = flags & 0x0400;
    b.fWriteReservation = flags & 0x0800;
    b.fExtChar = flags & 0x1000;
    b.fLoadOverride = flags & 0x2000;
    b.fFarEast = flags & 0x4000;
    b.fObfuscated = flags & 0x8000;
    return b;
}

FibRgLw97 parseFibRgLw97(ByteReader& r) {
    FibRgLw97 lw;
    std::int32_t reserved = 0;
    r.i32(lw.cbMac);
    r.i32(reserved);
    r.i32(reserved);
    r.i32(lw.ccpText);
    r.i32(lw.ccpFtn);
    r.i32(lw.ccpHdd);
    r.i32(lw.ccpMcr);
    r.i32(lw.ccpAtn);
    r.i32(lw.ccpEdn);
    r.i32(lw.ccpTxbx);
    r.i32(lw.ccpHdrTxbx);
    return lw;
}

Result<Fib> parseFib(Bytes wordDocument) {
    constexpr std::size_t kBaseSize = 32;
    if (wordDocument.size() < kBaseSize + 2) return damaged("文件信息块不完整");
    Fib fib;
    ByteReader r(wordDocument);
    fib.base = parseFibBase(r);

    // FibRgW97: 14 words, lidFE last. A shorter array would leave lidFE out.
    if (!r.u16(fib.csw) || r.remaining() < std::size_t{fib.csw} * 2) return damaged("文件信息块不完整");
    const std::size_t rgW = r.position();
    if (fib.csw >= 14) readLE(wordDocument, rgW + 13 * 2, fib.lidFE);
    r.skip(std::size_t{fib.csw} * 2);

    if (!r.u16(fib.cslw) || r.remaining() < std::size_t{fib.cslw} * 4) return damaged("文件信息块不完整");
    if (fib.cslw < 11) return damaged("文件信息块中的文字长度不完整");
    {
        ByteReader lw(wordDocument.subspan(r.position(), std::size_t{fib.cslw} * 4));
        fib.rgLw = parseFibRgLw97(lw);
    }
    r.skip(std::size_t{fib.cslw} * 4);

    if (!r.u16(fib.cbRgFcLcb) || r.remaining() < std::size_t{fib.cbRgFcLcb} * 8) return damaged("文件信息块不完整");
    fib.rgFcLcb.resize(fib.cbRgFcLcb);
    for (FcLcb& p : fib.rgFcLcb) {
        r.u32(p.fc);
        r.u32(p.lcb);
    }
    // FibRgCswNew: its first word is nFibNew. Absent in Word 97 files (the block may simply end).
    if (r.u16(fib.cswNew) && fib.cswNew > 0) {
        if (!r.u16(fib.nFibNew)) return damaged("文件信息块不完整");
    } else {
        fib.cswNew = 0;
    }
    return fib;
}

}  // namespace tarnwick::doc
