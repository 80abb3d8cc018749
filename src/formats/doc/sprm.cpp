#include "formats/doc/sprm.h"

#include <array>

namespace tarnwick::doc {

std::optional<std::size_t> operandSize(std::uint16_t opcode, Bytes data, std::size_t pos) {
    if (pos > data.size()) return std::nullopt;
    const std::size_t left = data.size() - pos;
    std::size_t size = 0;
    switch (Sprm{opcode}.spra()) {
        case 0:
        case 1: size = 1; break;
        case 2:
        case 4:
        case 5: size = 2; break;
        case 3: size = 4; break;
        case 7: size = 3; break;
        default: {  // 6: variable
            if (opcode == sprm::TDefTable || opcode == sprm::TDefTable10) {
                // [MS-DOC] 2.9.321 TDefTableOperand: cb is the size of the rest plus one.
                std::uint16_t cb = 0;
                if (!readLE(data, pos, cb)) return std::nullopt;
                size = 2 + (cb > 0 ? cb - 1u : 0u);
                break;
            }
            std::uint8_t cb = 0;
            if (!readLE(data, pos, cb)) return std::nullopt;
            if (opcode == sprm::PChgTabs && cb == 255) {
                // [MS-DOC] 2.9.182 PChgTabsOperand: cTabs (1) + 4 per deleted tab, cTabs (1) +
                // 3 per added tab.
                std::uint8_t del = 0, add = 0;
                if (!readLE(data, pos + 1, del)) return std::nullopt;
                const std::size_t addAt = pos + 2 + std::size_t{del} * 4;
                if (!readLE(data, addAt, add)) return std::nullopt;
                size = 1 + 1 + std::size_t{del} * 4 + 1 + std::size_t{add} * 3;
                break;
            }
            size = 1 + std::size_t{cb};
            break;
        }
    }
    if (size > left) return std::nullopt;
    return size;
}

bool PrlReader::next(Prl& out) {
    std::uint16_t opcode = 0;
    if (!readLE(data_, pos_, opcode)) return false;
    const auto size = operandSize(opcode, data_, pos_ + 2);
    if (!size) {
        pos_ = data_.size();
        return false;
    }
    const std::size_t at = pos_ + 2;
    out.sprm = opcode;
    std::size_t prefix = 0;
    if (Sprm{opcode}.spra() == 6) prefix = (opcode == sprm::TDefTable || opcode == sprm::TDefTable10) ? 2 : 1;
    out.operand = data_.subspan(at + prefix, *size - prefix);
    pos_ = at + *size;
    return true;
}

std::uint16_t sprmFromIsprm(std::uint8_t isprm) {
    // The table of [MS-DOC] 2.9.215; isprms it leaves out map to 0. 0x05 is the physical
    // justification (sprmPJc80), the one Word 97 wrote.
    static constexpr auto table = [] {
        std::array<std::uint16_t, 128> t{};
        t[0x00] = sprm::CLbcCRJ;
        t[0x04] = sprm::PIncLvl;
        t[0x05] = sprm::PJc80;
        t[0x07] = sprm::PFKeep;
        t[0x08] = sprm::PFKeepFollow;
        t[0x09] = sprm::PFPageBreakBefore;
        t[0x0C] = sprm::PIlvl;
        t[0x0D] = sprm::PFMirrorIndents;
        t[0x0E] = sprm::PFNoLineNumb;
        t[0x0F] = sprm::PTtwo;
        t[0x18] = sprm::PFInTable;
        t[0x19] = sprm::PFTtp;
        t[0x1D] = sprm::PPc;
        t[0x25] = sprm::PWr;
        t[0x2C] = sprm::PFNoAutoHyph;
        t[0x32] = sprm::PFLocked;
        t[0x33] = sprm::PFWidowControl;
        t[0x35] = sprm::PFKinsoku;
        t[0x36] = sprm::PFWordWrap;
        t[0x37] = sprm::PFOverflowPunct;
        t[0x38] = sprm::PFTopLinePunct;
        t[0x39] = sprm::PFAutoSpaceDE;
        t[0x3A] = sprm::PFAutoSpaceDN;
        t[0x41] = sprm::CFRMarkDel;
        t[0x42] = sprm::CFRMarkIns;
        t[0x43] = sprm::CFFldVanish;
        t[0x47] = sprm::CFData;
        t[0x4B] = sprm::CFOle2;
        t[0x4D] = sprm::CHighlight;
        t[0x4E] = sprm::CFEmboss;
        t[0x4F] = sprm::CSfxText;
        t[0x50] = sprm::CFWebHidden;
        t[0x51] = sprm::CFSpecVanish;
        t[0x53] = sprm::CPlain;
        t[0x55] = sprm::CFBold;
        t[0x56] = sprm::CFItalic;
        t[0x57] = sprm::CFStrike;
        t[0x58] = sprm::CFOutline;
        t[0x59] = sprm::CFShadow;
        t[0x5A] = sprm::CFSmallCaps;
        t[0x5B] = sprm::CFCaps;
        t[0x5C] = sprm::CFVanish;
        t[0x5E] = sprm::CKul;
        t[0x62] = sprm::CIco;
        t[0x68] = sprm::CIss;
        t[0x73] = sprm::CFDStrike;
        t[0x74] = sprm::CFImprint;
        t[0x75] = sprm::CFSpec;
        t[0x76] = sprm::CFObj;
        t[0x78] = sprm::POutLvl;
        t[0x7B] = sprm::CFSdtVanish;
        t[0x7C] = sprm::CNeedFontFixup;
        t[0x7E] = sprm::PFNumRMIns;
        return t;
    }();
    return table[isprm & 0x7F];
}

}  // namespace tarnwick::doc
