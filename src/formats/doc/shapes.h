// Anchors of floating shapes: PlcSpaMom (main document) and PlcSpaHdr (header document), each a
// CP plus an FSPA. The shapes themselves are OfficeArt records in the table stream (DggInfo).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/fib.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.253 Spa (26 bytes)
struct Fspa {
    std::int32_t spid = 0;
    std::int32_t xaLeft = 0, yaTop = 0, xaRight = 0, yaBottom = 0;  // Rca, twips
    bool fHdr = false;
    std::uint8_t bx = 0;   // 0 page margin, 1 page, 2 column
    std::uint8_t by = 0;   // 0 page margin, 1 page, 2 paragraph
    std::uint8_t wr = 0;   // wrapping: 0 around, 1 top and bottom, 2 square, 3 none, 4 tight, 5 through
    std::uint8_t wrk = 0;  // 0 both sides, 1 left, 2 right, 3 largest
    bool fRcaSimple = false;
    bool fBelowText = false;
    bool fAnchorLock = false;
    std::int32_t cTxbx = 0;
};

struct ShapeAnchor {
    Cp cp = 0;  // as stored: relative to the main or the header document
    Fspa spa;
};

// [MS-DOC] 2.9.253 Spa
Fspa parseFspa(ByteReader& r);
// [MS-DOC] 2.8.27 PlcfSpa
Result<std::vector<ShapeAnchor>> parsePlcfSpa(Bytes plc, std::size_t maxShapes);

}  // namespace tarnwick::doc
