// Fields: the field characters of a story (PlcFld) and the fields they make up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/fib.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.88 Fld at a field character: ch 0x13 begin (grffld = flt, the field type),
// 0x14 separator, 0x15 end (grffld = grffldEnd flags).
struct Fld {
    Cp cp = 0;  // where the character is (as stored: relative to the story's document part)
    std::uint8_t ch = 0;
    std::uint8_t grffld = 0;
};

inline constexpr std::uint8_t kFieldBegin = 0x13;
inline constexpr std::uint8_t kFieldSeparator = 0x14;
inline constexpr std::uint8_t kFieldEnd = 0x15;
inline constexpr std::uint8_t kFltPage = 0x21;

// [MS-DOC] 2.9.88 Fld (2 bytes)
Fld parseFld(ByteReader& r);
// [MS-DOC] 2.8.25 PlcFld: CPs and 2-byte Flds.
Result<std::vector<Fld>> parsePlcFld(Bytes plc, std::size_t maxFields);

// A field from its begin to its end character (nested fields are listed too, outer first).
struct Field {
    Cp begin = 0;
    std::optional<Cp> separator;  // none: no result part
    Cp end = 0;
    std::uint8_t flt = 0;  // field type of the begin character (0x21 PAGE)
    std::uint8_t grffldEnd = 0;
    std::uint16_t depth = 0;  // 0 for a field not inside another
};

// Pairs begin, separator and end characters; characters that do not pair (a damaged PLC) are
// dropped.
std::vector<Field> pairFields(const std::vector<Fld>& flds);

}  // namespace tarnwick::doc
