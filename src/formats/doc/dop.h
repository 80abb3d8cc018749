// Document properties (DOP): the few settings the object model reads.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"

namespace tarnwick::doc {

struct Dop {
    bool fFacingPages = false;    // different odd and even headers and footers
    bool fMirrorMargins = false;
    std::uint16_t dxaTab = 720;   // default tab interval, twips
    bool fCharLineUnits = false;  // character/line units may be in use (Dop2000)
};

// [MS-DOC] 2.7.1 Dop: DopBase (2.7.2) flags and dxaTab; Dop2000 (2.7.5) fCharLineUnits when the
// structure is long enough. A short DOP leaves the defaults.
Dop parseDop(Bytes dop);

}  // namespace tarnwick::doc
