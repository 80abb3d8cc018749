#include "formats/doc/fields.h"

#include <algorithm>

#include "formats/doc/errors.h"
#include "formats/doc/plc.h"

namespace tarnwick::doc {

Fld parseFld(ByteReader& r) {
    Fld f;
    std::uint8_t ch = 0;
    r.u8(ch);
    r.u8(f.grffld);
    f.ch = ch & 0x1F;  // fldch: ch (5 bits) and reserved bits
    return f;
}

Result<std::vector<Fld>> parsePlcFld(Bytes bytes, std::size_t maxFields) {
    auto plc = parsePlc(bytes, 2, maxFields, "域表");
    if (!plc) return plc.error();
    std::vector<Fld> out;
    out.reserve(plc->count());
    for (std::size_t i = 0; i < plc->count(); ++i) {
        ByteReader r(plc->element(i));
        Fld f = parseFld(r);
        f.cp = plc->cps[i];
        out.push_back(f);
    }
    return out;
}

std::vector<Field> pairFields(const std::vector<Fld>& flds) {
    std::vector<Field> out;
    std::vector<std::size_t> open;  // indexes into out
    for (const Fld& f : flds) {
        if (f.ch == kFieldBegin) {
            Field field;
            field.begin = f.cp;
            field.flt = f.grffld;
            field.depth = static_cast<std::uint16_t>(std::min<std::size_t>(open.size(), 0xFFFF));
            open.push_back(out.size());
            out.push_back(field);
        } else if (f.ch == kFieldSeparator) {
            if (!open.empty() && !out[open.back()].separator) out[open.back()].separator = f.cp;
        } else if (f.ch == kFieldEnd) {
            if (open.empty()) continue;
            out[open.back()].end = f.cp;
            out[open.back()].grffldEnd = f.grffld;
            open.pop_back();
        }
    }
    // Fields never closed are not fields.
    std::vector<bool> unclosed(out.size(), false);
    for (std::size_t i : open) unclosed[i] = true;
    std::vector<Field> closed;
    closed.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        if (!unclosed[i]) closed.push_back(out[i]);
    out = std::move(closed);
    return out;
}

}  // namespace tarnwick::doc
