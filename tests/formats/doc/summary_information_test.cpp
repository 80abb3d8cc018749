// "\005SummaryInformation" property sets ([MS-OLEPS]), from Word files and built here.
#include <gtest/gtest.h>

#include "formats/doc/doc_test_util.h"
#include "formats/oleps/property_set.h"

namespace tarnwick::oleps {
namespace {

using Buf = std::vector<std::uint8_t>;

void add16(Buf& b, std::uint16_t v) {
    for (int i = 0; i < 2; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void add32(Buf& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Prop {
    std::uint32_t id;
    Buf value;  // TypedPropertyValue: type, padding, data
};

// A PropertySetStream with one set of `props` under the SummaryInformation FMTID.
Buf propertySetStream(const std::vector<Prop>& props, bool summaryFmtid = true) {
    Buf set;
    add32(set, 0);  // size, patched below
    add32(set, static_cast<std::uint32_t>(props.size()));
    std::uint32_t at = 8 + 8 * static_cast<std::uint32_t>(props.size());
    for (const Prop& p : props) {
        add32(set, p.id);
        add32(set, at);
        at += static_cast<std::uint32_t>((p.value.size() + 3) & ~std::size_t{3});
    }
    for (const Prop& p : props) {
        set.insert(set.end(), p.value.begin(), p.value.end());
        while (set.size() % 4) set.push_back(0);
    }
    for (int i = 0; i < 4; ++i) set[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(set.size() >> (8 * i));
    Buf s;
    add16(s, 0xFFFE);
    add16(s, 0);
    add32(s, 0x00020006);
    s.insert(s.end(), 16, 0);
    add32(s, 1);
    const std::uint8_t fmtid[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
    s.insert(s.end(), fmtid, fmtid + 16);
    if (!summaryFmtid) s.back() ^= 0xFF;
    add32(s, static_cast<std::uint32_t>(s.size() + 4));
    s.insert(s.end(), set.begin(), set.end());
    return s;
}

Buf lpstr(const std::string& bytes) {
    Buf v;
    add16(v, 0x001E);
    add16(v, 0);
    add32(v, static_cast<std::uint32_t>(bytes.size() + 1));
    v.insert(v.end(), bytes.begin(), bytes.end());
    v.push_back(0);
    return v;
}
Buf codePage(std::uint16_t cp) {
    Buf v;
    add16(v, 0x0002);
    add16(v, 0);
    add16(v, cp);
    return v;
}

TEST(SummaryInformation, WordFilesAuthorAndApplication) {
    auto d = doc::test::mustRead(doc::test::corpusDoc("test2.doc"));
    ASSERT_TRUE(d.summary.has_value());
    ASSERT_TRUE(d.summary->author.has_value());
    EXPECT_EQ(d.summary->author->utf8, "Hogwarts");
    EXPECT_TRUE(d.summary->created.has_value());
    ASSERT_TRUE(d.summary->appName.has_value());
    EXPECT_TRUE(d.summary->appName->utf8->starts_with("Microsoft"));
}

TEST(SummaryInformation, StringsInTheSetsCodePage) {
    Buf wide;
    add16(wide, 0x001F);
    add16(wide, 0);
    add32(wide, 3);
    for (char16_t c : {u'王', u'五', u'\0'}) add16(wide, c);
    Buf time;
    add16(time, 0x0040);
    add16(time, 0);
    add32(time, 0x89ABCDEF);
    add32(time, 0x01D00000);
    const std::string gbk = "\xD5\xC5\xC8\xFD";  // 张三 in code page 936
    auto s = readSummaryInformation(propertySetStream({{1, codePage(936)},
                                                       {kPidAuthor, lpstr(gbk)},
                                                       {kPidLastAuthor, wide},
                                                       {kPidAppName, lpstr("Microsoft Word 11.0")},
                                                       {kPidLastSaveTime, time}}));
    ASSERT_TRUE(s.ok()) << s.error().message;
    // 8-bit text in code page 936 is kept for the platform's converter.
    ASSERT_TRUE(s->author.has_value());
    EXPECT_EQ(s->author->bytes, gbk);
    EXPECT_EQ(s->author->codePage, 936);
    EXPECT_FALSE(s->author->utf8.has_value());
    // ASCII and UTF-16 are decoded here.
    EXPECT_EQ(s->appName->utf8, "Microsoft Word 11.0");
    EXPECT_EQ(s->lastAuthor->utf8, "王五");
    EXPECT_EQ(s->lastSaved->value, 0x01D0000089ABCDEFull);
    EXPECT_FALSE(s->title.has_value());
    // Windows-1252 is decoded too.
    auto latin = readSummaryInformation(propertySetStream({{1, codePage(1252)}, {kPidAuthor, lpstr("Moli\xE8re")}}));
    ASSERT_TRUE(latin.ok());
    EXPECT_EQ(latin->author->utf8, "Molière");
    // Windows-1252 is not Latin-1 in 0x80-0x9F: curly quotes, the euro, dashes. Code page 28591
    // (ISO 8859-1) keeps those bytes as the C1 controls they are there.
    auto quotes = readSummaryInformation(
        propertySetStream({{1, codePage(1252)}, {kPidAuthor, lpstr("\x93O\x92" "Brien\x94 \x80\x97\x81")}}));
    ASSERT_TRUE(quotes.ok());
    EXPECT_EQ(quotes->author->utf8, "“O’Brien” €—\u0081");
    auto iso = readSummaryInformation(propertySetStream({{1, codePage(28591)}, {kPidAuthor, lpstr("\x80")}}));
    ASSERT_TRUE(iso.ok());
    EXPECT_EQ(iso->author->utf8, "\u0080");
}

TEST(SummaryInformation, DamagedAndForeignSets) {
    const Buf good = propertySetStream({{kPidAuthor, lpstr("someone")}});
    for (std::size_t n = 0; n < good.size(); ++n) {
        auto r = readSummaryInformation(Bytes(good.data(), n));
        EXPECT_FALSE(r.ok()) << n;
    }
    // A string whose length runs past the set.
    Buf longString = lpstr("x");
    longString[4] = 0xF0;
    longString[7] = 0x7F;
    EXPECT_EQ(readSummaryInformation(propertySetStream({{kPidAuthor, longString}})).error().kind, ErrorKind::Damaged);
    // Property offsets past the set.
    Buf badOffset = propertySetStream({{kPidAuthor, lpstr("x")}});
    badOffset[48 + 12] = 0xFF;
    EXPECT_EQ(readSummaryInformation(badOffset).error().kind, ErrorKind::Damaged);
    // Another property set (DocumentSummaryInformation, say).
    EXPECT_EQ(readSummaryInformation(propertySetStream({{kPidAuthor, lpstr("x")}}, false)).error().kind,
              ErrorKind::WrongFormat);
    // Types this reader does not decode are listed without a value.
    Buf blob;
    add16(blob, 0x0041);
    add16(blob, 0);
    add32(blob, 0);
    auto set = readPropertySet(propertySetStream({{kPidComments, blob}}));
    ASSERT_TRUE(set.ok());
    ASSERT_NE(set->find(kPidComments), nullptr);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(set->find(kPidComments)->value));
}

}  // namespace
}  // namespace tarnwick::oleps
