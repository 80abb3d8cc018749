// The font table: the FFN of each font index (ftc) the character properties use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.82 FFN
struct Ffn {
    std::uint8_t prq = 0;  // pitch
    bool fTrueType = false;
    std::uint8_t ff = 0;  // family
    std::int16_t wWeight = 400;
    std::uint8_t chs = 0;  // character set
    std::uint8_t ixchSzAlt = 0;
    std::array<std::uint8_t, 10> panose{};
    std::string name;     // xszFfn, UTF-8
    std::string altName;  // xszAlt when ixchSzAlt is not 0
};

// [MS-DOC] 2.9.82 FFN, from its STTB string (everything after the length byte).
Result<Ffn> parseFfn(Bytes ffn);
// [MS-DOC] 2.9.286 SttbfFfn
Result<std::vector<Ffn>> parseSttbfFfn(Bytes sttbf, std::size_t maxFonts);

}  // namespace tarnwick::doc
