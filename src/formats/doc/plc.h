// PLCs (an array of n+1 CPs followed by n data elements of one size) and STTBs (string tables),
// the two generic containers of the table stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/fib.h"

namespace tarnwick::doc {

struct Plc {
    std::vector<Cp> cps;  // n + 1 positions (n may be 0: a PLC of one CP)
    Bytes data;           // n elements of cbData bytes each
    std::size_t cbData = 0;

    std::size_t count() const { return cps.empty() ? 0 : cps.size() - 1; }
    Bytes element(std::size_t i) const { return data.subspan(i * cbData, cbData); }
};

// [MS-DOC] 2.2.2 PLC: `what` names the structure in the damage sentence. The size must give a
// whole number of elements; the count is capped at maxCount. CPs are not checked for order here.
Result<Plc> parsePlc(Bytes plc, std::size_t cbData, std::size_t maxCount, const char* what);

// The bytes of a table-stream structure, or Damaged when the pair runs past the stream.
Result<Bytes> tableSlice(Bytes table, FcLcb where, const char* what);

// [MS-DOC] 2.2.4 STTB: the strings (data after each length prefix); their extra data is skipped.
struct Sttb {
    bool fExtend = false;  // 16-bit characters with 16-bit lengths
    std::vector<Bytes> strings;  // raw: 16-bit characters when fExtend, else the 8-bit data
};
Result<Sttb> parseSttb(Bytes sttb, std::size_t maxCount, const char* what);

}  // namespace tarnwick::doc
