#include <gtest/gtest.h>
#include <sys/stat.h>

#include "marking/web/page_text.h"
#include "support/test_support.h"

namespace tarnwick::marking::web_rubrics {
namespace {

TEST(JoinItems, DropsCommasLineEndsAndLeadingBlanks) {
    EXPECT_EQ(joinItems("<p>a, b,c</p>\r\n    <hr>\n\t<b>x</b>"), "<p>abc</p><hr><b>x</b>");
    // Blanks inside an item stay; only those before it go.
    EXPECT_EQ(joinItems("<table border=\"1\" width=\"100%\">"), "<table border=\"1\" width=\"100%\">");
    // Quotes stay as they are.
    EXPECT_EQ(joinItems("say \"hi, there\""), "say \"hithere\"");
}

TEST(JoinItems, TagBrokenOverTwoLinesIsJoinedWithNothingBetween) {
    const std::string text = joinItems("<img border=\"0\"\r\n      src=\"miaohui.jpg\">");
    EXPECT_EQ(text, "<img border=\"0\"src=\"miaohui.jpg\">");
    EXPECT_EQ(firstPosition(text, "border=\"0\" src"), 0);
}

TEST(JoinItems, EmptyLinesAndLoneCarriageReturnsAreLineEnds) {
    EXPECT_EQ(joinItems("a\r\n\r\n\r\nb"), "ab");
    EXPECT_EQ(joinItems("a\rb\n\rc"), "abc");
    EXPECT_EQ(joinItems(""), "");
    EXPECT_EQ(joinItems(",,,\n  ,  "), "");
}

TEST(FirstPosition, CountsCharactersNotBytesAndFindsTheFirstHit) {
    const std::string text = "川南玉米之乡——Tenbury Tenbury";
    EXPECT_EQ(firstPosition(text, "Tenbury"), 9);
    EXPECT_EQ(firstPosition(text, "川"), 1);
    EXPECT_EQ(firstPosition(text, "tenbury"), 0);  // case-sensitive
    EXPECT_EQ(firstPosition(text, "nothing"), 0);
    EXPECT_EQ(attributePattern("leftmargin", "5"), "leftmargin=\"5\"");
}

TEST(Decoding, Gb2312PageIsReadAsCodePage936) {
    // The dashes of the heading are A1AA in GB2312 files; a strict GB2312 table maps them to
    // U+2015, code page 936 to U+2014, which is what the patterns hold.
    const std::string page = test::toCp936(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">川南玉米之乡——Tenbury");
    EXPECT_EQ(pageCharset(page), "CP936");
    const std::string text = pageTextFromBytes(page).value();
    EXPECT_GT(firstPosition(text, "川南玉米之乡——Tenbury"), 0);
}

TEST(Decoding, Utf8PagesByDeclarationOrByteOrderMark) {
    const std::string declared = "<meta charset=\"UTF-8\"><p>联系管理员</p>";
    EXPECT_EQ(pageCharset(declared), "UTF-8");
    EXPECT_EQ(pageTextFromBytes(declared).value(), declared);
    const std::string bom = "\xEF\xBB\xBF<p>主要诗作</p>";
    EXPECT_EQ(pageTextFromBytes(bom).value(), "<p>主要诗作</p>");
    // UTF-16 with a byte-order mark: commas and line ends still go.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("a,b\r\nc")) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(pageTextFromBytes(utf16).value(), "abc");
}

TEST(Decoding, OtherDeclaredSetsAreDecodedAsDeclaredAndOnlyMetaTagsDeclare) {
    const std::string latin = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"><p>caf\xE9</p>";
    EXPECT_EQ(pageCharset(latin), "WINDOWS-1252");
    EXPECT_NE(pageTextFromBytes(latin).value().find("café"), std::string::npos);
    // "charset=" in the text of a page is no declaration: the page stays code page 936.
    const std::string prose = test::toCp936("<p>写 charset=utf-8 就是声明编码</p>");
    EXPECT_EQ(pageCharset(prose), "CP936");
    EXPECT_NE(pageTextFromBytes(prose).value().find("声明编码"), std::string::npos);
    // A name nobody knows falls back to code page 936 rather than failing the page.
    const std::string odd = test::toCp936("<meta charset=\"x-no-such-set\"><p>主要诗作</p>");
    EXPECT_NE(pageTextFromBytes(odd).value().find("主要诗作"), std::string::npos);
}

TEST(Decoding, UndeclaredPageIsCodePage936AndBadBytesDoNotStopTheRead) {
    const std::string page = test::toCp936("<p>主要诗作</p>") + "\x81" + "<b>";
    const std::string text = pageTextFromBytes(page).value();
    EXPECT_EQ(firstPosition(text, "主要诗作"), 4);
    EXPECT_NE(text.find("<b>"), std::string::npos);
}

TEST(ReadPageText, ReadingInChunksGivesTheSameTextAsReadingAtOnce) {
    // Characters, CR LF pairs and UTF-16 surrogate pairs cut by every chunk boundary near 64 KB.
    test::TempDir dir;
    const std::string chinese = test::toCp936("诗");  // two bytes
    for (std::size_t pad = 65530; pad <= 65537; ++pad) {
        std::string cp936 = "<p>" + std::string(pad, 'a') + chinese + "\r\n, b" + chinese + "</p>";
        std::string utf16 = "\xFF\xFE";
        for (std::size_t i = 0; i < pad / 2; ++i) utf16 += std::string("x\0", 2);
        utf16 += std::string("\x3D\xD8\x00\xDE", 4);  // U+1F600 as a surrogate pair
        utf16 += std::string("\r\0\n\0z\0", 6);
        for (const std::string& bytes : {cp936, utf16}) {
            test::writeBytes(dir.path() / "p.htm", bytes);
            const auto chunked = readPageText(dir.path() / "p.htm");
            ASSERT_TRUE(chunked.ok()) << chunked.error().message;
            EXPECT_EQ(*chunked, pageTextFromBytes(bytes).value()) << pad;
            EXPECT_EQ(chunked->find("\xEF\xBF\xBD"), std::string::npos) << "a cut character was lost at " << pad;
        }
    }
}

TEST(ReadPageText, MissingTooLargeDirectoryAndPipe) {
    test::TempDir dir;
    const auto missing = readPageText(dir.path() / "none.htm");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    const auto folder = readPageText(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error().kind, ErrorKind::NotAFile);
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.htm").c_str(), 0600), 0);
    EXPECT_EQ(readPageText(dir.path() / "pipe.htm").error().kind, ErrorKind::NotAFile);  // not opened
    const auto big = dir.path() / "big.htm";
    {
        std::FILE* f = std::fopen(big.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fseek(f, static_cast<long>(kMaxPageBytes), SEEK_SET);
        std::fputc('x', f);
        std::fclose(f);
    }
    const auto r = readPageText(big);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("16MB"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick::marking::web_rubrics
