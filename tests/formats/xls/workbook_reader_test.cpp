#include "formats/xls/workbook.h"

#include <gtest/gtest.h>

#include "formats/xls/record_types.h"
#include "formats/xls/unicode_string.h"
#include "formats/xls/xls_builder.h"
#include "support/test_support.h"

namespace tarnwick::xls {
namespace {

using namespace tarnwick::test;

TEST(WorkbookStream, SharedStringsRunAcrossContinueRecords) {
    const Buf stream = workbookStream(
        [](StreamBuilder& s) {
            // SST with three strings: "plain"; "AB" + "CD" split inside its characters where the
            // continuation switches to UTF-16; a rich string with one run and phonetic data whose
            // run and phonetic bytes are split too.
            Buf sst;
            add32(sst, 3);
            add32(sst, 3);
            add16(sst, 5);
            sst.push_back(0);
            addText(sst, "plain");
            add16(sst, 4);
            sst.push_back(0);
            addText(sst, "AB");
            s.add(rt::Sst, sst);
            Buf c1;
            c1.push_back(1);  // the rest is UTF-16
            add16(c1, 0x4E2D);  // 中
            add16(c1, 'D');
            add16(c1, 2);
            c1.push_back(0x0C);  // rich + phonetic
            add16(c1, 1);        // one run
            add32(c1, 6);        // six bytes of phonetic data
            addText(c1, "xy");
            add16(c1, 0);  // half of the run
            s.add(rt::Continue, c1);
            Buf c2;
            add16(c2, 1);  // rest of the run (no option byte: not characters)
            c2.insert(c2.end(), 6, 0xEE);
            s.add(rt::Continue, c2);
        },
        [](StreamBuilder& s) {
            Buf a = cellHeader(0, 0, 15);
            add32(a, 0);
            s.add(rt::LabelSst, a);
            Buf b = cellHeader(0, 1, 15);
            add32(b, 1);
            s.add(rt::LabelSst, b);
            Buf c = cellHeader(0, 2, 15);
            add32(c, 2);
            s.add(rt::LabelSst, c);
            Buf d = cellHeader(0, 3, 15);
            add32(d, 99);  // no such string
            s.add(rt::LabelSst, d);
        });
    auto book = readWorkbookStream(stream);
    ASSERT_TRUE(book.ok()) << book.error().message;
    ASSERT_EQ(book->sharedStrings.size(), 3u);
    EXPECT_EQ(book->sharedStrings[0], "plain");
    EXPECT_EQ(book->sharedStrings[1], "AB中D");
    EXPECT_EQ(book->sharedStrings[2], "xy");
    const Sheet& sheet = book->sheets.at(0);
    ASSERT_NE(sheet.cell(0, 1), nullptr);
    EXPECT_EQ(sheet.cell(0, 1)->text, "AB中D");
    EXPECT_EQ(sheet.cell(0, 2)->text, "xy");
    EXPECT_EQ(sheet.cell(0, 3)->kind, ValueKind::Empty);
}

TEST(WorkbookStream, NumbersBlanksFormulasAndLayout) {
    const Buf stream = workbookStream([](StreamBuilder&) {},
        [](StreamBuilder& s) {
            Buf def;
            add16(def, 0);
            add16(def, 300);
            s.add(rt::DefaultRowHeight, def);
            Buf row;
            add16(row, 1);
            add16(row, 0);
            add16(row, 4);
            add16(row, 500);  // 25 points
            add16(row, 0);
            add16(row, 0);
            add16(row, 0x0040 | 0x0080);  // custom height, has format
            add16(row, 21);
            s.add(rt::Row, row);
            Buf col;
            add16(col, 0);
            add16(col, 256);  // past the last column: clamped
            add16(col, 1462);
            add16(col, 16);
            add16(col, 0);
            add16(col, 0);
            s.add(rt::ColInfo, col);
            // RK: integer 7 (fInt), then 1.25 as a float RK, then 0.5 stored x100 (50)
            Buf mulrk = cellHeader(1, 0, 15);
            mulrk.resize(4);
            add16(mulrk, 15);
            add32(mulrk, (7u << 2) | 2u);
            add16(mulrk, 17);
            add32(mulrk, 0x3FF40000u);  // 1.25
            add16(mulrk, 15);
            add32(mulrk, (50u << 2) | 3u);  // 50 / 100
            add16(mulrk, 2);
            s.add(rt::MulRk, mulrk);
            Buf rk = cellHeader(1, 5, 15);
            add32(rk, static_cast<std::uint32_t>(-3 * 4) | 2u);
            s.add(rt::Rk, rk);
            Buf blank = cellHeader(2, 0, 15);
            blank.resize(4);
            add16(blank, 20);
            add16(blank, 21);
            add16(blank, 1);
            s.add(rt::MulBlank, blank);
            Buf boolerr = cellHeader(3, 0, 15);
            boolerr.push_back(1);
            boolerr.push_back(0);
            s.add(rt::BoolErr, boolerr);
            Buf err = cellHeader(3, 1, 15);
            err.push_back(0x07);
            err.push_back(1);
            s.add(rt::BoolErr, err);
            // A formula with a text result (STRING follows), then one sharing tokens via PtgExp.
            Buf f = cellHeader(4, 0, 15);
            f.push_back(0);  // text result
            f.insert(f.end(), 5, 0);
            add16(f, 0xFFFF);
            add16(f, 0x0008);
            add32(f, 0);
            add16(f, 5);
            f.push_back(0x01);  // PtgExp -> (4, 0)
            add16(f, 4);
            add16(f, 0);
            s.add(rt::Formula, f);
            Buf shr;
            add16(shr, 4);
            add16(shr, 5);
            shr.push_back(0);
            shr.push_back(0);
            shr.push_back(0);
            shr.push_back(2);
            add16(shr, 3);
            shr.push_back(0x4C);  // PtgRefN
            add16(shr, 0);
            s.add(rt::ShrFmla, shr);
            Buf str;
            add16(str, 3);
            str.push_back(0);
            addText(str, "hey");
            s.add(rt::Str, str);
            Buf f2 = cellHeader(5, 0, 15);
            const double v = 2.5;
            std::uint64_t bits;
            std::memcpy(&bits, &v, 8);
            add32(f2, static_cast<std::uint32_t>(bits));
            add32(f2, static_cast<std::uint32_t>(bits >> 32));
            add16(f2, 0x0008);
            add32(f2, 0);
            add16(f2, 5);
            f2.push_back(0x01);
            add16(f2, 4);
            add16(f2, 0);
            s.add(rt::Formula, f2);
            Buf merge;
            add16(merge, 2);
            for (std::uint16_t v16 : std::initializer_list<std::uint16_t>{0, 0, 0, 7}) add16(merge, v16);
            for (std::uint16_t v16 : std::initializer_list<std::uint16_t>{9, 8, 3, 300}) add16(merge, v16);  // past the last column: dropped
            s.add(rt::MergedCells, merge);
            // A duplicate record for A4: the later one wins.
            Buf again = cellHeader(3, 0, 16);
            again.push_back(0);
            again.push_back(0);
            s.add(rt::BoolErr, again);
        });
    auto book = readWorkbookStream(stream);
    ASSERT_TRUE(book.ok()) << book.error().message;
    const Sheet& s = book->sheets.at(0);
    EXPECT_EQ(s.defaultRowHeight, 300);
    ASSERT_NE(s.rowInfo(1), nullptr);
    EXPECT_EQ(s.rowInfo(1)->height, 500);
    EXPECT_TRUE(s.rowInfo(1)->hasFormat);
    EXPECT_EQ(s.rowInfo(1)->xf, 21);
    ASSERT_NE(s.columnInfo(255), nullptr);
    EXPECT_EQ(s.columnInfo(255)->width, 1462);
    ASSERT_NE(s.cell(1, 0), nullptr);
    EXPECT_EQ(s.cell(1, 0)->number, 7);
    EXPECT_EQ(s.cell(1, 1)->number, 1.25);
    EXPECT_EQ(s.cell(1, 1)->xf, 17);
    EXPECT_DOUBLE_EQ(s.cell(1, 2)->number, 0.5);
    EXPECT_EQ(s.cell(1, 5)->number, -3);
    EXPECT_EQ(s.cell(2, 1)->kind, ValueKind::Empty);
    EXPECT_EQ(s.cell(2, 1)->xf, 21);
    EXPECT_EQ(s.cell(3, 0)->kind, ValueKind::Boolean);
    EXPECT_EQ(s.cell(3, 0)->xf, 16);
    EXPECT_EQ(s.cell(3, 0)->number, 0);
    EXPECT_EQ(s.cell(3, 1)->kind, ValueKind::Error);
    EXPECT_EQ(s.cell(3, 1)->code, 0x07);
    const Cell* f = s.cell(4, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->kind, ValueKind::Text);
    EXPECT_EQ(f->text, "hey");
    ASSERT_GE(f->formula, 0);
    const Formula& tokens = s.formulas[static_cast<std::size_t>(f->formula)];
    EXPECT_TRUE(tokens.shared);
    EXPECT_EQ(tokens.rgce, (std::vector<std::uint8_t>{0x4C, 0, 0}));
    const Cell* f2 = s.cell(5, 0);
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(f2->number, 2.5);
    EXPECT_EQ(s.formulas[static_cast<std::size_t>(f2->formula)].rgce, tokens.rgce);
    ASSERT_EQ(s.merges.size(), 1u);
    EXPECT_EQ(s.merges[0].lastCol, 7);
}

TEST(WorkbookStream, RefusesEncryptionOldVersionsAndBadSheetOffsets) {
    StreamBuilder enc;
    enc.bof(0x0005);
    enc.add(rt::FilePass, {0, 0, 0, 0, 0, 0});
    enc.eof();
    auto e = readWorkbookStream(enc.bytes);
    ASSERT_FALSE(e.ok());
    EXPECT_NE(e.error().message.find("加密"), std::string::npos);

    StreamBuilder biff5;
    biff5.bof(0x0005, 0x0500);
    biff5.eof();
    auto b5 = readWorkbookStream(biff5.bytes);
    ASSERT_FALSE(b5.ok());
    EXPECT_NE(b5.error().message.find("5.0/95"), std::string::npos);

    Buf stream = workbookStream([](StreamBuilder&) {}, [](StreamBuilder&) {});
    // Point the sheet at the middle of a record.
    const std::size_t boundSheetBody = 20 + 4;
    stream[boundSheetBody] = static_cast<std::uint8_t>(stream[boundSheetBody] + 1);
    auto bad = readWorkbookStream(stream);
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().message.find("损坏"), std::string::npos);

    const Buf truncated = {0x09, 0x08, 0x10, 0x00, 0x00};
    EXPECT_FALSE(readWorkbookStream(truncated).ok());
}

Buf window1(std::uint16_t itabCur, std::size_t size = 18) {
    Buf w;
    for (std::uint16_t v : {std::uint16_t{0x0168}, std::uint16_t{0x001E}, std::uint16_t{0x3A5C}, std::uint16_t{0x2364},
                            std::uint16_t{0x0038}, itabCur, std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{0x0258}})
        add16(w, v);
    w.resize(size);
    return w;
}

Buf threeSheets(const RecordsFn& globals) {
    const RecordsFn none = [](StreamBuilder&) {};
    return workbookStream(globals, {{"Sheet1", none}, {"Sheet2", none}, {"Sheet3", none}});
}

TEST(WorkbookStream, ActiveSheetIsTheCurrentTabOfTheFirstWindow) {
    auto none = readWorkbookStream(threeSheets([](StreamBuilder&) {}));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->activeSheet, 0);  // no window record: the first sheet

    auto second = readWorkbookStream(threeSheets([](StreamBuilder& s) { s.add(rt::Window1, window1(1)); }));
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second->activeSheet, 1);

    // A second window does not change what the first one says.
    auto two = readWorkbookStream(threeSheets([](StreamBuilder& s) {
        s.add(rt::Window1, window1(2));
        s.add(rt::Window1, window1(0));
    }));
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(two->activeSheet, 2);

    // A record too short to hold itabCur is passed over, and so are the windows after it.
    auto shortRecord = readWorkbookStream(threeSheets([](StreamBuilder& s) {
        s.add(rt::Window1, window1(2, 11));
        s.add(rt::Window1, window1(1));
    }));
    ASSERT_TRUE(shortRecord.ok());
    EXPECT_EQ(shortRecord->activeSheet, 0);

    // A tab past the last sheet is kept as stored; the object model refuses it.
    auto past = readWorkbookStream(threeSheets([](StreamBuilder& s) { s.add(rt::Window1, window1(7)); }));
    ASSERT_TRUE(past.ok());
    EXPECT_EQ(past->activeSheet, 7);
}

TEST(WorkbookFile, RefusesOtherFormatsWithTheirOwnMessages) {
    auto refuse = [](const Buf& bytes) {
        auto r = readWorkbook(bytes);
        EXPECT_FALSE(r.ok());
        return r.ok() ? std::string() : r.error().message;
    };
    EXPECT_NE(refuse({}).find("空"), std::string::npos);
    const std::string xlsx = test::readBytes(test::dataPath("xls/renamed-xlsx.xls"));
    ASSERT_FALSE(xlsx.empty());
    EXPECT_NE(refuse(Buf(xlsx.begin(), xlsx.end())).find("xlsx"), std::string::npos);
    const std::string biff4 = test::readBytes(test::corpusPath("xls/testEXCEL_4.xls"));
    EXPECT_NE(refuse(Buf(biff4.begin(), biff4.end())).find("4.0"), std::string::npos);
    for (const char* name : {"xls/password.xls", "xls/xor-encryption-abc.xls"}) {
        const std::string enc = test::readBytes(test::corpusPath(name));
        EXPECT_NE(refuse(Buf(enc.begin(), enc.end())).find("加密"), std::string::npos) << name;
    }
    // An Excel 5.0/95 file: a compound file whose workbook stream is called "Book".
    CfbBuilder b;
    StreamBuilder book;
    book.bof(0x0005, 0x0500);
    book.eof();
    book.bytes.resize(4096, 0);
    b.add("Book", book.bytes);
    EXPECT_NE(refuse(b.build()).find("5.0/95"), std::string::npos);
    // A compound file without any workbook (a Word document, say).
    CfbBuilder doc;
    doc.add("WordDocument", Buf(4096, 0));
    EXPECT_NE(refuse(doc.build()).find("没有工作簿"), std::string::npos);
    // Random bytes.
    Buf noise(2000);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
    EXPECT_FALSE(refuse(noise).empty());
}

TEST(WorkbookFile, ReadsCorpusGlobalsAndSheets) {
    auto open = [](const char* name) {
        const std::string s = test::readBytes(test::corpusPath(std::string("xls/") + name));
        return readWorkbook(Buf(s.begin(), s.end()));
    };
    auto colours = open("SimpleWithColours.xls");
    ASSERT_TRUE(colours.ok()) << colours.error().message;
    const Sheet& s = colours->sheets.at(0);
    const Xf* a3 = colours->xf(s.cell(2, 0)->xf);
    ASSERT_NE(a3, nullptr);
    EXPECT_EQ(a3->fillPattern, 1);
    EXPECT_EQ(a3->fillFore, 11);
    EXPECT_EQ(colours->font(a3->font)->color, 10);
    EXPECT_EQ(colours->palette[10 - 8], 0xFF0000u);

    auto merged = open("xf_class.xls");
    ASSERT_TRUE(merged.ok()) << merged.error().message;
    const Sheet* table2 = nullptr;
    for (const Sheet& sh : merged->sheets)
        if (sh.name == "table2") table2 = &sh;
    ASSERT_NE(table2, nullptr);
    ASSERT_FALSE(table2->merges.empty());
    const MergedRange& m = table2->merges[0];
    EXPECT_EQ(m.firstRow, 3);
    EXPECT_EQ(m.lastRow, 6);
    EXPECT_EQ(m.firstCol, 2);
    EXPECT_EQ(m.lastCol, 4);

    auto shared = open("shared_formulas.xls");
    ASSERT_TRUE(shared.ok());
    for (std::uint32_t row = 1; row <= 4; ++row) {
        const Cell* c = shared->sheets[0].cell(row, 0);
        ASSERT_NE(c, nullptr);
        ASSERT_GE(c->formula, 0);
        const Formula& f = shared->sheets[0].formulas[static_cast<std::size_t>(c->formula)];
        EXPECT_FALSE(f.unresolved) << row;
        EXPECT_FALSE(f.rgce.empty());
        EXPECT_NE(f.rgce[0], 0x01) << "PtgExp left in place at row " << row;
    }

    auto charts = open("WithThreeCharts.xls");
    ASSERT_TRUE(charts.ok());
    EXPECT_EQ(charts->sheets[0].charts.size(), 0u);
    EXPECT_EQ(charts->sheets[1].charts.size(), 2u);
    EXPECT_EQ(charts->sheets[2].charts.size(), 1u);
    EXPECT_EQ(charts->sheets[1].chartObjects, 2u);
}

TEST(SheetNames, QuotedAsExcelQuotesThem) {
    EXPECT_FALSE(sheetNameNeedsQuotes("Sheet1"));
    EXPECT_FALSE(sheetNameNeedsQuotes("Sh3"));  // SH is no column of a 97-2003 sheet
    EXPECT_FALSE(sheetNameNeedsQuotes("工作表1"));
    EXPECT_TRUE(sheetNameNeedsQuotes("S2"));
    EXPECT_TRUE(sheetNameNeedsQuotes("IV65536"));
    EXPECT_FALSE(sheetNameNeedsQuotes("IW1"));
    EXPECT_TRUE(sheetNameNeedsQuotes("R1C1"));
    EXPECT_TRUE(sheetNameNeedsQuotes("rc"));
    EXPECT_TRUE(sheetNameNeedsQuotes("My Sheet"));
    EXPECT_TRUE(sheetNameNeedsQuotes("1st"));
    EXPECT_TRUE(sheetNameNeedsQuotes("a-b"));
    EXPECT_EQ(quoteSheetName("Bob's"), "'Bob''s'");
    EXPECT_EQ(quoteSheetName("Data"), "Data");
}

TEST(SheetNames, PrefixesThroughExternSheet) {
    Workbook book;
    book.sheets.resize(3);
    book.sheets[0].name = "Sheet1";
    book.sheets[1].name = "S2";
    book.sheets[2].name = "My Data";
    SupBook self;
    self.self = true;
    SupBook ext;
    ext.path = "C:\\dir\\Formulas2.xls";
    ext.sheetNames = {"Sheet1"};
    book.supBooks = {self, ext};
    book.externSheets = {{0, 0, 0}, {0, 1, 1}, {0, 0, 2}, {1, 0, 0}, {0, -1, -1}, {5, 0, 0}};
    EXPECT_EQ(book.sheetPrefix(0), "Sheet1");
    EXPECT_EQ(book.sheetPrefix(1), "'S2'");
    EXPECT_EQ(book.sheetPrefix(2), "'Sheet1:My Data'");
    EXPECT_EQ(book.sheetPrefix(3), "'C:\\dir\\[Formulas2.xls]Sheet1'");  // as Excel shows a closed source
    book.supBooks[1].path = "Formulas2.xls";  // a name without a folder: beside the workbook
    EXPECT_EQ(book.sheetPrefix(3), "[Formulas2.xls]Sheet1");
    EXPECT_EQ(book.sheetPrefix(4), "");  // deleted sheet
    EXPECT_EQ(book.sheetPrefix(5), "");  // no such SUPBOOK
    EXPECT_EQ(book.sheetPrefix(99), "");
}

TEST(SheetNames, AnExternalWorkbookAtAWebAddressShowsTheAddressInFrontOfItsName) {
    // The SUPBOOK of FormulaRefs.xls stores "\x01\x05$http://gagravarr.org/FormulaRefs.xls".
    const std::string bytes = test::readBytes(test::corpusPath("xls/FormulaRefs.xls"));
    const Buf file(bytes.begin(), bytes.end());
    auto book = readWorkbook(Bytes(file));
    ASSERT_TRUE(book.ok()) << book.error().message;
    bool seen = false;
    for (std::uint16_t i = 0; i < book->externSheets.size(); ++i)
        if (book->sheetPrefix(i) == "'http://gagravarr.org/[FormulaRefs.xls]Sheet1'") seen = true;
    EXPECT_TRUE(seen);
}

TEST(UnicodeString, ReadsCountedStringsAndRejectsShortOnes) {
    const Buf shortCompressed = {3, 0, 'a', 'b', 'c'};
    EXPECT_EQ(shortString(shortCompressed, 0).value_or("?"), "abc");
    const Buf wide = {1, 0, 1, 0x2D, 0x4E};
    EXPECT_EQ(longString(wide, 0).value_or("?"), "中");
    const Buf cut = {5, 0, 0, 'a'};
    EXPECT_FALSE(longString(cut, 0).has_value());
    // A seam in the middle of a UTF-16 unit is damage, not a character.
    const Buf first = {2, 0, 1, 0x41}, second = {0x00, 0x42, 0x00};
    ContinuedReader cr({Bytes(first), Bytes(second)});
    std::string out;
    EXPECT_FALSE(cr.unicodeString(out));
}

}  // namespace
}  // namespace tarnwick::xls
