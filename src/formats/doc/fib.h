// The File Information Block at the start of the WordDocument stream: version, flags, story
// lengths and the (offset, length) pairs of every structure in the table stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::doc {

using Cp = std::uint32_t;

// A half-open range of character positions.
struct CpRange {
    Cp start = 0;
    Cp end = 0;
    bool empty() const { return end <= start; }
    Cp size() const { return end > start ? end - start : 0; }
    bool contains(Cp cp) const { return cp >= start && cp < end; }
    bool operator==(const CpRange&) const = default;
};

struct FibBase {
    std::uint16_t wIdent = 0;
    std::uint16_t nFib = 0;
    std::uint16_t nProduct = 0;  // the "unused" word at offset 4: who saved the file (see docs)
    std::uint16_t lid = 0;
    std::uint16_t pnNext = 0;
    bool fDot = false;
    bool fGlsy = false;
    bool fComplex = false;  // last save was a fast (incremental) save
    bool fHasPic = false;
    std::uint8_t cQuickSaves = 0;
    bool fEncrypted = false;
    bool fWhichTblStm = false;  // 1Table when set, else 0Table
    bool fReadOnlyRecommended = false;
    bool fWriteReservation = false;
    bool fExtChar = false;
    bool fLoadOverride = false;
    bool fFarEast = false;
    bool fObfuscated = false;
    std::uint16_t nFibBack = 0;
    std::uint32_t lKey = 0;
};

struct FibRgLw97 {
    std::int32_t cbMac = 0;
    std::int32_t ccpText = 0;
    std::int32_t ccpFtn = 0;
    std::int32_t ccpHdd = 0;
    std::int32_t ccpMcr = 0;  // reserved3: macro story, always 0 in Word 97 and later
    std::int32_t ccpAtn = 0;
    std::int32_t ccpEdn = 0;
    std::int32_t ccpTxbx = 0;
    std::int32_t ccpHdrTxbx = 0;
};

struct FcLcb {
    std::uint32_t fc = 0;
    std::uint32_t lcb = 0;
    bool present() const { return lcb != 0; }
};

// Positions in FibRgFcLcb97 (and its later extensions) of the pairs this reader uses.
enum class FcLcbIndex : std::size_t {
    Stshf = 1,
    PlcffndTxt = 3,
    PlcfSed = 6,
    PlcfHdd = 11,
    PlcfBteChpx = 12,
    PlcfBtePapx = 13,
    SttbfFfn = 15,
    PlcfFldMom = 16,
    PlcfFldHdr = 17,
    PlcfFldFtn = 18,
    PlcfFldAtn = 19,
    Dop = 31,
    Clx = 33,
    PlcSpaMom = 40,
    PlcSpaHdr = 41,
    PlcfFldEdn = 48,
    DggInfo = 50,
    PlcfFldTxbx = 57,
    PlcfFldHdrTxbx = 59,
};

struct Fib {
    FibBase base;
    std::uint16_t csw = 0;
    std::uint16_t lidFE = 0;  // FibRgW97.lidFE
    std::uint16_t cslw = 0;
    FibRgLw97 rgLw;
    std::uint16_t cbRgFcLcb = 0;
    std::vector<FcLcb> rgFcLcb;  // as many pairs as the file has (93 for Word 97, more later)
    std::uint16_t cswNew = 0;
    std::uint16_t nFibNew = 0;  // FibRgCswNew.nFibNew when cswNew > 0

    // The version that counts: nFibNew when present, else FibBase.nFib.
    std::uint16_t nFib() const { return cswNew > 0 ? nFibNew : base.nFib; }
    // The pair at that index, or an absent pair when the file's FIB is shorter.
    FcLcb fcLcb(FcLcbIndex index) const {
        const auto i = static_cast<std::size_t>(index);
        return i < rgFcLcb.size() ? rgFcLcb[i] : FcLcb{};
    }
};

inline constexpr std::uint16_t kWordIdent = 0xA5EC;

// [MS-DOC] 2.5.2 FibBase (32 bytes).
FibBase parseFibBase(ByteReader& r);
// [MS-DOC] 2.5.4 FibRgLw97 (88 bytes).
FibRgLw97 parseFibRgLw97(ByteReader& r);
// [MS-DOC] 2.5.1 Fib: the whole variable-length block. Damaged when a count runs past the stream.
Result<Fib> parseFib(Bytes wordDocument);

}  // namespace tarnwick::doc
