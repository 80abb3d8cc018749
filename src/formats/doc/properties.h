// Resolved paragraph (PAP), character (CHP) and section (SEP) properties: the values the object
// model reads, with the defaults [MS-DOC] 2.6 gives when no sprm sets them, and the functions
// that apply Prls to them.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_reader.h"
#include "formats/doc/sprm.h"

namespace tarnwick::doc {

// [MS-DOC] 2.9.146 LSPD: fMultLinespace 1: dyaLine/240 lines; 0: at least dyaLine twips
// (dyaLine >= 0) or exactly -dyaLine twips (dyaLine < 0).
struct Lspd {
    std::int16_t dyaLine = 240;
    std::int16_t fMultLinespace = 1;
    bool operator==(const Lspd&) const = default;
};

struct Pap {
    std::uint16_t istd = 0;
    std::uint8_t jc = 0;  // 0 left, 1 centre, 2 right, 3 justify, 4 distribute, ...
    Lspd lspd;
    std::int16_t dxaLeft = 0;   // twips
    std::int16_t dxaLeft1 = 0;  // first line, relative to dxaLeft
    std::int16_t dxaRight = 0;
    std::uint16_t dyaBefore = 0;
    std::uint16_t dyaAfter = 0;
    // Character and line units (1/100 character, 1/100 line); `has...` is false when no sprm
    // stored the value (Word then reports 0 even if a twips value is stored).
    std::int16_t dxcLeft = 0, dxcLeft1 = 0, dxcRight = 0;
    std::int16_t dylBefore = 0, dylAfter = 0;
    bool hasDxcLeft = false, hasDxcLeft1 = false, hasDxcRight = false;
    bool hasDylBefore = false, hasDylAfter = false;
    // Tables.
    bool fInTable = false;
    bool fTtp = false;  // table row end
    std::int32_t itap = 0;
    // Frames (absolutely positioned paragraphs). framed: a frame sprm (sprmPDxaAbs, sprmPDyaAbs,
    // sprmPDxaWidth, sprmPWHeightAbs, sprmPPc, sprmPWr) was applied somewhere in the chain.
    bool framed = false;
    std::int16_t dxaAbs = 0;  // XAS_plusOne: 0 left, -4 centre, -8 right, -12 inside, -16 outside, else position + 1
    std::int16_t dyaAbs = 0;  // YAS_plusOne: 0 inline, -4 top, -8 centre, -12 bottom, -16 inside, -20 outside
    std::uint16_t dxaWidth = 0;
    std::uint16_t wHeightAbs = 0;
    std::uint8_t pcVert = 2;  // 0 margin, 1 page, 2 paragraph
    std::uint8_t pcHorz = 0;  // 0 column, 1 margin, 2 page
    std::uint8_t wr = 0;
    // Outline and lists.
    std::uint8_t lvl = 9;  // outline level: 0..8, 9 body text
    std::uint8_t ilvl = 0;
    std::int16_t ilfo = 0;
};

// Colours: COLORREF bytes red, green, blue, fAuto as stored (red in the low byte).
struct Chp {
    std::uint16_t istd = 10;  // character style; 10 is "Default Paragraph Font"
    std::array<std::uint16_t, 3> rgftc{0, 0, 0};  // ascii, East Asian, other (high ANSI)
    std::uint16_t ftcBi = 0;
    std::uint16_t hps = 20;  // half-points
    std::uint16_t hpsBi = 20;
    std::uint8_t ico = 0;  // 0 auto
    std::uint32_t cv = 0;
    bool hasCv = false;    // sprmCCv was applied: cv wins over ico
    bool fBold = false, fItalic = false, fStrike = false, fOutline = false, fShadow = false;
    bool fSmallCaps = false, fCaps = false, fVanish = false;
    bool fBoldBi = false, fItalicBi = false;
    std::uint8_t kul = 0;  // underline kind
    std::uint8_t iss = 0;  // 0 normal, 1 superscript, 2 subscript
    std::uint16_t lid = 0x0400;    // sprmCRgLid0(_80): ascii/other
    std::uint16_t lidFE = 0x0400;  // sprmCRgLid1(_80): East Asian
    std::uint16_t lidBi = 0x0400;
    std::uint8_t idctHint = 0;
    bool fSpec = false;  // special character (picture, field, shape anchor, ...)
    bool fObj = false, fOle2 = false, fData = false;
    std::uint32_t picLocation = 0;  // offset in the Data stream (sprmCPicLocation)
    bool hasPicLocation = false;
    bool fRMarkDel = false, fRMarkIns = false, fFldVanish = false;
};

// The toggle properties (bold, italic, strike, outline, shadow, small caps, caps, hidden,
// complex-script bold and italic): a character style toggles them against the paragraph style.
bool isToggleSprm(std::uint16_t sprm);
// XORs every toggle property of `toggles` into `chp`.
void xorToggles(Chp& chp, const Chp& toggles);

struct Sep {
    std::uint8_t bkc = 2;  // 0 continuous, 1 new column, 2 new page, 3 even page, 4 odd page
    bool fTitlePage = false;
    std::uint16_t ccolM1 = 0;  // number of text columns minus 1
    std::int16_t dxaColumns = 720;
    std::uint8_t dmOrientPage = 1;  // 1 portrait, 2 landscape
    std::uint16_t xaPage = 12240;
    std::uint16_t yaPage = 15840;
    std::int16_t dxaLeft = 1800;
    std::int16_t dxaRight = 1800;
    std::int16_t dyaTop = 1440;
    std::int16_t dyaBottom = 1440;
    std::uint16_t dyaHdrTop = 720;
    std::uint16_t dyaHdrBottom = 720;
    std::uint16_t dzaGutter = 0;
    std::uint16_t dmPaperReq = 0;
    std::uint8_t nfcPgn = 0;
    bool fPgnRestart = false;
    std::int32_t pgnStart = 1;
    std::uint8_t vjc = 0;
};

// Applies the paragraph sprms of a grpprl in order. Within one grpprl a logical sprmPJc wins
// over a physical sprmPJc80 wherever they stand.
void applyPapx(Pap& pap, Bytes grpprl);
void applyPapPrl(Pap& pap, const Prl& prl);

// Applies the character sprms of a grpprl. `style` is the CHP of the current style: toggle
// operands 0x80 and 0x81 take its value or the opposite. sprmCIstd is left to the caller
// (it brings in a character style, see document reading), sprmCPlain resets to `style`.
void applyChpx(Chp& chp, Bytes grpprl, const Chp& style);
void applyChpPrl(Chp& chp, const Prl& prl, const Chp& style);

void applySepx(Sep& sep, Bytes grpprl);
void applySepPrl(Sep& sep, const Prl& prl);

}  // namespace tarnwick::doc
