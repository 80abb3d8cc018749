// What LibreOffice 7.4 writes into a .doc, as the project's Word research measured it, read back
// (tests/data/doc/lo-samples, see its README).
#include <gtest/gtest.h>

#include "formats/doc/doc_test_util.h"

namespace tarnwick::doc {
namespace {

using namespace tarnwick::doc::test;

TEST(LibreOfficeSamples, FormatParagraphsCarryTheirDirectFormatting) {
    const Document d = mustRead(loSample("lo_format.doc"));
    EXPECT_EQ(d.fib.base.nProduct, 0x204D);
    EXPECT_EQ(d.fib.nFib(), 0x0101);
    ASSERT_EQ(d.main.paragraphs.size(), 11u);
    const auto& p = d.main.paragraphs;

    // P1: centred, 24 pt after; its text red (CIco 6 + CCv FF0000), bold, 16 pt, 黑体 as the
    // East Asian font while the ASCII font stays the Normal style's.
    EXPECT_EQ(p[0].pap.jc, 1);
    EXPECT_EQ(p[0].pap.dyaAfter, 480);
    const CharacterRun& title = d.main.runs[p[0].firstRun];
    EXPECT_EQ(d.utf8(title.cps), "中国航天事业");
    EXPECT_TRUE(title.chp.fBold);
    EXPECT_EQ(title.chp.hps, 32);
    EXPECT_EQ(title.chp.ico, 6);
    ASSERT_TRUE(title.chp.hasCv);
    EXPECT_EQ(title.chp.cv, 0x0000FFu);
    EXPECT_EQ(d.font(title.chp.rgftc[1])->name, "黑体");
    EXPECT_EQ(d.font(title.chp.rgftc[0])->name, "DejaVu Serif");
    // The mark gets no CHPX from LibreOffice: it reads the style's properties.
    const CharacterRun& mark = d.main.runs[p[0].firstRun + p[0].runCount - 1];
    EXPECT_EQ(d.utf8(mark.cps), "\r");
    EXPECT_FALSE(mark.chp.fBold);
    EXPECT_EQ(mark.chp.hps, 24);

    // P2: first-line indent 480 twips only (no character units), exactly 18 pt, 24 pt before.
    EXPECT_EQ(p[1].pap.dxaLeft1, 480);
    EXPECT_FALSE(p[1].pap.hasDxcLeft1);
    EXPECT_EQ(p[1].pap.lspd, (Lspd{-360, 0}));
    EXPECT_EQ(p[1].pap.dyaBefore, 480);
    EXPECT_FALSE(p[1].pap.hasDylBefore);
    // P3: left indent 480, 1.5 lines, italic and single underline.
    EXPECT_EQ(p[2].pap.dxaLeft, 480);
    EXPECT_FALSE(p[2].pap.hasDxcLeft);
    EXPECT_EQ(p[2].pap.lspd, (Lspd{360, 1}));
    EXPECT_TRUE(d.main.runs[p[2].firstRun].chp.fItalic);
    EXPECT_EQ(d.main.runs[p[2].firstRun].chp.kul, 1);
    // P4: right, double; orange written as CIco 6 (red) + CCv FF6600: the CCv is what counts.
    EXPECT_EQ(p[3].pap.jc, 2);
    EXPECT_EQ(p[3].pap.lspd, (Lspd{480, 1}));
    EXPECT_EQ(d.main.runs[p[3].firstRun].chp.ico, 6);
    EXPECT_EQ(d.main.runs[p[3].firstRun].chp.cv, 0x0066FFu);
    // P5: justified, at least 20 pt, green. P6: "distributed" is written as justify, 1.15 lines,
    // 14 pt, 隶书 for East Asian text and Arial for Western.
    EXPECT_EQ(p[4].pap.jc, 3);
    EXPECT_EQ(p[4].pap.lspd, (Lspd{400, 0}));
    EXPECT_EQ(d.main.runs[p[4].firstRun].chp.cv, 0x008000u);
    EXPECT_EQ(p[5].pap.jc, 3);
    EXPECT_EQ(p[5].pap.lspd, (Lspd{276, 1}));
    const CharacterRun& p6 = d.main.runs[p[5].firstRun];
    EXPECT_EQ(p6.chp.hps, 28);
    EXPECT_EQ(d.font(p6.chp.rgftc[1])->name, "隶书");
    EXPECT_EQ(d.font(p6.chp.rgftc[0])->name, "Arial");
    // P7: the first six characters 20 pt, the rest 12 pt.
    const CharacterRun& mixed = d.main.runs[p[6].firstRun];
    EXPECT_EQ(d.utf8(mixed.cps), "Mixed ");
    EXPECT_EQ(mixed.chp.hps, 40);
    EXPECT_EQ(d.main.runs[p[6].firstRun + 1].chp.hps, 24);
    // P10: Heading 1 (bold in the style), its last 14 characters set not bold directly.
    EXPECT_EQ(d.style(p[9].pap.istd)->name, "Heading 1");
    EXPECT_EQ(p[9].pap.lvl, 0);
    const CharacterRun* bold = findRun(d, d.main, p[9], "Bold in a bold style");
    const CharacterRun* notBold = findRun(d, d.main, p[9], "then not bold.");
    ASSERT_TRUE(bold && notBold);
    EXPECT_TRUE(bold->chp.fBold);
    EXPECT_FALSE(notBold->chp.fBold);
    // The document ends in an empty paragraph; nothing marks character or line units.
    EXPECT_EQ(paraText(d, p[10]), "\r");
    EXPECT_FALSE(d.dop.fCharLineUnits);
}

TEST(LibreOfficeSamples, AsianOnlyFormattingSplitsRunsByScript) {
    const Document d = mustRead(loSample("lo_asian_only.doc"));
    const Paragraph& p1 = d.main.paragraphs.at(0);
    EXPECT_EQ(paraText(d, p1), "九寨·童话世界\r");
    EXPECT_EQ(p1.pap.jc, 1);
    // CJK runs take the Asian attributes, "·" the Western ones; all green.
    const CharacterRun* cjk = findRun(d, d.main, p1, "九寨");
    const CharacterRun* dot = findRun(d, d.main, p1, "·");
    ASSERT_TRUE(cjk && dot);
    EXPECT_EQ(cjk->chp.hps, 46);
    EXPECT_TRUE(cjk->chp.fBold);
    EXPECT_EQ(dot->chp.hps, 24);
    EXPECT_FALSE(dot->chp.fBold);
    EXPECT_EQ(d.font(cjk->chp.rgftc[1])->name, "楷体_GB2312");
    EXPECT_EQ(cjk->chp.cv, 0x008000u);
    EXPECT_EQ(dot->chp.cv, 0x008000u);
    // P3: both fonts 隶书, 21 pt, italic.
    const CharacterRun& p3 = d.main.runs[d.main.paragraphs.at(2).firstRun];
    EXPECT_EQ(d.font(p3.chp.rgftc[0])->name, "隶书");
    EXPECT_EQ(d.font(p3.chp.rgftc[1])->name, "隶书");
    EXPECT_EQ(p3.chp.hps, 42);
    EXPECT_TRUE(p3.chp.fItalic);
}

TEST(LibreOfficeSamples, PageSizesAndOrientation) {
    struct Case {
        const char* file;
        std::uint16_t xa, ya;
        std::uint8_t orient;
        std::int16_t left, top;
    };
    for (const Case& c : {Case{"lo_page_16k_landscape.doc", 14740, 10440, 2, 1134, 1134},
                          Case{"lo_page_b4jis.doc", 14570, 20636, 1, 1134, 1134},
                          Case{"lo_page_a4.doc", 11906, 16838, 1, 1134, 1134}}) {
        SCOPED_TRACE(c.file);
        const Document d = mustRead(loSample(c.file));
        ASSERT_EQ(d.sections.size(), 1u);
        const Sep& s = d.sections[0].sep;
        EXPECT_EQ(s.xaPage, c.xa);
        EXPECT_EQ(s.yaPage, c.ya);
        EXPECT_EQ(s.dmOrientPage, c.orient);
        EXPECT_EQ(s.dxaLeft, c.left);
        EXPECT_EQ(s.dxaRight, c.left);
        EXPECT_EQ(s.dyaTop, c.top);
    }
}

TEST(LibreOfficeSamples, HeaderAndFooterStories) {
    const Document d = mustRead(loSample("lo_header_footer.doc"));
    ASSERT_EQ(d.sections.size(), 1u);
    const Section& s = d.sections[0];
    EXPECT_FALSE(s.sep.fTitlePage);
    // With a header the body margin grows by the header: 1134 + 284.
    EXPECT_EQ(s.sep.dyaTop, 1418);
    const auto& odd = s.headers[static_cast<std::size_t>(HeaderKind::OddHeader)];
    EXPECT_EQ(d.utf8(odd.story.cps), "九寨\r\r");
    EXPECT_TRUE(s.headers[static_cast<std::size_t>(HeaderKind::EvenHeader)].empty());
    // The first-page stories are written ("\r\r") although the title page is off.
    EXPECT_EQ(d.utf8(s.headers[static_cast<std::size_t>(HeaderKind::FirstHeader)].story.cps), "\r\r");
    // Footer: a PAGE field in a right-aligned paragraph without a frame.
    const auto& footer = s.headers[static_cast<std::size_t>(HeaderKind::OddFooter)];
    const Paragraph& fp = footer.story.paragraphs.at(0);
    EXPECT_EQ(fp.pap.jc, 2);
    EXPECT_FALSE(fp.pap.framed);
    const auto& fields = d.fields[static_cast<std::size_t>(StoryKind::Header)];
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0].flt, kFltPage);
    EXPECT_TRUE(fp.cps.contains(fields[0].begin));
    EXPECT_EQ(d.text[fields[0].begin], 0x13);
    EXPECT_EQ(d.text[fields[0].end], 0x15);
}

TEST(LibreOfficeSamples, FirstPageHeaderWithTitlePage) {
    const Document d = mustRead(loSample("lo_header_firstpage.doc"));
    const Section& s = d.sections.at(0);
    EXPECT_TRUE(s.sep.fTitlePage);
    EXPECT_EQ(d.utf8(s.headers[static_cast<std::size_t>(HeaderKind::FirstHeader)].story.cps), "首页\r\r");
    EXPECT_EQ(d.utf8(s.headers[static_cast<std::size_t>(HeaderKind::OddHeader)].story.cps), "九寨\r\r");
    const Paragraph& footer = s.headers[static_cast<std::size_t>(HeaderKind::OddFooter)].story.paragraphs.at(0);
    EXPECT_EQ(footer.pap.jc, 1);
    EXPECT_TRUE(paraText(d, footer).starts_with("第 \x13 PAGE"));
}

TEST(LibreOfficeSamples, FloatingPictureAnchors) {
    const Document d = mustRead(loSample("lo_pictures.doc"));
    // Nine floating pictures (p8 is inline and has no FSPA), in CP order.
    ASSERT_EQ(d.mainShapes.size(), 9u);
    for (const ShapeAnchor& a : d.mainShapes) EXPECT_EQ(d.text[a.cp], 0x08);
    // wr per the research table: parallel 2, contour 4, optimal 2 (wrk 3), through 3, none 1,
    // through in the background 3 + fBelowText.
    std::vector<int> wr;
    for (const ShapeAnchor& a : d.mainShapes) wr.push_back(a.spa.wr);
    EXPECT_EQ(wr, (std::vector<int>{2, 4, 2, 3, 4, 1, 2, 2, 3}));
    EXPECT_EQ(d.mainShapes[2].spa.wrk, 3);
    EXPECT_TRUE(d.mainShapes.back().spa.fBelowText);
    EXPECT_FALSE(d.mainShapes[3].spa.fBelowText);
    EXPECT_EQ(d.mainShapes[0].spa.spid, 1026);
    // p8 holds an inline picture: a special 0x01 character with a picture location.
    const Paragraph* p8 = findParagraph(d, d.main, "p8 as-character");
    ASSERT_NE(p8, nullptr);
    bool inlinePicture = false;
    for (const CharacterRun& r : runsOf(d.main, *p8))
        if (d.text[r.cps.start] == 0x01 && r.chp.fSpec && r.chp.hasPicLocation) inlinePicture = true;
    EXPECT_TRUE(inlinePicture);
    EXPECT_FALSE(d.dggInfo().empty());
}

}  // namespace
}  // namespace tarnwick::doc
