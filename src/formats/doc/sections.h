// Sections (PlcfSed, Sed, Sepx) and the story boundaries of the header document (Plcfhdd).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/fib.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.243 Sed (12 bytes): only fcSepx is defined.
struct Sed {
    std::uint32_t fcSepx = 0xFFFFFFFF;  // 0xFFFFFFFF: no Sepx, default properties
};

struct PlcfSed {
    std::vector<Cp> cps;  // n + 1: section i is [cps[i], cps[i+1])
    std::vector<Sed> seds;
};

// [MS-DOC] 2.9.243 Sed
Sed parseSed(ByteReader& r);
// [MS-DOC] 2.8.26 PlcfSed
Result<PlcfSed> parsePlcfSed(Bytes plc, std::size_t maxSections);
// [MS-DOC] Sepx (after 2.9.243 Sed) at fcSepx in the WordDocument stream: cb, then cb bytes of grpprl.
Result<Bytes> parseSepx(Bytes wordDocument, std::uint32_t fcSepx);
// [MS-DOC] 2.8.22 Plcfhdd: the CPs (in the header document) where each story begins; the
// second-to-last ends the last story, the last is ignored. Returns the story starts plus that
// end: stories are [cps[i], cps[i+1]).
Result<std::vector<Cp>> parsePlcfHdd(Bytes plc, std::size_t maxStories);

}  // namespace tarnwick::doc
