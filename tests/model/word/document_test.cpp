// The word:: object model over real Word files and the LibreOffice fixtures of tests/data/doc:
// each read as Word reports it for the saved file.
#include "model/word/document.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace tarnwick::word {
namespace {

Document open(const std::string& relative, bool corpus = false) {
    const auto path = corpus ? test::corpusPath(relative) : test::dataPath(relative);
    auto d = Document::open(path);
    if (!d) throw std::runtime_error(path.string() + ": " + d.error().message);
    return std::move(*d);
}

// The paragraph (1-based) whose text starts with `prefix`, or 0.
std::int32_t paragraphStarting(const Document& d, const std::string& prefix) {
    for (std::int32_t i = 1; i <= d.Paragraphs().Count(); ++i) {
        const Variant t = d.Paragraphs()(i).Range().Text();
        if (t.isText() && t.asText().starts_with(prefix)) return i;
    }
    return 0;
}

// The characters `needle` (UTF-16) inside paragraph `i`, as a Range of the document.
Range charactersOf(const Document& d, std::int32_t i, std::u16string_view needle) {
    const auto& data = *d.data();
    const doc::Paragraph& p = data.file.main.paragraphs[data.paragraphs[static_cast<std::size_t>(i - 1)]];
    const std::u16string_view text = data.file.textOf(p.cps);
    const std::size_t at = text.find(needle);
    if (at == std::u16string_view::npos) throw std::runtime_error("text not found in the paragraph");
    const auto start = static_cast<std::int32_t>(d.Paragraphs()(i).Range().Start().asNumber() + static_cast<double>(at));
    return d.Range(start, start + static_cast<std::int32_t>(needle.size()));
}

// The paragraph's characters without its mark.
Range textOf(const Document& d, std::int32_t i) {
    const Range r = d.Paragraphs()(i).Range();
    return d.Range(static_cast<std::int32_t>(r.Start().asNumber()), static_cast<std::int32_t>(r.End().asNumber()) - 1);
}

TEST(WordModel, TitleFontOfItsCharactersAndTheMarkThatLibreOfficeLeavesPlain) {
    const Document d = open("doc/title-body.doc");
    ASSERT_EQ(d.Paragraphs().Count(), 3);
    EXPECT_TRUE(d.Paragraphs()(1).Range().Text() == "中国航天事业\r");
    const Font title = textOf(d, 1).Font();
    EXPECT_TRUE(title.Name() == "黑体");
    EXPECT_TRUE(title.Size() == 16);
    EXPECT_TRUE(title.Color() == 255);
    EXPECT_TRUE(title.Bold() == wd::True);
    EXPECT_TRUE(d.Paragraphs()(1).Range().ParagraphFormat().Alignment() == wd::AlignParagraphCenter);
    // The whole paragraph includes its mark, which LibreOffice stores without formatting: Word's
    // mixed values.
    const Font whole = d.Paragraphs()(1).Range().Font();
    EXPECT_TRUE(whole.Name() == "");
    EXPECT_TRUE(whole.Size() == wd::Undefined);
    EXPECT_TRUE(whole.Bold() == wd::Undefined);
    // Body paragraphs mix Chinese and Latin text, all in 宋体 set on every run and the mark.
    const Font body = d.Paragraphs()(2).Range().Font();
    EXPECT_TRUE(body.Name() == "宋体");
    EXPECT_TRUE(body.Size() == 12);
    EXPECT_TRUE(body.Color() == wd::ColorAutomatic);
    EXPECT_TRUE(d.Paragraphs()(2).Range().ParagraphFormat().Alignment() == wd::AlignParagraphJustify);
    EXPECT_TRUE(d.savedBy().libreOffice);
}

TEST(WordModel, LineSpacingIsTheStoredSpacingInPointsForEveryRule) {
    const Document d = open("doc/line-spacing.doc");
    EXPECT_TRUE(d.Paragraphs()(1).Range().ParagraphFormat().LineSpacing() == 18);  // 1.5 lines
    EXPECT_TRUE(d.Paragraphs()(2).Range().ParagraphFormat().LineSpacing() == 18);  // exactly 18 pt
    EXPECT_TRUE(d.Paragraphs()(3).Range().ParagraphFormat().LineSpacing() == 12);
    EXPECT_TRUE(d.Range().ParagraphFormat().LineSpacing() == wd::Undefined);
}

TEST(WordModel, UnderlineAndItalicOfTheText) {
    const Document d = open("doc/underline-italic.doc");
    const int underline[] = {1, 0, 1, 0}, italic[] = {0, wd::True, wd::True, 0};
    for (std::int32_t i = 1; i <= 4; ++i) {
        const Font f = textOf(d, i).Font();
        EXPECT_TRUE(f.Underline() == underline[i - 1]) << i << ": " << f.Underline().describe();
        EXPECT_TRUE(f.Italic() == italic[i - 1]) << i;
    }
}

TEST(WordModel, ColoursPreferTheRgbValueOverThePaletteIndex) {
    const Document d = open("doc/font-colours.doc");
    EXPECT_TRUE(textOf(d, 1).Font().Color() == 26367);  // orange: CIco says red, CCv says FF6600
    EXPECT_TRUE(textOf(d, 2).Font().Color() == 32768);
    EXPECT_TRUE(textOf(d, 3).Font().Color() == 255);
    EXPECT_TRUE(textOf(d, 6).Font().Color() == wd::ColorAutomatic);
    // Chinese characters show the East Asian font; Latin letters the ASCII font.
    EXPECT_TRUE(charactersOf(d, 4, u"楷体").Font().Name() == "楷体_GB2312");
    EXPECT_TRUE(charactersOf(d, 4, u"GB").Font().Name() == "宋体");
    EXPECT_TRUE(textOf(d, 4).Font().Name() == "");
    EXPECT_TRUE(textOf(d, 5).Font().Name() == "隶书");
}

TEST(WordModel, CharacterAndLineUnitsOnlyWhenStoredInThoseUnits) {
    const Document units = open("doc/char-units.doc");
    const double first[] = {2, 0, 2, 0}, left[] = {0, 2, 2, 0};
    for (std::int32_t i = 1; i <= 4; ++i) {
        const ParagraphFormat f = units.Paragraphs()(i).Range().ParagraphFormat();
        EXPECT_TRUE(f.CharacterUnitFirstLineIndent() == first[i - 1]) << i;
        EXPECT_TRUE(f.CharacterUnitLeftIndent() == left[i - 1]) << i;
    }
    const Document lines = open("doc/line-units.doc");
    const double before[] = {2, 0, 2, 0}, after[] = {0, 2, 2, 0};
    for (std::int32_t i = 1; i <= 4; ++i) {
        const ParagraphFormat f = lines.Paragraphs()(i).Range().ParagraphFormat();
        EXPECT_TRUE(f.LineUnitBefore() == before[i - 1]) << i;
        EXPECT_TRUE(f.LineUnitAfter() == after[i - 1]) << i;
    }
}

TEST(WordModel, PageSetupInSinglePrecisionPoints) {
    const PageSetup a4 = open("doc/a4-portrait.doc").PageSetup();
    EXPECT_TRUE(a4.PageWidth() == Single(595.3));
    EXPECT_FALSE(a4.PageWidth() == Single(595.35));  // LibreOffice's A4 is not the rubric's
    EXPECT_TRUE(a4.Orientation() == wd::OrientPortrait);
    EXPECT_TRUE(open("doc/margins-2cm.doc").PageSetup().LeftMargin() == Single(56.7));
    EXPECT_TRUE(open("doc/landscape.doc").PageSetup().Orientation() == wd::OrientLandscape);
    const PageSetup k16 = open("doc/page-16k-landscape.doc").PageSetup();
    EXPECT_TRUE(k16.PageWidth() == Single(737.1) && k16.PageHeight() == Single(521.65));
    const PageSetup wordA4 = open("doc/page-a4-word.doc").PageSetup();
    EXPECT_TRUE(wordA4.PageWidth() == Single(595.35) && wordA4.PageHeight() == 842);
    const PageSetup b4 = open("doc/page-b4.doc").PageSetup();
    EXPECT_TRUE(b4.PageWidth() == Single(728.6) && b4.PageHeight() == Single(1031.95));
    // A document whose sections differ reports Word's mixed value.
    const Document pictures = open("doc/FloatingPictures.doc", true);
    EXPECT_TRUE(pictures.PageSetup().Orientation() == wd::Undefined);
}

std::string pageOneHeader(const Document& d) {
    Pane pane = d.ActivePane();
    pane.SetViewType(wd::PrintView);
    pane.SetSeekView(wd::SeekCurrentPageHeader);
    pane.SetSelectionStart(0);
    pane.SetSelectionEnd(2);
    const Variant v = pane.SelectionText();
    return v.isText() ? v.asText() : v.describe();
}

TEST(WordModel, TheHeaderShownOnPageOne) {
    EXPECT_EQ(pageOneHeader(open("doc/header.doc")), "九寨");
    EXPECT_EQ(pageOneHeader(open("doc/margins-2cm.doc")), "\r");  // no header: an empty one
    EXPECT_EQ(pageOneHeader(open("doc/HeaderFooterUnicode.doc", true)), "Th");
    // Different odd and even pages: page 1 is odd. Its header starts with a table cell.
    EXPECT_EQ(pageOneHeader(open("doc/PerPageHeadFoot.doc", true)), "Au");
    EXPECT_EQ(pageOneHeader(open("doc/lo-samples/lo_header_firstpage.doc")), "首页");
}

TEST(WordModel, PageNumberAlignmentFromTheFrameOrTheParagraph) {
    auto alignment = [](const Document& d) { return d.Sections()(1).Footers()(wd::HeaderFooterPrimary).PageNumbers()(1).Alignment(); };
    EXPECT_TRUE(alignment(open("doc/60279.doc", true)) == wd::AlignPageNumberRight);  // a frame at -8
    EXPECT_TRUE(alignment(open("doc/page-number-right.doc")) == wd::AlignPageNumberRight);
    EXPECT_TRUE(alignment(open("doc/page-number-centre.doc")) == wd::AlignPageNumberCenter);
    const Variant none = alignment(open("doc/header.doc"));
    EXPECT_TRUE(none.isFailed()) << none.describe();
    EXPECT_TRUE(open("doc/60279.doc", true).Sections()(2).Footers()(1).PageNumbers()(1).Alignment().isFailed());
}

TEST(WordModel, RealWordFilesColoursAlignmentAndFastSavedBold) {
    const Document d = open("doc/FloatingPictures.doc", true);
    const std::int32_t rainbow = paragraphStarting(d, "Red Orange Yellow");
    ASSERT_GT(rainbow, 0);
    EXPECT_TRUE(charactersOf(d, rainbow, u"Red").Font().Color() == 255);
    EXPECT_TRUE(charactersOf(d, rainbow, u"Orange").Font().Color() == 26367);
    EXPECT_TRUE(charactersOf(d, rainbow, u"Green").Font().Color() == 32768);
    EXPECT_TRUE(d.Paragraphs()(rainbow).Range().Font().Color() == wd::Undefined);
    auto alignmentOf = [&](const char* prefix) {
        return d.Paragraphs()(paragraphStarting(d, prefix)).Range().ParagraphFormat().Alignment();
    };
    EXPECT_TRUE(alignmentOf("This is a single centered line") == wd::AlignParagraphCenter);
    EXPECT_TRUE(alignmentOf("This line is right aligned.") == wd::AlignParagraphRight);
    EXPECT_TRUE(alignmentOf("This is a three line example of a fully justified") == wd::AlignParagraphJustify);

    // Word 97's fast save: pieces out of order, a piece's own properties make a character bold.
    const Document rasp = open("doc/rasp.doc", true);
    EXPECT_TRUE(rasp.Range(98, 99).Font().Bold() == wd::True);
    EXPECT_TRUE(rasp.Range(98, 99).Font().Size() == 14);
    EXPECT_TRUE(rasp.PageSetup().PageWidth() == Single(595.35) && rasp.PageSetup().PageHeight() == 842);
    EXPECT_FALSE(rasp.savedBy().libreOffice);
}

TEST(WordModel, DeletingParagraphsInMemoryKeepsTheRestAndTheFinalMark) {
    Document d = open("doc/underline-italic.doc");
    ASSERT_EQ(d.Paragraphs().Count(), 4);
    const double start3 = d.Paragraphs()(3).Range().Start().asNumber();
    const double length2 = d.Paragraphs()(2).Range().End().asNumber() - d.Paragraphs()(2).Range().Start().asNumber();
    Range second = d.Paragraphs()(2).Range();
    second.Delete();
    ASSERT_EQ(d.Paragraphs().Count(), 3);
    EXPECT_TRUE(d.Paragraphs()(2).Range().Text() == "下划线并倾斜 both。\r");
    EXPECT_TRUE(d.Paragraphs()(2).Range().Start() == start3 - length2);
    EXPECT_TRUE(textOf(d, 2).Font().Italic() == wd::True);  // the paragraph kept its own formatting
    // The last paragraph of a document cannot go.
    Range last = d.Paragraphs()(3).Range();
    last.Delete();
    EXPECT_EQ(d.Paragraphs().Count(), 3);
    // A stretch of characters is not a paragraph: nothing is deleted.
    Range part = d.Range(0, 2);
    part.Delete();
    EXPECT_EQ(d.Paragraphs().Count(), 3);
    // The file itself still has all four.
    EXPECT_EQ(open("doc/underline-italic.doc").Paragraphs().Count(), 4);
}

TEST(WordModel, ReadsOutsideTheDocumentFailInsteadOfDefaulting) {
    const Document d = open("doc/title-body.doc");
    const Range missing = d.Paragraphs()(9).Range();
    EXPECT_TRUE(missing.Text().isFailed());
    EXPECT_TRUE(missing.Font().Name().isFailed());
    EXPECT_TRUE(missing.ParagraphFormat().Alignment().isFailed());
    EXPECT_TRUE(d.Paragraphs()(0).Range().Font().Size().isFailed());
    EXPECT_TRUE(d.Sections()(2).Footers()(1).PageNumbers()(1).Alignment().isFailed());
    EXPECT_FALSE(d.Paragraphs()(9).Range().Font().Size() == 0);
}

TEST(WordModel, AShapeAnchorIsACharacterOfItsParagraph) {
    const Document d = open("doc/picture-square-right.doc");
    const Variant text = d.Paragraphs()(1).Range().Text();
    ASSERT_TRUE(text.isText());
    EXPECT_EQ(text.asText().front(), '\x08');
    // A paragraph holding only an anchor and its mark is two characters: not empty.
    EXPECT_GT(text.asText().size(), 1u);
}

TEST(WordModel, OpeningFailuresCarryTheirKind) {
    test::TempDir tmp;
    EXPECT_EQ(Document::open(tmp.path() / "none.doc").error().kind, ErrorKind::NotFound);
    EXPECT_EQ(Document::open(tmp.path()).error().kind, ErrorKind::NotAFile);
    test::writeBytes(tmp.path() / "a.doc", "{\\rtf1\\ansi hello}");
    EXPECT_EQ(Document::open(tmp.path() / "a.doc").error().kind, ErrorKind::WrongFormat);
    EXPECT_EQ(Document::open(test::corpusPath("doc/Word95.doc")).error().kind, ErrorKind::OlderFormat);
    EXPECT_EQ(Document::open(test::corpusPath("doc/PasswordProtected.doc")).error().kind, ErrorKind::Encrypted);
}

}  // namespace
}  // namespace tarnwick::word
