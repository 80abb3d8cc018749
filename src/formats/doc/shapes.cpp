#include "formats/doc/shapes.h"

#include "formats/doc/plc.h"

namespace tarnwick::doc {

Fspa parseFspa(ByteReader& r) {
    Fspa s;
    std::uint16_t flags = 0;
    r.i32(s.spid);
    r.i32(s.xaLeft);
    r.i32(s.yaTop);
    r.i32(s.xaRight);
    r.i32(s.yaBottom);
    r.u16(flags);
    r.i32(s.cTxbx);
    s.fHdr = (flags & 0x0001) != 0;
    s.bx = static_cast<std::uint8_t>((flags >> 1) & 0x03);
    s.by = static_cast<std::uint8_t>((flags >> 3) & 0x03);
    s.wr = static_cast<std::uint8_t>((flags >> 5) & 0x0F);
    s.wrk = static_cast<std::uint8_t>((flags >> 9) & 0x0F);
    s.fRcaSimple = (flags & 0x2000) != 0;
    s.fBelowText = (flags & 0x4000) != 0;
    s.fAnchorLock = (flags & 0x8000) != 0;
    return s;
}

Result<std::vector<ShapeAnchor>> parsePlcfSpa(Bytes bytes, std::size_t maxShapes) {
    auto plc = parsePlc(bytes, 26, maxShapes, "图形位置表");
    if (!plc) return plc.error();
    std::vector<ShapeAnchor> out;
    out.reserve(plc->count());
    for (std::size_t i = 0; i < plc->count(); ++i) {
        ByteReader r(plc->element(i));
        out.push_back(ShapeAnchor{plc->cps[i], parseFspa(r)});
    }
    return out;
}

}  // namespace tarnwick::doc
