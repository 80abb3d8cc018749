// Formatted disk pages: the 512-byte pages of the WordDocument stream that give the direct
// character (CHPX) and paragraph (PAPX) formatting of ranges of stream offsets (FCs), and the
// bin tables in the table stream that list those pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::doc {

inline constexpr std::size_t kFkpSize = 512;

// [MS-DOC] 2.8.5 PlcBteChpx / 2.8.6 PlcBtePapx: the page number (PnFkpChpx / PnFkpPapx, low 22
// bits) of the FKP for each FC range. The ranges themselves are not needed: each FKP holds its own.
struct PlcBte {
    std::vector<std::uint32_t> aPn;
};
Result<PlcBte> parsePlcBte(Bytes plc, std::size_t maxPages, const char* what);

// [MS-DOC] 2.9.33 ChpxFkp: crun runs; the Chpx grpprl of each (empty when rgb is 0).
struct ChpxFkp {
    std::vector<std::uint32_t> rgfc;  // crun + 1
    std::vector<Bytes> grpprl;        // crun
};
Result<ChpxFkp> parseChpxFkp(Bytes page);

// [MS-DOC] 2.9.175 PapxInFkp, its GrpPrlAndIstd unpacked.
struct PapxInFkp {
    std::uint16_t istd = 0;
    Bytes grpprl;
};
// [MS-DOC] 2.9.174 PapxFkp: cpara paragraphs with their PapxInFkp (BxPap.bOffset, the PHE is
// not read).
struct PapxFkp {
    std::vector<std::uint32_t> rgfc;  // cpara + 1
    std::vector<PapxInFkp> papx;      // cpara
};
Result<PapxFkp> parsePapxFkp(Bytes page);

// One run of direct formatting by stream offset: [fcStart, fcEnd) with its grpprl (and, for
// paragraphs, the style index).
struct FcRun {
    std::uint32_t fcStart = 0;
    std::uint32_t fcEnd = 0;
    std::uint16_t istd = 0;
    Bytes grpprl;
};

// Every run of every page the bin table lists, sorted by fcStart. Pages must lie inside the
// stream and be listed once.
Result<std::vector<FcRun>> readChpxRuns(Bytes wordDocument, const PlcBte& bte);
Result<std::vector<FcRun>> readPapxRuns(Bytes wordDocument, const PlcBte& bte);

// The run that contains fc, or nullptr (a gap: default formatting).
const FcRun* findRun(const std::vector<FcRun>& runs, std::uint32_t fc);

}  // namespace tarnwick::doc
