#include "formats/doc/plc.h"

#include <string>

#include "formats/doc/errors.h"

namespace tarnwick::doc {

Result<Plc> parsePlc(Bytes plc, std::size_t cbData, std::size_t maxCount, const char* what) {
    // lcb = 4 (n + 1) + cbData n
    if (plc.size() < 4 || (plc.size() - 4) % (4 + cbData) != 0) return damaged(std::string(what) + "的长度不正确");
    const std::size_t n = (plc.size() - 4) / (4 + cbData);
    if (n > maxCount) return tooLarge();
    Plc out;
    out.cbData = cbData;
    out.cps.resize(n + 1);
    ByteReader r(plc);
    for (Cp& cp : out.cps) r.u32(cp);
    r.bytes(n * cbData, out.data);
    return out;
}

Result<Bytes> tableSlice(Bytes table, FcLcb where, const char* what) {
    if (where.fc > table.size() || table.size() - where.fc < where.lcb)
        return damaged(std::string(what) + "超出表格流");
    return table.subspan(where.fc, where.lcb);
}

Result<Sttb> parseSttb(Bytes sttb, std::size_t maxCount, const char* what) {
    ByteReader r(sttb);
    Sttb out;
    std::uint16_t cData = 0, cbExtra = 0;
    if (!r.u16(cData)) return damaged(std::string(what) + "不完整");
    if (cData == 0xFFFF) {
        out.fExtend = true;
        if (!r.u16(cData)) return damaged(std::string(what) + "不完整");
    }
    if (!r.u16(cbExtra)) return damaged(std::string(what) + "不完整");
    if (cData > maxCount) return tooLarge();
    out.strings.reserve(cData);
    for (std::size_t i = 0; i < cData; ++i) {
        std::size_t bytes = 0;
        if (out.fExtend) {
            std::uint16_t cch = 0;
            if (!r.u16(cch)) return damaged(std::string(what) + "不完整");
            bytes = std::size_t{cch} * 2;
        } else {
            std::uint8_t cch = 0;
            if (!r.u8(cch)) return damaged(std::string(what) + "不完整");
            bytes = cch;
        }
        Bytes s, extra;
        if (!r.bytes(bytes, s) || !r.bytes(cbExtra, extra)) return damaged(std::string(what) + "不完整");
        out.strings.push_back(s);
    }
    return out;
}

}  // namespace tarnwick::doc
