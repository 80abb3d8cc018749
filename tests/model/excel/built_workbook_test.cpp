// The object model over small workbooks built record by record: fonts of rich text and the width
// of columns that have none of their own.
#include <gtest/gtest.h>

#include "formats/xls/xls_builder.h"
#include "model/excel/column_width.h"
#include "model/excel/workbook.h"

namespace tarnwick::excel {
namespace {

using namespace tarnwick::test;
namespace rt = xls::rt;

Worksheet firstSheet(const Buf& stream) {
    auto book = Workbook::open(Bytes(xlsFile(stream)));
    EXPECT_TRUE(book.ok()) << book.error().message;
    if (!book.ok()) throw std::runtime_error(book.error().message);
    auto sheet = book->Sheets(1);
    if (!sheet.ok()) throw std::runtime_error(sheet.error().message);
    return *sheet;
}

// Default font 宋体 12 regular (fonts 0-3, 5), 隶书 15 bold as font 6, 楷体_GB2312 12 as font 7
// (bold 600: not bold for Excel); each string of `strings` in a cell of row 1 from A on, all with
// the default cell format (宋体).
Worksheet titleSheet(const std::vector<RichString>& strings) {
    return firstSheet(workbookStream(
        [&](StreamBuilder& s) {
            standardGlobals(s, {"宋体", 240}, {{"隶书", 300, 700}, {"楷体_GB2312", 240, 600}});
            s.add(rt::Sst, sstRecord(strings));
        },
        [&](StreamBuilder& s) {
            for (std::size_t k = 0; k < strings.size(); ++k)
                s.add(rt::LabelSst, labelSst(0, static_cast<std::uint16_t>(k), 15, static_cast<std::uint32_t>(k)));
        }));
}

TEST(Borders, WeightFollowsTheStoredLineKindAndIsNullWhenMixed) {
    // One cell: left medium (2), right thick (5), top hair (7), bottom thin (1); its neighbour B1 plain.
    const Worksheet ws = firstSheet(workbookStream(
        [](StreamBuilder& s) {
            standardGlobals(s, {"Arial", 200});
            s.add(rt::Xf, xfRecord(0, false, 0x1752));
            s.add(rt::Sst, sstRecord({{"x", {}}}));
        },
        [](StreamBuilder& s) {
            s.add(rt::LabelSst, labelSst(0, 0, 16, 0));
            s.add(rt::LabelSst, labelSst(0, 1, 15, 0));
        }));
    const Range a1 = ws.Range("A1");
    EXPECT_TRUE(a1.Borders(xl::EdgeLeft).Weight() == xl::Medium);
    EXPECT_TRUE(a1.Borders(xl::EdgeRight).Weight() == xl::Thick);
    EXPECT_TRUE(a1.Borders(xl::EdgeTop).Weight() == xl::Hairline);
    EXPECT_TRUE(a1.Borders(xl::EdgeBottom).Weight() == xl::Thin);
    EXPECT_TRUE(a1.Borders(xl::EdgeTop).LineStyle() == xl::Continuous);
    // B1 shows A1's thick right line as its left one; its top has no line and reads thin.
    EXPECT_TRUE(ws.Range("B1").Borders(xl::EdgeLeft).Weight() == xl::Thick);
    EXPECT_TRUE(ws.Range("B1").Borders(xl::EdgeTop).Weight() == xl::Thin);
    EXPECT_TRUE(ws.Range("A1:B1").Borders(xl::EdgeTop).Weight().isNull());  // hair, then none
}

TEST(RichTextFont, ATitleFormattedThroughItsCharactersReadsTheirFont) {
    // Whole text in one run at 0: the characters' font, not the cell format's 宋体.
    const Worksheet ws = titleSheet({{"计算机考试", {{0, 6}}}});
    const Font title = ws.Range("A1").Font();
    EXPECT_TRUE(title.Name() == "隶书");
    EXPECT_TRUE(title.Size() == 15);
    EXPECT_TRUE(title.Bold() == true);
    EXPECT_TRUE(title.Italic() == false);
}

TEST(RichTextFont, CharactersThatDisagreeReadNull) {
    const Worksheet ws = titleSheet({
        {"计算机考试", {{2, 6}}},          // A1: 宋体 for two characters, then 隶书
        {"计算机考试", {{0, 6}, {5, 7}}},  // B1: the run at the end does not show
        {"", {{0, 6}}},                    // C1: empty text: the cell format's font
        {"ab", {{0, 6}, {1, 6}}},          // D1: two runs with one font
        {"ab", {{0, 6}, {1, 7}}},          // E1: 隶书 then 楷体, both 700 / 600
        {"plain", {}},                     // F1
    });
    const Font a1 = ws.Range("A1").Font();
    EXPECT_TRUE(a1.Name().isNull());
    EXPECT_TRUE(a1.Size().isNull());
    EXPECT_TRUE(a1.Bold().isNull());
    EXPECT_TRUE(a1.Italic() == false);  // every character agrees
    EXPECT_TRUE(ws.Range("B1").Font().Name() == "隶书");
    EXPECT_TRUE(ws.Range("C1").Font().Name() == "宋体");
    EXPECT_TRUE(ws.Range("D1").Font().Size() == 15);
    const Font e1 = ws.Range("E1").Font();
    EXPECT_TRUE(e1.Name().isNull());
    EXPECT_TRUE(e1.Bold().isNull());  // weight 600 is not bold
    EXPECT_TRUE(ws.Range("F1").Font().Name() == "宋体");
    // Over a range the cells' values fold as usual.
    EXPECT_TRUE(ws.Range("B1:D1").Font().Name().isNull());
    EXPECT_TRUE(ws.Range("B1").Font().Name() == ws.Range("D1").Font().Name());
}

// One sheet with STANDARDWIDTH `standard` and a COLINFO for column B of `own`.
Worksheet widthSheet(const FontSpec& defaultFont, std::uint16_t standard, std::uint16_t own) {
    return firstSheet(workbookStream([&](StreamBuilder& s) { standardGlobals(s, defaultFont); },
                                     [&](StreamBuilder& s) {
                                         Buf def;
                                         add16(def, 8);
                                         s.add(rt::DefColWidth, def);
                                         Buf sw;
                                         add16(sw, standard);
                                         s.add(rt::StandardWidth, sw);
                                         Buf col;
                                         add16(col, 1);
                                         add16(col, 1);
                                         add16(col, own);
                                         add16(col, 15);
                                         add16(col, 0);
                                         add16(col, 0);
                                         s.add(rt::ColInfo, col);
                                     }));
}

TEST(StandardWidth, CountsDigitsWithoutPadding) {
    // A standard width of 12 set in Excel is stored as 12 x 256; a column of its own as 12
    // characters includes the padding.
    for (const FontSpec& f : {FontSpec{"宋体", 240}, FontSpec{"Arial", 200}}) {
        const int mdw = f.name == "Arial" ? 7 : 8;
        const auto own = static_cast<std::uint16_t>(storedFromColumnWidth(12, mdw));
        const Worksheet ws = widthSheet(f, 3072, own);
        EXPECT_TRUE(ws.StandardWidth() == 12) << f.name << " " << ws.StandardWidth().describe();
        EXPECT_TRUE(ws.Range("A1").ColumnWidth() == 12) << f.name;
        EXPECT_TRUE(ws.Range("B1").ColumnWidth() == 12) << f.name << " " << ws.Range("B1").ColumnWidth().describe();
        EXPECT_TRUE(ws.Range("A1:C1").ColumnWidth() == 12) << f.name;
    }
    // 8.43 as Excel stores it for Arial 10 (2158 = 8.43 x 256): 59 pixels.
    EXPECT_TRUE(widthSheet({"Arial", 200}, 2158, 0).StandardWidth() == 8.43);
}

TEST(ActiveSheet, IsTheSheetOfTheWindowRecordOrAnError) {
    auto bookWithTab = [](std::uint16_t tab) {
        Buf w(18, 0);
        w[10] = static_cast<std::uint8_t>(tab);
        const RecordsFn cell = [](StreamBuilder& s) {
            Buf n = cellHeader(0, 0, 15);
            add32(n, 0);
            add32(n, 0x40450000u);  // 42.0
            s.add(rt::Number, n);
        };
        const RecordsFn none = [](StreamBuilder&) {};
        auto book = Workbook::open(Bytes(xlsFile(workbookStream(
            [&](StreamBuilder& s) {
                standardGlobals(s, {"Arial", 200});
                s.add(rt::Window1, w);
            },
            {{"Sheet1", none}, {"Data", cell}}))));
        EXPECT_TRUE(book.ok());
        return *book;
    };
    const Workbook second = bookWithTab(1);
    auto active = second.ActiveSheet();
    ASSERT_TRUE(active.ok());
    EXPECT_TRUE(active->Name() == "Data");
    EXPECT_TRUE(active->Range("A1").Value() == 42);
    EXPECT_TRUE(bookWithTab(0).ActiveSheet()->Name() == "Sheet1");

    auto past = bookWithTab(2).ActiveSheet();
    ASSERT_FALSE(past.ok());
    EXPECT_EQ(past.error().message, "工作簿记录的活动工作表（第 3 个）不存在。");
}

}  // namespace
}  // namespace tarnwick::excel
