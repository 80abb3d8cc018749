#include "formats/doc/dop.h"

namespace tarnwick::doc {

Dop parseDop(Bytes bytes) {
    Dop d;
    std::uint16_t w0 = 0, w3 = 0, tab = 0;
    if (readLE(bytes, 0, w0)) d.fFacingPages = (w0 & 0x0001) != 0;
    if (readLE(bytes, 6, w3)) d.fMirrorMargins = (w3 & 0x0020) != 0;
    if (readLE(bytes, 10, tab)) d.dxaTab = tab;
    // Dop2000 follows the 500 bytes of Dop97: ilvlLastBulletMain, ilvlLastNumberMain,
    // istdClickParaType, a flags word, then a word of fOrganizeInFolder, fUseLongFileNames,
    // iPixelsPerInch (10 bits), fWebOptionsInit, fMaybeFEL and, in bit 14, fCharLineUnits.
    std::uint16_t flags2 = 0;
    if (readLE(bytes, 506, flags2)) d.fCharLineUnits = (flags2 & 0x4000) != 0;
    return d;
}

}  // namespace tarnwick::doc
