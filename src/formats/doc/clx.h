// The piece table: where each range of CPs keeps its text in the WordDocument stream, whether
// that text is 8-bit or UTF-16, and the property modifiers (PRMs) a fast save attached to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/fib.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.214 Prm: a Prm0 (one sprm through the isprm table, operand val) or a Prm1 (index
// into Clx.RgPrc).
struct Prm {
    std::uint16_t raw = 0;
    bool fComplex() const { return (raw & 1) != 0; }
    std::uint8_t isprm() const { return static_cast<std::uint8_t>((raw >> 1) & 0x7F); }  // Prm0
    std::uint8_t val() const { return static_cast<std::uint8_t>(raw >> 8); }              // Prm0
    std::uint16_t igrpprl() const { return static_cast<std::uint16_t>(raw >> 1); }        // Prm1
    // A Prm0 of isprm 0 and val 0 has no effect.
    bool none() const { return raw == 0; }
};

// [MS-DOC] 2.9.73 FcCompressed
struct FcCompressed {
    std::uint32_t fc = 0;  // 30 bits
    bool fCompressed = false;
    // Byte offset of the first character in the WordDocument stream.
    std::uint32_t byteOffset() const { return fCompressed ? fc / 2 : fc; }
    std::uint32_t bytesPerChar() const { return fCompressed ? 1 : 2; }
};

// [MS-DOC] 2.9.177 Pcd
struct Pcd {
    bool fNoParaLast = false;
    FcCompressed fc;
    Prm prm;
};

// [MS-DOC] 2.9.38 Clx: the grpprls of the Prc entries (kept: a Prm1 points at them) and the
// PlcPcd.
struct Clx {
    std::vector<Bytes> rgPrc;  // PrcData.GrpPrl of each Prc, in order
    std::vector<Cp> cps;       // n + 1
    std::vector<Pcd> pcds;     // n
};

// [MS-DOC] 2.9.177 Pcd (8 bytes)
Pcd parsePcd(ByteReader& r);
// [MS-DOC] 2.9.209 Prc: clxt 0x01, then PrcData (cbGrpprl, GrpPrl). Returns the GrpPrl.
Result<Bytes> parsePrc(ByteReader& r);
// [MS-DOC] 2.9.38 Clx. maxPieces and maxPrcs cap the counts.
Result<Clx> parseClx(Bytes clx, std::size_t maxPieces, std::size_t maxPrcs);

// The character a byte of an 8-bit piece stands for ([MS-DOC] 2.9.73: 0x82..0x9F partly
// mapped, every other byte is the code unit of the same value).
char16_t compressedChar(std::uint8_t byte);

// The text of [0, clx.cps.back()) as UTF-16 code units, one per CP. Damaged when a piece's
// bytes lie outside the stream or the CPs are out of order; TooLarge over maxCps.
Result<std::u16string> readPieceText(Bytes wordDocument, const Clx& clx, std::size_t maxCps);

}  // namespace tarnwick::doc
