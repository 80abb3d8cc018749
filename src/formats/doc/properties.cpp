#include "formats/doc/properties.h"

namespace tarnwick::doc {
namespace {

std::uint8_t u8Of(const Prl& p) {
    std::uint8_t v = 0;
    readLE(p.operand, 0, v);
    return v;
}
std::uint16_t u16Of(const Prl& p) {
    std::uint16_t v = 0;
    readLE(p.operand, 0, v);
    return v;
}
std::int16_t i16Of(const Prl& p) { return static_cast<std::int16_t>(u16Of(p)); }
std::uint32_t u32Of(const Prl& p) {
    std::uint32_t v = 0;
    readLE(p.operand, 0, v);
    return v;
}

// A ToggleOperand ([MS-DOC] 2.9.327) against the value in the current style.
bool toggled(std::uint8_t operand, bool styleValue) {
    switch (operand) {
        case 0x00: return false;
        case 0x80: return styleValue;
        case 0x81: return !styleValue;
        default: return true;
    }
}

bool Chp::*chpFlag(std::uint16_t opcode) {
    switch (opcode) {
        case sprm::CFBold: return &Chp::fBold;
        case sprm::CFItalic: return &Chp::fItalic;
        case sprm::CFStrike: return &Chp::fStrike;
        case sprm::CFOutline: return &Chp::fOutline;
        case sprm::CFShadow: return &Chp::fShadow;
        case sprm::CFSmallCaps: return &Chp::fSmallCaps;
        case sprm::CFCaps: return &Chp::fCaps;
        case sprm::CFVanish: return &Chp::fVanish;
        case sprm::CFBoldBi: return &Chp::fBoldBi;
        case sprm::CFItalicBi: return &Chp::fItalicBi;
        case sprm::CFSpec: return &Chp::fSpec;
        case sprm::CFObj: return &Chp::fObj;
        case sprm::CFOle2: return &Chp::fOle2;
        case sprm::CFData: return &Chp::fData;
        case sprm::CFRMarkDel: return &Chp::fRMarkDel;
        case sprm::CFRMarkIns: return &Chp::fRMarkIns;
        case sprm::CFFldVanish: return &Chp::fFldVanish;
        default: return nullptr;
    }
}

}  // namespace

bool isToggleSprm(std::uint16_t opcode) {
    switch (opcode) {
        case sprm::CFBold:
        case sprm::CFItalic:
        case sprm::CFStrike:
        case sprm::CFOutline:
        case sprm::CFShadow:
        case sprm::CFSmallCaps:
        case sprm::CFCaps:
        case sprm::CFVanish:
        case sprm::CFBoldBi:
        case sprm::CFItalicBi: return true;
        default: return false;
    }
}

void xorToggles(Chp& chp, const Chp& t) {
    chp.fBold = chp.fBold != t.fBold;
    chp.fItalic = chp.fItalic != t.fItalic;
    chp.fStrike = chp.fStrike != t.fStrike;
    chp.fOutline = chp.fOutline != t.fOutline;
    chp.fShadow = chp.fShadow != t.fShadow;
    chp.fSmallCaps = chp.fSmallCaps != t.fSmallCaps;
    chp.fCaps = chp.fCaps != t.fCaps;
    chp.fVanish = chp.fVanish != t.fVanish;
    chp.fBoldBi = chp.fBoldBi != t.fBoldBi;
    chp.fItalicBi = chp.fItalicBi != t.fItalicBi;
}

void applyPapPrl(Pap& pap, const Prl& p) {
    switch (p.sprm) {
        case sprm::PIstd: pap.istd = u16Of(p); break;
        case sprm::PJc80:
        case sprm::PJc: pap.jc = u8Of(p); break;
        case sprm::PDyaLine:
            pap.lspd.dyaLine = i16Of(p);
            if (p.operand.size() >= 4) {
                std::uint16_t mult = 0;
                readLE(p.operand, 2, mult);
                pap.lspd.fMultLinespace = static_cast<std::int16_t>(mult);
            }
            break;
        case sprm::PDxaLeft80:
        case sprm::PDxaLeft: pap.dxaLeft = i16Of(p); break;
        case sprm::PDxaLeft180:
        case sprm::PDxaLeft1: pap.dxaLeft1 = i16Of(p); break;
        case sprm::PDxaRight80:
        case sprm::PDxaRight: pap.dxaRight = i16Of(p); break;
        case sprm::PNest80:
        case sprm::PNest: pap.dxaLeft = static_cast<std::int16_t>(pap.dxaLeft + i16Of(p)); break;
        case sprm::PDyaBefore: pap.dyaBefore = u16Of(p); break;
        case sprm::PDyaAfter: pap.dyaAfter = u16Of(p); break;
        case sprm::PDxcLeft:
            pap.dxcLeft = i16Of(p);
            pap.hasDxcLeft = true;
            break;
        case sprm::PDxcLeft1:
            pap.dxcLeft1 = i16Of(p);
            pap.hasDxcLeft1 = true;
            break;
        case sprm::PDxcRight:
            pap.dxcRight = i16Of(p);
            pap.hasDxcRight = true;
            break;
        case sprm::PDylBefore:
            pap.dylBefore = i16Of(p);
            pap.hasDylBefore = true;
            break;
        case sprm::PDylAfter:
            pap.dylAfter = i16Of(p);
            pap.hasDylAfter = true;
            break;
        case sprm::PFInTable: pap.fInTable = u8Of(p) != 0; break;
        case sprm::PFTtp: pap.fTtp = u8Of(p) != 0; break;
        case sprm::PItap: pap.itap = static_cast<std::int32_t>(u32Of(p)); break;
        case sprm::PDxaAbs:
            pap.dxaAbs = i16Of(p);
            pap.framed = true;
            break;
        case sprm::PDyaAbs:
            pap.dyaAbs = i16Of(p);
            pap.framed = true;
            break;
        case sprm::PDxaWidth:
            pap.dxaWidth = u16Of(p);
            pap.framed = true;
            break;
        case sprm::PWHeightAbs:
            pap.wHeightAbs = u16Of(p);
            pap.framed = true;
            break;
        case sprm::PPc: {
            // [MS-DOC] 2.9.208 PositionCodeOperand: 3 leaves the value as it was.
            const std::uint8_t v = u8Of(p);
            const auto vert = static_cast<std::uint8_t>((v >> 4) & 3);
            const auto horz = static_cast<std::uint8_t>((v >> 6) & 3);
            if (vert != 3) pap.pcVert = vert;
            if (horz != 3) pap.pcHorz = horz;
            pap.framed = true;
            break;
        }
        case sprm::PWr:
            pap.wr = u8Of(p);
            pap.framed = true;
            break;
        case sprm::POutLvl: pap.lvl = u8Of(p); break;
        case sprm::PIlvl: pap.ilvl = u8Of(p); break;
        case sprm::PIlfo: pap.ilfo = i16Of(p); break;
        default: break;
    }
}

void applyPapx(Pap& pap, Bytes grpprl) {
    bool logicalJc = false;
    {
        PrlReader scan(grpprl);
        Prl p;
        while (scan.next(p))
            if (p.sprm == sprm::PJc) logicalJc = true;
    }
    PrlReader r(grpprl);
    Prl p;
    while (r.next(p)) {
        if (p.sprm == sprm::PJc80 && logicalJc) continue;
        applyPapPrl(pap, p);
    }
}

void applyChpPrl(Chp& chp, const Prl& p, const Chp& style) {
    if (bool Chp::*flag = chpFlag(p.sprm)) {
        chp.*flag = toggled(u8Of(p), style.*flag);
        return;
    }
    switch (p.sprm) {
        case sprm::CRgFtc0: chp.rgftc[0] = u16Of(p); break;
        case sprm::CRgFtc1: chp.rgftc[1] = u16Of(p); break;
        case sprm::CRgFtc2: chp.rgftc[2] = u16Of(p); break;
        case sprm::CFtcBi: chp.ftcBi = u16Of(p); break;
        case sprm::CHps: chp.hps = u16Of(p); break;
        case sprm::CHpsBi: chp.hpsBi = u16Of(p); break;
        case sprm::CIco: chp.ico = u8Of(p); break;
        case sprm::CCv:
            chp.cv = u32Of(p);
            chp.hasCv = true;
            break;
        case sprm::CKul: chp.kul = u8Of(p); break;
        case sprm::CIss: chp.iss = u8Of(p); break;
        case sprm::CRgLid0_80:
        case sprm::CRgLid0: chp.lid = u16Of(p); break;
        case sprm::CRgLid1_80:
        case sprm::CRgLid1: chp.lidFE = u16Of(p); break;
        case sprm::CLidBi: chp.lidBi = u16Of(p); break;
        case sprm::CIdctHint: chp.idctHint = u8Of(p); break;
        case sprm::CPicLocation:
            chp.picLocation = u32Of(p);
            chp.hasPicLocation = true;
            break;
        case sprm::CPlain: {
            // Back to the style's properties; what marks a special character stays.
            Chp plain = style;
            plain.istd = chp.istd;
            plain.fSpec = chp.fSpec;
            plain.fObj = chp.fObj;
            plain.fOle2 = chp.fOle2;
            plain.fData = chp.fData;
            plain.picLocation = chp.picLocation;
            plain.hasPicLocation = chp.hasPicLocation;
            chp = plain;
            break;
        }
        default: break;
    }
}

void applyChpx(Chp& chp, Bytes grpprl, const Chp& style) {
    PrlReader r(grpprl);
    Prl p;
    while (r.next(p)) applyChpPrl(chp, p, style);
}

void applySepPrl(Sep& sep, const Prl& p) {
    switch (p.sprm) {
        case sprm::SBkc: sep.bkc = u8Of(p); break;
        case sprm::SFTitlePage: sep.fTitlePage = u8Of(p) != 0; break;
        case sprm::SCcolumns: sep.ccolM1 = u16Of(p); break;
        case sprm::SDxaColumns: sep.dxaColumns = i16Of(p); break;
        case sprm::SNfcPgn: sep.nfcPgn = u8Of(p); break;
        case sprm::SFPgnRestart: sep.fPgnRestart = u8Of(p) != 0; break;
        case sprm::SDyaHdrTop: sep.dyaHdrTop = u16Of(p); break;
        case sprm::SDyaHdrBottom: sep.dyaHdrBottom = u16Of(p); break;
        case sprm::SVjc: sep.vjc = u8Of(p); break;
        case sprm::SPgnStart97: sep.pgnStart = u16Of(p); break;
        case sprm::SPgnStart: sep.pgnStart = static_cast<std::int32_t>(u32Of(p)); break;
        case sprm::SBOrientation: sep.dmOrientPage = u8Of(p); break;
        case sprm::SXaPage: sep.xaPage = u16Of(p); break;
        case sprm::SYaPage: sep.yaPage = u16Of(p); break;
        case sprm::SDxaLeft: sep.dxaLeft = i16Of(p); break;
        case sprm::SDxaRight: sep.dxaRight = i16Of(p); break;
        case sprm::SDyaTop: sep.dyaTop = i16Of(p); break;
        case sprm::SDyaBottom: sep.dyaBottom = i16Of(p); break;
        case sprm::SDzaGutter: sep.dzaGutter = u16Of(p); break;
        case sprm::SDmPaperReq: sep.dmPaperReq = u16Of(p); break;
        default: break;
    }
}

void applySepx(Sep& sep, Bytes grpprl) {
    PrlReader r(grpprl);
    Prl p;
    while (r.next(p)) applySepPrl(sep, p);
}

}  // namespace tarnwick::doc
