// Single property modifiers: the 2-byte sprm, its operand, and the opcodes this reader applies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/byte_reader.h"

namespace tarnwick::doc {

// [MS-DOC] 2.2.5.1 Sprm: ispmd (9 bits), fSpec (1), sgc (3), spra (3).
struct Sprm {
    std::uint16_t opcode = 0;
    std::uint16_t ispmd() const { return opcode & 0x01FF; }
    bool fSpec() const { return (opcode & 0x0200) != 0; }
    std::uint8_t sgc() const { return static_cast<std::uint8_t>((opcode >> 10) & 0x07); }
    std::uint8_t spra() const { return static_cast<std::uint8_t>(opcode >> 13); }
};

inline constexpr std::uint8_t kSgcParagraph = 1;
inline constexpr std::uint8_t kSgcCharacter = 2;
inline constexpr std::uint8_t kSgcPicture = 3;
inline constexpr std::uint8_t kSgcSection = 4;
inline constexpr std::uint8_t kSgcTable = 5;

// [MS-DOC] 2.2.5.2 Prl: a sprm and its operand. For variable-length operands (spra 6) `operand`
// is what follows the size prefix.
struct Prl {
    std::uint16_t sprm = 0;
    Bytes operand;
};

// Bytes the operand of `sprm` takes at data[pos], size prefix included (spra 6: one size byte,
// except sprmTDefTable/sprmTDefTable10 with a 2-byte cb and sprmPChgTabs whose cb 255 means "count
// the tabs"). nullopt when the operand runs past the end of data.
std::optional<std::size_t> operandSize(std::uint16_t sprm, Bytes data, std::size_t pos);

// Walks a grpprl Prl by Prl. A Prl cut off by the end of the array (padding, a damaged length)
// ends the walk: what came before it still applies.
class PrlReader {
public:
    explicit PrlReader(Bytes grpprl) : data_(grpprl) {}
    bool next(Prl& out);

private:
    Bytes data_;
    std::size_t pos_ = 0;
};

// [MS-DOC] 2.9.215 Prm0: the sprm an isprm stands for (its operand is the Prm0's one byte), or 0
// for an isprm this table does not name.
std::uint16_t sprmFromIsprm(std::uint8_t isprm);

// Opcodes, named as [MS-DOC] 2.6 names them.
namespace sprm {
// Paragraph
inline constexpr std::uint16_t PIstd = 0x4600;
inline constexpr std::uint16_t PIncLvl = 0x2602;
inline constexpr std::uint16_t PJc80 = 0x2403;
inline constexpr std::uint16_t PFKeep = 0x2405;
inline constexpr std::uint16_t PFKeepFollow = 0x2406;
inline constexpr std::uint16_t PFPageBreakBefore = 0x2407;
inline constexpr std::uint16_t PIlvl = 0x260A;
inline constexpr std::uint16_t PIlfo = 0x460B;
inline constexpr std::uint16_t PFNoLineNumb = 0x240C;
inline constexpr std::uint16_t PChgTabsPapx = 0xC60D;
inline constexpr std::uint16_t PDxaRight80 = 0x840E;
inline constexpr std::uint16_t PDxaLeft80 = 0x840F;
inline constexpr std::uint16_t PNest80 = 0x4610;
inline constexpr std::uint16_t PDxaLeft180 = 0x8411;
inline constexpr std::uint16_t PDyaLine = 0x6412;
inline constexpr std::uint16_t PDyaBefore = 0xA413;
inline constexpr std::uint16_t PDyaAfter = 0xA414;
inline constexpr std::uint16_t PChgTabs = 0xC615;
inline constexpr std::uint16_t PFInTable = 0x2416;
inline constexpr std::uint16_t PFTtp = 0x2417;
inline constexpr std::uint16_t PDxaAbs = 0x8418;
inline constexpr std::uint16_t PDyaAbs = 0x8419;
inline constexpr std::uint16_t PDxaWidth = 0x841A;
inline constexpr std::uint16_t PPc = 0x261B;
inline constexpr std::uint16_t PWr = 0x2423;
inline constexpr std::uint16_t PFNoAutoHyph = 0x242A;
inline constexpr std::uint16_t PWHeightAbs = 0x442B;
inline constexpr std::uint16_t PDyaFromText = 0x842E;
inline constexpr std::uint16_t PDxaFromText = 0x842F;
inline constexpr std::uint16_t PFLocked = 0x2430;
inline constexpr std::uint16_t PFWidowControl = 0x2431;
inline constexpr std::uint16_t PFKinsoku = 0x2433;
inline constexpr std::uint16_t PFWordWrap = 0x2434;
inline constexpr std::uint16_t PFOverflowPunct = 0x2435;
inline constexpr std::uint16_t PFTopLinePunct = 0x2436;
inline constexpr std::uint16_t PFAutoSpaceDE = 0x2437;
inline constexpr std::uint16_t PFAutoSpaceDN = 0x2438;
inline constexpr std::uint16_t POutLvl = 0x2640;
inline constexpr std::uint16_t PFNumRMIns = 0x2443;
inline constexpr std::uint16_t PItap = 0x6649;
inline constexpr std::uint16_t PFInnerTableCell = 0x244B;
inline constexpr std::uint16_t PFInnerTtp = 0x244C;
inline constexpr std::uint16_t PDxcRight = 0x4455;
inline constexpr std::uint16_t PDxcLeft = 0x4456;
inline constexpr std::uint16_t PDxcLeft1 = 0x4457;
inline constexpr std::uint16_t PDylBefore = 0x4458;
inline constexpr std::uint16_t PDylAfter = 0x4459;
inline constexpr std::uint16_t PDxaRight = 0x845D;
inline constexpr std::uint16_t PDxaLeft = 0x845E;
inline constexpr std::uint16_t PNest = 0x465F;
inline constexpr std::uint16_t PDxaLeft1 = 0x8460;
inline constexpr std::uint16_t PJc = 0x2461;
inline constexpr std::uint16_t PFMirrorIndents = 0x2470;
inline constexpr std::uint16_t PTtwo = 0x2471;
// Character
inline constexpr std::uint16_t CFRMarkDel = 0x0800;
inline constexpr std::uint16_t CFRMarkIns = 0x0801;
inline constexpr std::uint16_t CFFldVanish = 0x0802;
inline constexpr std::uint16_t CPicLocation = 0x6A03;
inline constexpr std::uint16_t CFData = 0x0806;
inline constexpr std::uint16_t CFOle2 = 0x080A;
inline constexpr std::uint16_t CHighlight = 0x2A0C;
inline constexpr std::uint16_t CFWebHidden = 0x0811;
inline constexpr std::uint16_t CFSpecVanish = 0x0818;
inline constexpr std::uint16_t CIstd = 0x4A30;
inline constexpr std::uint16_t CPlain = 0x2A33;
inline constexpr std::uint16_t CFBold = 0x0835;
inline constexpr std::uint16_t CFItalic = 0x0836;
inline constexpr std::uint16_t CFStrike = 0x0837;
inline constexpr std::uint16_t CFOutline = 0x0838;
inline constexpr std::uint16_t CFShadow = 0x0839;
inline constexpr std::uint16_t CFSmallCaps = 0x083A;
inline constexpr std::uint16_t CFCaps = 0x083B;
inline constexpr std::uint16_t CFVanish = 0x083C;
inline constexpr std::uint16_t CKul = 0x2A3E;
inline constexpr std::uint16_t CIco = 0x2A42;
inline constexpr std::uint16_t CHps = 0x4A43;
inline constexpr std::uint16_t CIss = 0x2A48;
inline constexpr std::uint16_t CRgFtc0 = 0x4A4F;
inline constexpr std::uint16_t CRgFtc1 = 0x4A50;
inline constexpr std::uint16_t CRgFtc2 = 0x4A51;
inline constexpr std::uint16_t CFDStrike = 0x2A53;
inline constexpr std::uint16_t CFImprint = 0x0854;
inline constexpr std::uint16_t CFSpec = 0x0855;
inline constexpr std::uint16_t CFObj = 0x0856;
inline constexpr std::uint16_t CFEmboss = 0x0858;
inline constexpr std::uint16_t CSfxText = 0x2859;
inline constexpr std::uint16_t CFBoldBi = 0x085C;
inline constexpr std::uint16_t CFItalicBi = 0x085D;
inline constexpr std::uint16_t CFtcBi = 0x4A5E;
inline constexpr std::uint16_t CLidBi = 0x485F;
inline constexpr std::uint16_t CHpsBi = 0x4A61;
inline constexpr std::uint16_t CRgLid0_80 = 0x486D;
inline constexpr std::uint16_t CRgLid1_80 = 0x486E;
inline constexpr std::uint16_t CIdctHint = 0x286F;
inline constexpr std::uint16_t CCv = 0x6870;
inline constexpr std::uint16_t CRgLid0 = 0x4873;
inline constexpr std::uint16_t CRgLid1 = 0x4874;
inline constexpr std::uint16_t CLbcCRJ = 0x2879;
inline constexpr std::uint16_t CNeedFontFixup = 0x2A86;
inline constexpr std::uint16_t CFSdtVanish = 0x2A90;
// Section
inline constexpr std::uint16_t SBkc = 0x3009;
inline constexpr std::uint16_t SFTitlePage = 0x300A;
inline constexpr std::uint16_t SCcolumns = 0x500B;
inline constexpr std::uint16_t SDxaColumns = 0x900C;
inline constexpr std::uint16_t SNfcPgn = 0x300E;
inline constexpr std::uint16_t SFPgnRestart = 0x3011;
inline constexpr std::uint16_t SDyaHdrTop = 0xB017;
inline constexpr std::uint16_t SDyaHdrBottom = 0xB018;
inline constexpr std::uint16_t SVjc = 0x301A;
inline constexpr std::uint16_t SPgnStart97 = 0x501C;
inline constexpr std::uint16_t SBOrientation = 0x301D;
inline constexpr std::uint16_t SXaPage = 0xB01F;
inline constexpr std::uint16_t SYaPage = 0xB020;
inline constexpr std::uint16_t SDxaLeft = 0xB021;
inline constexpr std::uint16_t SDxaRight = 0xB022;
inline constexpr std::uint16_t SDyaTop = 0x9023;
inline constexpr std::uint16_t SDyaBottom = 0x9024;
inline constexpr std::uint16_t SDzaGutter = 0xB025;
inline constexpr std::uint16_t SDmPaperReq = 0x5026;
inline constexpr std::uint16_t SPgnStart = 0x7044;
// Table (only for operand sizes)
inline constexpr std::uint16_t TDefTable10 = 0xD606;
inline constexpr std::uint16_t TDefTable = 0xD608;
}  // namespace sprm

}  // namespace tarnwick::doc
