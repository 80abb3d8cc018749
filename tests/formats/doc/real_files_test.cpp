// Word-written files of the corpus: what the object model will read from them.
#include <gtest/gtest.h>

#include "formats/doc/doc_test_util.h"

namespace tarnwick::doc {
namespace {

using namespace tarnwick::doc::test;

const HeaderStory& header(const Section& s, HeaderKind k) { return s.headers[static_cast<std::size_t>(k)]; }

TEST(RealFiles, FloatingPicturesColoursAlignmentAndShapes) {
    const Document d = mustRead(corpusDoc("FloatingPictures.doc"));
    EXPECT_EQ(d.fib.base.nProduct, 0x6003);  // Word 2003

    // "Red Orange Yellow Green Blue Violet": CCv (COLORREF, red in the low byte) beside CIco.
    const Paragraph* rainbow = findParagraph(d, d.main, "Red Orange Yellow");
    ASSERT_NE(rainbow, nullptr);
    struct Colour {
        const char* word;
        std::uint8_t ico;
        std::uint32_t cv;
    };
    for (const Colour& c : {Colour{"Red", 6, 255}, Colour{"Orange", 6, 26367}, Colour{"Green", 11, 32768},
                            Colour{"Blue", 2, 0xFF0000}}) {
        SCOPED_TRACE(c.word);
        const CharacterRun* r = findRun(d, d.main, *rainbow, c.word);
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(r->chp.hasCv);
        EXPECT_EQ(r->chp.cv, c.cv);
        EXPECT_EQ(r->chp.ico, c.ico);
    }
    // The spaces between the words have no colour of their own.
    const CharacterRun& space = d.main.runs[rainbow->firstRun + 1];
    EXPECT_EQ(d.utf8(space.cps), " ");
    EXPECT_FALSE(space.chp.hasCv);
    EXPECT_EQ(space.chp.ico, 0);

    // Alignment lines: sprmPJc80 and sprmPJc both written, same value.
    auto jcOf = [&](const char* prefix) {
        const Paragraph* p = findParagraph(d, d.main, prefix);
        return p ? int{p->pap.jc} : -1;
    };
    EXPECT_EQ(jcOf("This line is left aligned."), 0);
    EXPECT_EQ(jcOf("This is a single centered line"), 1);
    EXPECT_EQ(jcOf("This line is right aligned."), 2);
    EXPECT_EQ(jcOf("This line is centered."), 1);
    EXPECT_EQ(jcOf("This is a three line example of a fully justified"), 3);

    // Four floating pictures: square, tight (fBelowText set but irrelevant), behind, in front.
    ASSERT_EQ(d.mainShapes.size(), 4u);
    EXPECT_EQ(d.mainShapes[0].spa.wr, 2);
    EXPECT_EQ(d.mainShapes[1].spa.wr, 4);
    EXPECT_EQ(d.mainShapes[2].spa.wr, 3);
    EXPECT_TRUE(d.mainShapes[2].spa.fBelowText);
    EXPECT_EQ(d.mainShapes[3].spa.wr, 3);
    EXPECT_FALSE(d.mainShapes[3].spa.fBelowText);
    for (const ShapeAnchor& a : d.mainShapes) {
        EXPECT_EQ(d.text[a.cp], 0x08);
        EXPECT_GT(a.spa.xaRight, a.spa.xaLeft);
    }
    EXPECT_FALSE(d.dggInfo().empty());

    // Section 2 is landscape with the dimensions swapped.
    ASSERT_EQ(d.sections.size(), 2u);
    EXPECT_EQ(d.sections[0].sep.dmOrientPage, 1);
    EXPECT_EQ(d.sections[1].sep.dmOrientPage, 2);
    EXPECT_EQ(d.sections[1].sep.xaPage, 15840);
    EXPECT_EQ(d.sections[1].sep.yaPage, 12240);
    // The first section ends with its section mark, which ends the paragraph.
    EXPECT_EQ(d.text[d.sections[0].cps.end - 1], 0x0C);
    bool markEndsParagraph = false;
    for (const Paragraph& p : d.main.paragraphs) markEndsParagraph |= p.cps.end == d.sections[0].cps.end;
    EXPECT_TRUE(markEndsParagraph);
}

TEST(RealFiles, FastSavedRaspReadsPiecesInCpOrderWithTheirPrms) {
    const auto bytes = corpusDoc("rasp.doc");
    const Document d = mustRead(bytes);
    EXPECT_TRUE(d.fib.base.fComplex);
    EXPECT_EQ(d.fib.base.nProduct, 0x0049);  // Word 97
    ASSERT_EQ(d.pieces.size(), 34u);
    // Pieces out of file order: some piece starts earlier in the stream than the one before.
    bool outOfOrder = false;
    for (std::size_t i = 1; i < d.pieces.size(); ++i)
        outOfOrder |= d.pieces[i].fc.byteOffset() < d.pieces[i - 1].fc.byteOffset();
    EXPECT_TRUE(outOfOrder);
    const std::string text = storyText(d, d.main);
    EXPECT_NE(text.find("Открытое акционерное общество «ХХХХХХХХХХХ»"), std::string::npos);
    EXPECT_NE(text.find("«УУУУУУУУУУУ»"), std::string::npos);

    // CP 98 lies in a piece whose Prm1 points at Prc 0 (sprmCFBold 0x81, sprmCHps 28); its CHPX
    // sets nothing. In the Normal (not bold) style 0x81 means bold.
    const std::size_t k = 12;
    ASSERT_EQ(d.pieces[k].cps, (CpRange{98, 99}));
    ASSERT_TRUE(d.pieces[k].prm.fComplex());
    EXPECT_EQ(d.pieces[k].prm.igrpprl(), 0);
    const CharacterRun* at98 = nullptr;
    for (const CharacterRun& r : d.main.runs)
        if (r.cps.contains(98)) at98 = &r;
    ASSERT_NE(at98, nullptr);
    EXPECT_TRUE(at98->chp.fBold);
    EXPECT_EQ(at98->chp.hps, 28);
    // The same file with that PRM cleared: the character has the Normal style's properties.
    Streams s = streamsOf(bytes);
    set16(s.table, pcdOffset(s, k) + 6, 0);
    auto plain = s.read();
    ASSERT_TRUE(plain.ok()) << plain.error().message;
    for (const CharacterRun& r : plain->main.runs)
        if (r.cps.contains(98)) {
            EXPECT_FALSE(r.chp.fBold);
            EXPECT_EQ(r.chp.hps, plain->styles.at(0).chp.hps);
            EXPECT_NE(r.chp.hps, 28);
        }

    // A Prc with sprmPIstd: the piece holding the second title's mark makes it "Заголовок 1".
    const Paragraph* second = findParagraph(d, d.main, "Открытое акционерное общество «УУУ");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(d.style(second->pap.istd)->name, "Заголовок 1");
    // Word 97's A4 in this file (sprmSDmPaperReq 9).
    const Sep& sep = d.sections.at(0).sep;
    EXPECT_EQ(sep.xaPage, 11907);
    EXPECT_EQ(sep.yaPage, 16840);
    EXPECT_EQ(sep.dmPaperReq, 9);
}

TEST(RealFiles, FastSavedOKursHeadersAndTitlePage) {
    const Document d = mustRead(corpusDoc("o_kurs.doc"));
    EXPECT_TRUE(d.fib.base.fComplex);
    EXPECT_GT(d.pieces.size(), 300u);
    EXPECT_TRUE(d.sections.at(0).sep.fTitlePage);
    // Page numbers in centred frames (sprmPDxaAbs -4) in the even and odd headers.
    for (HeaderKind k : {HeaderKind::EvenHeader, HeaderKind::OddHeader}) {
        const Paragraph& p = header(d.sections[0], k).story.paragraphs.at(0);
        EXPECT_TRUE(p.pap.framed);
        EXPECT_EQ(p.pap.dxaAbs, -4);
        EXPECT_TRUE(d.utf8(p.cps).starts_with("\x13PAGE"));
    }
    // Every paragraph's runs cover it exactly, in order.
    for (const Paragraph& p : d.main.paragraphs) {
        ASSERT_GT(p.runCount, 0u);
        Cp at = p.cps.start;
        for (const CharacterRun& r : runsOf(d.main, p)) {
            ASSERT_EQ(r.cps.start, at);
            at = r.cps.end;
        }
        ASSERT_EQ(at, p.cps.end);
    }
}

TEST(RealFiles, PageNumberFrameInFooter60279) {
    const Document d = mustRead(corpusDoc("60279.doc"));
    const HeaderStory& footer = header(d.sections.at(0), HeaderKind::OddFooter);
    ASSERT_FALSE(footer.empty());
    const Paragraph& p = footer.story.paragraphs.at(0);
    EXPECT_TRUE(p.pap.framed);
    EXPECT_EQ(p.pap.dxaAbs, -8);  // right
    EXPECT_EQ(p.pap.dyaAbs, 1);
    EXPECT_EQ(p.pap.pcHorz, 1);   // PPc 0x60: relative to the margin
    EXPECT_EQ(p.pap.pcVert, 2);
    EXPECT_EQ(p.pap.wr, 2);
    // The paragraph after it is not in the frame.
    EXPECT_FALSE(footer.story.paragraphs.at(1).pap.framed);
    // The PAGE field sits in that paragraph.
    bool page = false;
    for (const Field& f : d.fields[static_cast<std::size_t>(StoryKind::Header)])
        page |= f.flt == kFltPage && p.cps.contains(f.begin) && p.cps.contains(f.end);
    EXPECT_TRUE(page);
}

TEST(RealFiles, HeaderStoriesOfHeaderFooterUnicode) {
    const Document d = mustRead(corpusDoc("HeaderFooterUnicode.doc"));
    // Six separator stories first (footnote and endnote separators, "\u0003\r\r", "\u0004\r\r").
    EXPECT_EQ(d.utf8(d.separators[0].story.cps), "\x03\r\r");
    EXPECT_EQ(d.utf8(d.separators[1].story.cps), "\x04\r\r");
    const Section& s = d.sections.at(0);
    EXPECT_FALSE(s.sep.fTitlePage);
    EXPECT_FALSE(d.dop.fFacingPages);
    EXPECT_EQ(d.utf8(header(s, HeaderKind::OddHeader).story.cps), "This is a simple header, with a € euro symbol in it.\r\r\r");
    EXPECT_EQ(header(s, HeaderKind::OddHeader).inHeaderDocument, (CpRange{14, 69}));
    EXPECT_EQ(header(s, HeaderKind::OddHeader).story.cps.start, 408u + 14u);
    // The default font of runs without sprmCRgFtc0 is STSHI.ftcAsci (3, Calibri); Heading 1
    // sets font 0 itself.
    EXPECT_EQ(d.stshi.ftcAsci, 3);
    const CharacterRun& first = d.main.runs.at(0);
    EXPECT_EQ(d.font(first.chp.rgftc[0])->name, "Calibri");
    EXPECT_EQ(first.chp.hps, 22);
    const Paragraph* moliere = findParagraph(d, d.main, "\tMolière");
    ASSERT_NE(moliere, nullptr);
    const CharacterRun& heading = d.main.runs[moliere->firstRun + 1];
    EXPECT_EQ(d.font(heading.chp.rgftc[0])->name, "Times New Roman");
    EXPECT_TRUE(heading.chp.fBold);  // sprmCFBold 0x81 in the style: the opposite of Normal
    // "Les Précieuses ridicules." is italic by sprmCFItalic 0x81 against a non-italic style.
    const Paragraph& last = d.main.paragraphs.back();
    const CharacterRun* italic = findRun(d, d.main, last, "Les Pr");
    ASSERT_NE(italic, nullptr);
    EXPECT_TRUE(italic->chp.fItalic);
    ASSERT_TRUE(d.summary.has_value());
    EXPECT_EQ(d.summary->author->utf8, "Nick Burch");
    EXPECT_EQ(d.summary->appName->utf8, "Microsoft Office Word");
    EXPECT_TRUE(d.summary->lastSaved.has_value());
}

TEST(RealFiles, PageBreakStaysInsideItsParagraph) {
    // Word: a page break is a character of the paragraph it is in ("\f\r" is one paragraph);
    // POI counts it as a paragraph of its own.
    const Document d = mustRead(corpusDoc("HeaderFooterUnicode.doc"));
    ASSERT_EQ(d.main.paragraphs.size(), 12u);
    EXPECT_EQ(paraText(d, d.main.paragraphs[10]), "\f\r");
}

TEST(RealFiles, OddAndEvenFootersWithFacingPages) {
    const Document d = mustRead(corpusDoc("PerPageHeadFoot.doc"));
    EXPECT_TRUE(d.dop.fFacingPages);
    const Section& s = d.sections.at(0);
    EXPECT_FALSE(s.sep.fTitlePage);
    EXPECT_EQ(d.utf8(header(s, HeaderKind::OddFooter).story.cps), "Footer Left\tFooter Middle Footer Right\r\r");
    const HeaderStory& even = header(s, HeaderKind::EvenFooter);
    EXPECT_TRUE(d.utf8(even.story.cps).ends_with("This is a simple footer on the second page\r\r"));
    // Cell marks end paragraphs in header stories too: the even header is a one-row table.
    const HeaderStory& evenHeader = header(s, HeaderKind::EvenHeader);
    ASSERT_GE(evenHeader.story.paragraphs.size(), 3u);
    EXPECT_EQ(paraText(d, evenHeader.story.paragraphs[0]), "[This is an Even Page, with a Header]\x07");
    EXPECT_TRUE(evenHeader.story.paragraphs[0].pap.fInTable);
    // A later section without its own stories would inherit these.
    EXPECT_EQ(d.inheritedHeader(0, HeaderKind::EvenFooter), &even);
    EXPECT_EQ(d.inheritedHeader(0, HeaderKind::FirstHeader), nullptr);
}

TEST(RealFiles, SectionsAndColumns) {
    const Document d = mustRead(corpusDoc("Bug53453Section.doc"));
    ASSERT_EQ(d.sections.size(), 2u);
    EXPECT_EQ(d.sections[0].cps, (CpRange{0, 10}));
    EXPECT_EQ(d.sections[1].cps, (CpRange{10, 19}));
    EXPECT_EQ(d.sections[0].sep.ccolM1, 0);
    EXPECT_EQ(d.sections[1].sep.ccolM1, 2);
    EXPECT_EQ(d.sections[1].sep.bkc, 0);  // continuous
}

TEST(RealFiles, EveryWordFileOfTheCorpusOpens) {
    for (const char* name : {"60279.doc", "64132.doc", "Bug53453Section.doc", "FloatingPictures.doc", "Fuzzed.doc",
                             "HeaderFooterUnicode.doc", "HeaderWithMacros.doc", "Lists.doc", "PerPageHeadFoot.doc",
                             "ThreeColHeadFoot.doc", "o_kurs.doc", "rasp.doc", "test-fields.doc", "test2.doc",
                             "testPictures.doc", "two_images.doc"}) {
        SCOPED_TRACE(name);
        auto r = readDocument(Bytes(corpusDoc(name)));
        ASSERT_TRUE(r.ok()) << r.error().message;
        // The stories tile the text, and every story's paragraphs tile the story.
        const Document& d = *r;
        EXPECT_EQ(d.part(StoryKind::Main).start, 0u);
        for (std::size_t i = 1; i < kStoryKinds; ++i) EXPECT_EQ(d.parts[i].start, d.parts[i - 1].end);
        Cp at = 0;
        for (const Paragraph& p : d.main.paragraphs) {
            EXPECT_EQ(p.cps.start, at);
            at = p.cps.end;
        }
        EXPECT_EQ(at, d.main.cps.end);
    }
}

}  // namespace
}  // namespace tarnwick::doc
