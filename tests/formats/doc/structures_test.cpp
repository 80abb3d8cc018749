// The small structures on their own: sprm operand sizes, the 8-bit text table, Prm0, FKP
// entries, and how sprms set paragraph and character properties.
#include <gtest/gtest.h>

#include <vector>

#include "formats/doc/clx.h"
#include "formats/doc/fields.h"
#include "formats/doc/fkp.h"
#include "formats/doc/plc.h"
#include "formats/doc/properties.h"
#include "formats/doc/sprm.h"

namespace tarnwick::doc {
namespace {

using Buf = std::vector<std::uint8_t>;

void add16(Buf& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void addPrl(Buf& b, std::uint16_t sprm, std::initializer_list<std::uint8_t> operand) {
    add16(b, sprm);
    b.insert(b.end(), operand);
}

TEST(Sprms, OperandSizeFollowsSpra) {
    const Buf zeros(16, 0);
    EXPECT_EQ(operandSize(sprm::CFBold, zeros, 0), 1u);       // spra 0
    EXPECT_EQ(operandSize(sprm::CIco, zeros, 0), 1u);         // spra 1
    EXPECT_EQ(operandSize(sprm::CHps, zeros, 0), 2u);         // spra 2
    EXPECT_EQ(operandSize(sprm::CCv, zeros, 0), 4u);          // spra 3
    EXPECT_EQ(operandSize(sprm::PDxaLeft, zeros, 0), 2u);     // spra 4
    EXPECT_EQ(operandSize(sprm::PDyaBefore, zeros, 0), 2u);   // spra 5
    EXPECT_EQ(operandSize(0xF617, zeros, 0), 3u);             // spra 7
    const Buf variable{5, 1, 2, 3, 4, 5};
    EXPECT_EQ(operandSize(sprm::PChgTabsPapx, variable, 0), 6u);
    EXPECT_EQ(operandSize(sprm::PChgTabsPapx, Buf{5, 1, 2}, 0), std::nullopt);  // runs past the end
}

TEST(Sprms, TableDefinitionAndTabChangeHaveTheirOwnLengths) {
    // sprmTDefTable: a 2-byte cb that counts the rest plus one.
    Buf def{0x05, 0x00, 1, 2, 3, 4};
    EXPECT_EQ(operandSize(sprm::TDefTable, def, 0), 6u);
    def[0] = 0x06;
    EXPECT_EQ(operandSize(sprm::TDefTable, def, 0), std::nullopt);
    // sprmPChgTabs with cb 255: 2 deleted tabs (4 bytes each) and 1 added (3 bytes).
    Buf tabs{255, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(operandSize(sprm::PChgTabs, tabs, 0), 14u);
    tabs.pop_back();
    EXPECT_EQ(operandSize(sprm::PChgTabs, tabs, 0), std::nullopt);
    // Below 255 the byte is the length.
    EXPECT_EQ(operandSize(sprm::PChgTabs, Buf{3, 0, 0, 0}, 0), 4u);
}

TEST(Sprms, ReaderStopsAtACutOffPrl) {
    Buf g;
    addPrl(g, sprm::CHps, {40, 0});
    addPrl(g, sprm::CCv, {1, 2});  // two of its four bytes
    PrlReader r(g);
    Prl p;
    ASSERT_TRUE(r.next(p));
    EXPECT_EQ(p.sprm, sprm::CHps);
    ASSERT_EQ(p.operand.size(), 2u);
    EXPECT_FALSE(r.next(p));
    EXPECT_FALSE(r.next(p));
}

TEST(Pieces, EightBitTextMapsTheSpecialBytes) {
    EXPECT_EQ(compressedChar('A'), u'A');
    EXPECT_EQ(compressedChar(0x82), u'\u201A');
    EXPECT_EQ(compressedChar(0x85), u'\u2026');
    EXPECT_EQ(compressedChar(0x93), u'\u201C');
    EXPECT_EQ(compressedChar(0x9F), u'\u0178');
    EXPECT_EQ(compressedChar(0x8D), u'\u008D');  // not in the table: the byte itself
    EXPECT_EQ(compressedChar(0x80), u'\u0080');
    EXPECT_EQ(compressedChar(0xE9), u'\u00E9');
}

TEST(Pieces, PrmZeroNamesOneSprm) {
    EXPECT_EQ(sprmFromIsprm(0x55), sprm::CFBold);
    EXPECT_EQ(sprmFromIsprm(0x05), sprm::PJc80);
    EXPECT_EQ(sprmFromIsprm(0x62), sprm::CIco);
    EXPECT_EQ(sprmFromIsprm(0x01), 0);
    Prm prm{static_cast<std::uint16_t>((0x81 << 8) | (0x55 << 1))};
    EXPECT_FALSE(prm.fComplex());
    EXPECT_EQ(prm.isprm(), 0x55);
    EXPECT_EQ(prm.val(), 0x81);
    Prm complex{static_cast<std::uint16_t>((7 << 1) | 1)};
    EXPECT_TRUE(complex.fComplex());
    EXPECT_EQ(complex.igrpprl(), 7);
}

TEST(Pieces, ClxKeepsPrcGrpprlsAndChecksTheCps) {
    Buf clx{0x01};
    add16(clx, 3);
    addPrl(clx, sprm::CFBold, {0x81});
    clx.push_back(0x02);
    const std::uint32_t lcb = 4 * 3 + 8 * 2;
    for (int i = 0; i < 4; ++i) clx.push_back(static_cast<std::uint8_t>(lcb >> (8 * i)));
    for (std::uint32_t cp : {0u, 5u, 9u})
        for (int i = 0; i < 4; ++i) clx.push_back(static_cast<std::uint8_t>(cp >> (8 * i)));
    for (std::uint32_t fc : {0x40000800u, 0x1000u}) {
        add16(clx, 0);
        for (int i = 0; i < 4; ++i) clx.push_back(static_cast<std::uint8_t>(fc >> (8 * i)));
        add16(clx, 1);  // Prm1, igrpprl 0
    }
    auto parsed = parseClx(clx, 10, 10);
    ASSERT_TRUE(parsed.ok()) << parsed.error().message;
    ASSERT_EQ(parsed->rgPrc.size(), 1u);
    EXPECT_EQ(parsed->rgPrc[0].size(), 3u);
    ASSERT_EQ(parsed->pcds.size(), 2u);
    EXPECT_TRUE(parsed->pcds[0].fc.fCompressed);
    EXPECT_EQ(parsed->pcds[0].fc.byteOffset(), 0x400u);
    EXPECT_EQ(parsed->pcds[1].fc.byteOffset(), 0x1000u);
    EXPECT_TRUE(parsed->pcds[1].prm.fComplex());
    EXPECT_EQ(parseClx(clx, 1, 10).error().kind, ErrorKind::TooLarge);
    // CPs must rise.
    Buf down = clx;
    down[3 + 3 + 5 + 4] = 12;  // the second CP (5) becomes 12 > 9
    EXPECT_EQ(parseClx(down, 10, 10).error().kind, ErrorKind::Damaged);
}

Buf page() { return Buf(kFkpSize, 0); }
void put32(Buf& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(Fkps, PapxLengthsFollowTheOddAndZeroRules) {
    Buf p = page();
    p[511] = 2;  // cpara
    put32(p, 0, 100);
    put32(p, 4, 110);
    put32(p, 8, 120);
    // rgbx at 12: BxPap 13 bytes each.
    p[12] = 200;  // offset 400: cb 2 -> 3 bytes: istd (2) + 1 byte
    p[25] = 210;  // offset 420: cb 0, cb' 3 -> 6 bytes
    p[400] = 2;
    p[401] = 7;
    p[420] = 0;
    p[421] = 3;
    p[422] = 9;
    p[424] = sprm::PJc & 0xFF;
    p[425] = sprm::PJc >> 8;
    p[426] = 2;
    auto fkp = parsePapxFkp(p);
    ASSERT_TRUE(fkp.ok()) << fkp.error().message;
    ASSERT_EQ(fkp->papx.size(), 2u);
    EXPECT_EQ(fkp->papx[0].istd, 7);
    EXPECT_EQ(fkp->papx[0].grpprl.size(), 1u);
    EXPECT_EQ(fkp->papx[1].istd, 9);
    ASSERT_EQ(fkp->papx[1].grpprl.size(), 4u);
    Pap pap;
    applyPapx(pap, fkp->papx[1].grpprl);
    EXPECT_EQ(pap.jc, 2);
    // An offset inside the rgfc/rgbx arrays is not a PAPX.
    p[12] = 4;
    EXPECT_EQ(parsePapxFkp(p).error().kind, ErrorKind::Damaged);
    // Nor one whose bytes run into cpara.
    p[12] = 255;
    EXPECT_EQ(parsePapxFkp(p).error().kind, ErrorKind::Damaged);
}

TEST(Fkps, ChpxEntriesAndTheirBounds) {
    Buf p = page();
    p[511] = 2;
    put32(p, 0, 0x400);
    put32(p, 4, 0x410);
    put32(p, 8, 0x420);
    p[12] = 0;    // first run: no CHPX
    p[13] = 250;  // second: offset 500
    p[500] = 3;
    p[501] = sprm::CFBold & 0xFF;
    p[502] = sprm::CFBold >> 8;
    p[503] = 1;
    auto fkp = parseChpxFkp(p);
    ASSERT_TRUE(fkp.ok()) << fkp.error().message;
    EXPECT_TRUE(fkp->grpprl[0].empty());
    EXPECT_EQ(fkp->grpprl[1].size(), 3u);
    p[500] = 20;  // past the page
    EXPECT_EQ(parseChpxFkp(p).error().kind, ErrorKind::Damaged);
    p[511] = 0;   // no runs
    EXPECT_EQ(parseChpxFkp(p).error().kind, ErrorKind::Damaged);
    p[511] = 120;  // more runs than fit
    EXPECT_EQ(parseChpxFkp(p).error().kind, ErrorKind::Damaged);
    EXPECT_EQ(parseChpxFkp(Bytes(p.data(), 100)).error().kind, ErrorKind::Damaged);  // not a whole page
}

TEST(Properties, LogicalJustificationWinsWithinOneGrpprl) {
    Buf g;
    addPrl(g, sprm::PJc, {2});
    addPrl(g, sprm::PJc80, {1});  // after the logical one, still loses
    Pap pap;
    applyPapx(pap, g);
    EXPECT_EQ(pap.jc, 2);
    Buf only80;
    addPrl(only80, sprm::PJc80, {3});
    applyPapx(pap, only80);  // a later level with only the physical sprm
    EXPECT_EQ(pap.jc, 3);
}

TEST(Properties, UnitsLineSpacingAndFrames) {
    Buf g;
    addPrl(g, sprm::PDxaLeft1, {0xE0, 0x01});   // 480 twips
    addPrl(g, sprm::PDxcLeft1, {200, 0});       // 2 characters
    addPrl(g, sprm::PDylAfter, {0x32, 0});      // 0.5 line
    addPrl(g, sprm::PDyaLine, {0x98, 0xFE, 0, 0});  // exactly 18 pt
    addPrl(g, sprm::PDxaAbs, {0xF8, 0xFF});     // right
    addPrl(g, sprm::PPc, {0x70});               // vert 3 (keep), horz 1
    Pap pap;
    applyPapx(pap, g);
    EXPECT_EQ(pap.dxaLeft1, 480);
    EXPECT_TRUE(pap.hasDxcLeft1);
    EXPECT_EQ(pap.dxcLeft1, 200);
    EXPECT_FALSE(pap.hasDxcLeft);
    EXPECT_TRUE(pap.hasDylAfter);
    EXPECT_EQ(pap.dylAfter, 50);
    EXPECT_FALSE(pap.hasDylBefore);
    EXPECT_EQ(pap.lspd, (Lspd{-360, 0}));
    EXPECT_TRUE(pap.framed);
    EXPECT_EQ(pap.dxaAbs, -8);
    EXPECT_EQ(pap.pcVert, 2);
    EXPECT_EQ(pap.pcHorz, 1);
}

TEST(Properties, ToggleOperandsAgainstTheStyle) {
    Chp boldStyle;
    boldStyle.fBold = true;
    boldStyle.hps = 32;
    Chp plainStyle;
    auto apply = [](std::uint8_t operand, const Chp& style) {
        Chp chp = style;
        Buf g;
        addPrl(g, sprm::CFBold, {operand});
        applyChpx(chp, g, style);
        return chp.fBold;
    };
    EXPECT_TRUE(apply(0x01, plainStyle));
    EXPECT_FALSE(apply(0x00, boldStyle));
    EXPECT_TRUE(apply(0x80, boldStyle));
    EXPECT_FALSE(apply(0x80, plainStyle));
    EXPECT_FALSE(apply(0x81, boldStyle));
    EXPECT_TRUE(apply(0x81, plainStyle));
    // sprmCPlain: back to the style, special-character marks kept.
    Chp chp = boldStyle;
    Buf g;
    addPrl(g, sprm::CHps, {48, 0});
    addPrl(g, sprm::CFSpec, {1});
    addPrl(g, sprm::CPlain, {0});
    applyChpx(chp, g, plainStyle);
    EXPECT_EQ(chp.hps, 20);
    EXPECT_FALSE(chp.fBold);
    EXPECT_TRUE(chp.fSpec);
}

TEST(Properties, ColourLanguageAndSection) {
    Chp chp;
    Buf g;
    addPrl(g, sprm::CIco, {6});
    addPrl(g, sprm::CCv, {0xFF, 0x66, 0x00, 0x00});
    addPrl(g, sprm::CRgLid1_80, {0x04, 0x08});
    addPrl(g, sprm::CRgLid1, {0x04, 0x04});  // the Word 2000 form, later: wins
    addPrl(g, sprm::CIdctHint, {1});
    applyChpx(chp, g, Chp{});
    EXPECT_EQ(chp.ico, 6);
    EXPECT_TRUE(chp.hasCv);
    EXPECT_EQ(chp.cv, 0x0066FFu);
    EXPECT_EQ(chp.lidFE, 0x0404);
    EXPECT_EQ(chp.idctHint, 1);
    Sep sep;
    Buf s;
    addPrl(s, sprm::SBOrientation, {2});
    addPrl(s, sprm::SXaPage, {0x92, 0x3D});  // 15762
    addPrl(s, sprm::SFTitlePage, {1});
    addPrl(s, sprm::SDyaTop, {0x7E, 0xFB});  // -1154: exact
    applySepx(sep, s);
    EXPECT_EQ(sep.dmOrientPage, 2);
    EXPECT_EQ(sep.xaPage, 15762);
    EXPECT_EQ(sep.yaPage, 15840);  // default kept
    EXPECT_TRUE(sep.fTitlePage);
    EXPECT_EQ(sep.dyaTop, -1154);
}

TEST(Plcs, SizeMustGiveWholeElements) {
    Buf plc(4 * 3 + 2 * 2, 0);
    EXPECT_TRUE(parsePlc(plc, 2, 10, "x").ok());
    plc.push_back(0);
    EXPECT_EQ(parsePlc(plc, 2, 10, "x").error().kind, ErrorKind::Damaged);
    plc.pop_back();
    EXPECT_EQ(parsePlc(plc, 2, 1, "x").error().kind, ErrorKind::TooLarge);
}

TEST(Fields, PairsNestedFieldsAndDropsUnclosedOnes) {
    const std::vector<Fld> flds = {{10, kFieldBegin, 0x21}, {12, kFieldBegin, 0x1D}, {14, kFieldSeparator, 0xFF},
                                   {16, kFieldEnd, 0x80},   {18, kFieldSeparator, 0xFF}, {20, kFieldEnd, 0x80},
                                   {30, kFieldBegin, 0x0C}, {31, kFieldEnd, 0x80},      {40, kFieldBegin, 0x21}};
    const auto fields = pairFields(flds);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].begin, 10u);
    EXPECT_EQ(fields[0].separator, 18u);
    EXPECT_EQ(fields[0].end, 20u);
    EXPECT_EQ(fields[0].flt, kFltPage);
    EXPECT_EQ(fields[0].depth, 0);
    EXPECT_EQ(fields[1].begin, 12u);
    EXPECT_EQ(fields[1].depth, 1);
    EXPECT_EQ(fields[2].separator, std::nullopt);
}

}  // namespace
}  // namespace tarnwick::doc
