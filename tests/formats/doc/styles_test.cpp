// Style chains and character styles, on HeaderFooterUnicode.doc with patched bytes: its Normal
// style is not bold, "Heading 1" (istd 1) is bold through sprmCFBold 0x81, and the character
// style "Heading 1 Char" (istd 15) sets sprmCFBold 1 and sprmCHps 48.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/doc/doc_test_util.h"

namespace tarnwick::doc {
namespace {

using namespace tarnwick::doc::test;

// The one CHPX (cb 12: CRsidProp, CRsidText) shared by "Molière\r" (Heading 1) and "L'Avare ou
// l'École du mensonge" (Normal).
std::size_t sharedChpx(const Streams& s) {
    const std::uint8_t pattern[] = {0x0C, 0x15, 0x68, 0xEF, 0x27, 0xCC, 0x00, 0x16, 0x68, 0xEF, 0x27, 0xCC, 0x00};
    auto it = std::search(s.wordDocument.begin(), s.wordDocument.end(), std::begin(pattern), std::end(pattern));
    if (it == s.wordDocument.end()) throw std::runtime_error("CHPX not found");
    return static_cast<std::size_t>(it - s.wordDocument.begin()) + 1;
}

const CharacterRun& runStarting(const Document& d, std::string_view prefix) {
    for (const Paragraph& p : d.main.paragraphs)
        if (const CharacterRun* r = findRun(d, d.main, p, prefix)) return *r;
    throw std::runtime_error("no run " + std::string(prefix));
}

// Offset in the table stream of STD `istd` (after its cbStd).
std::size_t stdOffset(const Streams& s, std::uint16_t istd) {
    const FcLcb stsh = fcLcbOf(s, FcLcbIndex::Stshf);
    std::size_t at = stsh.fc;
    at += 2 + (s.table.at(at) | (s.table.at(at + 1) << 8));
    for (std::uint16_t i = 0;; ++i) {
        if ((at - stsh.fc) % 2) ++at;
        const std::size_t cb = s.table.at(at) | (s.table.at(at + 1) << 8);
        if (i == istd) return at + 2;
        at += 2 + cb;
    }
}

void setIstdBase(Streams& s, std::uint16_t istd, std::uint16_t base) {
    const std::size_t at = stdOffset(s, istd) + 2;
    const std::uint16_t w = static_cast<std::uint16_t>((s.table.at(at) & 0x0F) | (base << 4));
    set16(s.table, at, w);
}

TEST(Styles, CharacterStyleTogglesAgainstTheParagraphStyle) {
    Streams s = streamsOf(corpusDoc("HeaderFooterUnicode.doc"));
    {
        auto before = s.read();
        ASSERT_TRUE(before.ok());
        EXPECT_TRUE(runStarting(*before, "Molière").chp.fBold);
        EXPECT_FALSE(runStarting(*before, "L'Avare").chp.fBold);
    }
    // The shared CHPX becomes sprmCIstd 15, sprmCHps 30, sprmCRgFtc0 2 (Arial).
    const std::size_t at = sharedChpx(s);
    const std::uint8_t chpx[] = {0x30, 0x4A, 15, 0, 0x43, 0x4A, 30, 0, 0x4F, 0x4A, 2, 0};
    std::copy(std::begin(chpx), std::end(chpx), s.wordDocument.begin() + static_cast<std::ptrdiff_t>(at));
    auto r = s.read();
    ASSERT_TRUE(r.ok()) << r.error().message;
    const CharacterRun& heading = runStarting(*r, "Molière");
    const CharacterRun& normal = runStarting(*r, "L'Avare");
    EXPECT_EQ(heading.chp.istd, 15);
    EXPECT_EQ(normal.chp.istd, 15);
    // Bold in the character style flips the paragraph style's bold.
    EXPECT_FALSE(heading.chp.fBold);
    EXPECT_TRUE(normal.chp.fBold);
    // Direct formatting wins over the character style's size; the font is the direct one.
    EXPECT_EQ(heading.chp.hps, 30);
    EXPECT_EQ(r->font(normal.chp.rgftc[0])->name, "Arial");
    // The style itself, resolved on the defaults.
    ASSERT_NE(r->style(15), nullptr);
    EXPECT_EQ(r->style(15)->name, "Heading 1 Char");
    EXPECT_EQ(r->style(15)->stk, kStkCharacter);
    EXPECT_TRUE(r->style(15)->chp.fBold);
    EXPECT_EQ(r->style(15)->chp.hps, 48);
}

TEST(Styles, HyperlinkCharacterStyleGivesColourAndUnderline) {
    const Document d = mustRead(corpusDoc("FloatingPictures.doc"));
    const CharacterRun& link = runStarting(d, "hyperlink");
    EXPECT_EQ(d.style(link.chp.istd)->name, "Hyperlink");
    EXPECT_EQ(link.chp.kul, 1);
    EXPECT_EQ(link.chp.ico, 2);
    EXPECT_EQ(link.chp.cv, 0xFF0000u);
}

TEST(Styles, ParagraphStylesInheritThroughIstdBase) {
    const Document d = mustRead(corpusDoc("HeaderFooterUnicode.doc"));
    // "Header" (istd 16) is based on Normal: Normal's 11 pt, its own line spacing and tabs.
    const Style* h = d.style(16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->name, "Header");
    EXPECT_EQ(h->istdBase, 0);
    EXPECT_EQ(h->chp.hps, 22);
    EXPECT_EQ(h->pap.lspd, (Lspd{240, 1}));
    EXPECT_EQ(d.style(0)->pap.lspd, (Lspd{276, 1}));
    // Empty slots are not styles.
    EXPECT_EQ(d.style(2), nullptr);
    EXPECT_EQ(d.style(1000), nullptr);
}

TEST(Styles, ChainsThatLoopAreDamage) {
    const Streams original = streamsOf(corpusDoc("HeaderFooterUnicode.doc"));
    {
        Streams s = original;
        setIstdBase(s, 0, 1);  // Normal based on Heading 1, which is based on Normal
        auto r = s.read();
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().kind, ErrorKind::Damaged);
        EXPECT_NE(r.error().message.find("循环"), std::string::npos) << r.error().message;
    }
    {
        Streams s = original;
        setIstdBase(s, 16, 16);  // based on itself
        auto r = s.read();
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().kind, ErrorKind::Damaged);
    }
    {
        // A base index that names no style is no base at all.
        Streams s = original;
        setIstdBase(s, 16, 900);
        auto r = s.read();
        ASSERT_TRUE(r.ok()) << r.error().message;
        EXPECT_EQ(r->style(16)->chp.hps, 20);  // the [MS-DOC] default instead of Normal's 22
    }
}

}  // namespace
}  // namespace tarnwick::doc
