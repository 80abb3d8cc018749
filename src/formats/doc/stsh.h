// The style sheet: STSHI (defaults) and one STD per style index with its formatting (UPX).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::doc {

inline constexpr std::uint16_t kIstdNil = 0x0FFF;

// [MS-DOC] 2.9.272 STSHI (its Stshif and ftcBi).
struct Stshi {
    std::uint16_t cstd = 0;
    std::uint16_t cbSTDBaseInFile = 0;
    std::uint16_t stiMaxWhenSaved = 0;
    std::uint16_t istdMaxFixedWhenSaved = 0;
    std::uint16_t nVerBuiltInNamesWhenSaved = 0;
    std::uint16_t ftcAsci = 0;  // rgftcStandardChpStsh: default fonts
    std::uint16_t ftcFE = 0;
    std::uint16_t ftcOther = 0;
    std::uint16_t ftcBi = 0;
};

// Style kinds (StdfBase.stk).
inline constexpr std::uint8_t kStkParagraph = 1;
inline constexpr std::uint8_t kStkCharacter = 2;
inline constexpr std::uint8_t kStkTable = 3;
inline constexpr std::uint8_t kStkList = 4;

// [MS-DOC] 2.9.258 STD: StdfBase, the name, and the paragraph and character UPX grpprls.
struct Std {
    bool empty = true;  // cbStd 0: no style at this index
    std::uint16_t sti = 0;
    std::uint8_t stk = 0;
    std::uint16_t istdBase = kIstdNil;
    std::uint16_t istdNext = 0;
    std::uint8_t cupx = 0;
    bool fHidden = false;
    std::string name;  // UTF-8
    Bytes papx;                  // UpxPapx.grpprlPapx
    Bytes chpx;                  // UpxChpx.grpprlChpx (paragraph, table and character styles)
};

struct Stsh {
    Stshi stshi;
    std::vector<Std> styles;  // index = istd
};

// [MS-DOC] 2.9.272 STSHI
Stshi parseStshi(ByteReader& r);
// [MS-DOC] 2.9.258 STD, cbStd bytes, with StdfBase cbSTDBaseInFile bytes long.
Result<Std> parseStd(Bytes std, std::uint16_t cbSTDBaseInFile);
// [MS-DOC] 2.9.271 STSH: LPStshi, then cstd LPStd on even offsets. maxStyles caps cstd.
Result<Stsh> parseStsh(Bytes stsh, std::size_t maxStyles);

}  // namespace tarnwick::doc
