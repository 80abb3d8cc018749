#include "formats/doc/sections.h"

#include "formats/doc/errors.h"
#include "formats/doc/plc.h"

namespace tarnwick::doc {

Sed parseSed(ByteReader& r) {
    Sed s;
    r.skip(2);  // fn
    r.u32(s.fcSepx);
    r.skip(6);  // fnMpr, fcMpr
    return s;
}

Result<PlcfSed> parsePlcfSed(Bytes bytes, std::size_t maxSections) {
    auto plc = parsePlc(bytes, 12, maxSections, "分节表");
    if (!plc) return plc.error();
    if (plc->count() == 0) return damaged("分节表是空的");
    PlcfSed out;
    out.cps = plc->cps;
    for (std::size_t i = 0; i < plc->count(); ++i) {
        ByteReader r(plc->element(i));
        out.seds.push_back(parseSed(r));
    }
    for (std::size_t i = 0; i + 1 < out.cps.size(); ++i)
        if (out.cps[i + 1] <= out.cps[i]) return damaged("分节表的字符位置顺序不正确");
    return out;
}

Result<Bytes> parseSepx(Bytes wordDocument, std::uint32_t fcSepx) {
    ByteReader r(wordDocument);
    std::int16_t cb = 0;
    Bytes grpprl;
    if (!r.seek(fcSepx) || !r.i16(cb) || cb < 0 || !r.bytes(static_cast<std::size_t>(cb), grpprl))
        return damaged("分节格式超出文档流");
    return grpprl;
}

Result<std::vector<Cp>> parsePlcfHdd(Bytes bytes, std::size_t maxStories) {
    auto plc = parsePlc(bytes, 0, maxStories + 1, "页眉页脚表");
    if (!plc) return plc.error();
    std::vector<Cp> cps = plc->cps;
    if (cps.size() < 2) return damaged("页眉页脚表太短");
    cps.pop_back();  // the last CP is undefined
    for (std::size_t i = 0; i + 1 < cps.size(); ++i)
        if (cps[i + 1] < cps[i]) return damaged("页眉页脚表的字符位置顺序不正确");
    return cps;
}

}  // namespace tarnwick::doc
