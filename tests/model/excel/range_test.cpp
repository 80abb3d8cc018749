// Reads through the object model on a workbook saved by LibreOffice (tests/data/xls, made by
// tools/make_xls_fixtures.sh from tools/xls_fixtures/formatted.fods).
#include "model/excel/workbook.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tarnwick::excel {
namespace {

class FormattedWorkbook : public ::testing::Test {
protected:
    void SetUp() override {
        auto book = Workbook::open(test::dataPath("xls/formatted.xls"));
        ASSERT_TRUE(book.ok()) << book.error().message;
        book_.emplace(std::move(*book));
        auto sheet = book_->Sheets(1);
        ASSERT_TRUE(sheet.ok());
        ws_.emplace(*sheet);
    }
    std::optional<Workbook> book_;
    std::optional<Worksheet> ws_;
};

TEST_F(FormattedWorkbook, SheetsByPositionAndName) {
    EXPECT_EQ(book_->SheetCount(), 2u);
    EXPECT_TRUE(ws_->Name() == "Sheet1");
    ASSERT_TRUE(book_->Worksheets("sheet1").ok());  // names match without regard to case
    auto second = book_->Worksheets("第二页");
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second->Range("A1").Value() == 1);
    EXPECT_FALSE(book_->Sheets(3).ok());
    EXPECT_FALSE(book_->Sheets(0).ok());
    EXPECT_FALSE(book_->Worksheets("Sheet9").ok());
}

TEST_F(FormattedWorkbook, MergedBlocks) {
    EXPECT_TRUE(ws_->Range("A1").MergeArea().Address() == "$A$1:$H$1");
    EXPECT_TRUE(ws_->Range("C1").MergeArea().Address() == "$A$1:$H$1");
    EXPECT_TRUE(ws_->Range("A2").MergeArea().Address() == "$A$2");
    EXPECT_TRUE(ws_->Range("A4:B4").MergeCells() == true);
    EXPECT_TRUE(ws_->Range("A2:B2").MergeCells() == false);
    EXPECT_TRUE(ws_->Range("A4:C4").MergeCells().isNull());
}

TEST_F(FormattedWorkbook, AlignmentIsCommonToAllCellsOrNull) {
    EXPECT_TRUE(ws_->Range("A1").HorizontalAlignment() == xl::Center);
    EXPECT_TRUE(ws_->Range("A1").VerticalAlignment() == xl::Bottom);
    EXPECT_TRUE(ws_->Range("A1:H1").HorizontalAlignment() == xl::Center);
    EXPECT_TRUE(ws_->Range("A1:H1").VerticalAlignment() == xl::Bottom);
    EXPECT_TRUE(ws_->Range("A1:I1").HorizontalAlignment().isNull());
    EXPECT_TRUE(ws_->Range("A2:C3").HorizontalAlignment() == xl::Center);
    EXPECT_TRUE(ws_->Range("A2:C3").VerticalAlignment() == xl::Center);
    EXPECT_TRUE(ws_->Range("A2:D3").HorizontalAlignment().isNull());
    EXPECT_TRUE(ws_->Range("H3").HorizontalAlignment() == xl::Right);
    EXPECT_TRUE(ws_->Range("H3").VerticalAlignment() == xl::Top);
    // A cell without any record takes the default cell format: General, bottom.
    EXPECT_TRUE(ws_->Range("Z100").HorizontalAlignment() == xl::General);
    EXPECT_TRUE(ws_->Range("Z100").VerticalAlignment() == xl::Bottom);
}

TEST_F(FormattedWorkbook, Fonts) {
    const auto title = ws_->Range("A1").Font();
    EXPECT_TRUE(title.Name() == "隶书");
    EXPECT_TRUE(title.Size() == 15);
    EXPECT_TRUE(title.Bold() == true);
    EXPECT_TRUE(title.Italic() == false);
    EXPECT_TRUE(title.ColorIndex() == xl::ColorIndexAutomatic);
    const auto red = ws_->Range("D2").Font();
    EXPECT_TRUE(red.Name() == "楷体_GB2312");
    EXPECT_TRUE(red.Italic() == true);
    EXPECT_TRUE(red.ColorIndex() == 3);
    EXPECT_TRUE(ws_->Range("A1:D2").Font().Bold().isNull());
    EXPECT_TRUE(ws_->Range("A3:C3").Font().Size() == 10);
}

TEST_F(FormattedWorkbook, InteriorAndBorders) {
    EXPECT_TRUE(ws_->Range("A2:C3").Interior().ColorIndex() == 35);
    EXPECT_TRUE(ws_->Range("D2").Interior().ColorIndex() == xl::ColorIndexNone);
    EXPECT_TRUE(ws_->Range("A2:D2").Interior().ColorIndex().isNull());
    const Range box = ws_->Range("A2:C3");
    for (int i : {xl::EdgeLeft, xl::EdgeTop, xl::EdgeBottom, xl::EdgeRight, xl::InsideVertical, xl::InsideHorizontal})
        EXPECT_TRUE(box.Borders(i).LineStyle() == xl::Continuous) << i;
    EXPECT_TRUE(box.Borders(xl::DiagonalDown).LineStyle() == xl::LineStyleNone);
    // D2/D3 carry no right line: the block's right edge has none, its inner lines are complete.
    const Range wider = ws_->Range("A2:D3");
    EXPECT_TRUE(wider.Borders(xl::EdgeRight).LineStyle() == xl::LineStyleNone);
    EXPECT_TRUE(wider.Borders(xl::InsideVertical).LineStyle() == xl::Continuous);
    // Row 4: only some cells have the line above them (stored below row 3 or on top of row 4).
    EXPECT_TRUE(ws_->Range("A4:E4").Borders(xl::EdgeTop).LineStyle().isNull());
    EXPECT_TRUE(ws_->Range("E5:F6").Borders(xl::EdgeTop).LineStyle() == xl::LineStyleNone);
    EXPECT_TRUE(ws_->Range("E5:F6").Borders(99).LineStyle().isFailed());
}

TEST_F(FormattedWorkbook, RowHeightsAndColumnWidths) {
    EXPECT_TRUE(ws_->Range("A1").RowHeight() == 25);
    EXPECT_TRUE(ws_->Rows("1:1").RowHeight() == 25);
    EXPECT_TRUE(ws_->Rows(1).RowHeight() == 25);
    EXPECT_TRUE(ws_->Range("A1:A3").RowHeight().isNull());
    EXPECT_TRUE(ws_->Rows("200:300").RowHeight() == ws_->StandardHeight());
    EXPECT_TRUE(ws_->Columns("A:A").ColumnWidth() == ws_->Range("A7").ColumnWidth());
    EXPECT_TRUE(ws_->Columns("B:C").ColumnWidth() == ws_->Columns(2).ColumnWidth());
    EXPECT_TRUE(ws_->Range("A1:B1").ColumnWidth().isNull());
    const Variant a = ws_->Columns("A").ColumnWidth();
    ASSERT_TRUE(a.isNumber());
    EXPECT_GT(a.asNumber(), ws_->Columns("B").ColumnWidth().asNumber());
}

TEST_F(FormattedWorkbook, ValuesFormulasAndFormats) {
    EXPECT_TRUE(ws_->Range("A3").Value() == "Yaltren");
    EXPECT_TRUE(ws_->Cells(3, 2).Value() == 90);
    EXPECT_TRUE(ws_->Range("C3").Value() == 85.5);
    EXPECT_TRUE(ws_->Range("F3").Value() == true);
    EXPECT_TRUE(ws_->Range("G3").Value() == cellErrorValue(0x07));
    EXPECT_TRUE(ws_->Range("A4").Value() == 2790);
    EXPECT_TRUE(ws_->Range("Z99").Value().isEmpty());
    EXPECT_TRUE(ws_->Range("Z99").Value() == "");
    EXPECT_TRUE(ws_->Range("A2:B2").Value().isFailed());  // an array in Excel

    EXPECT_TRUE(ws_->Range("D3").HasFormula() == true);
    EXPECT_TRUE(ws_->Range("B3").HasFormula() == false);
    EXPECT_TRUE(ws_->Range("B3:D3").HasFormula().isNull());
    EXPECT_TRUE(ws_->Range("E3").Value() == 87.75);  // the cached result
    // A constant's formula is its value as text.
    EXPECT_TRUE(ws_->Range("B3").Formula() == "90");
    EXPECT_TRUE(ws_->Range("A3").FormulaR1C1() == "Yaltren");
    EXPECT_TRUE(ws_->Range("Z99").Formula() == "");

    EXPECT_TRUE(ws_->Range("A2").NumberFormatLocal() == "G/通用格式");
    EXPECT_TRUE(ws_->Range("E3").NumberFormatLocal() == "0.00");
    EXPECT_TRUE(ws_->Range("D3").NumberFormatLocal() == "0.0\"_ \"");  // as LibreOffice stored it
    EXPECT_TRUE(ws_->Range("D3:E3").NumberFormatLocal().isNull());
}

TEST_F(FormattedWorkbook, EnumerationAndBadAddresses) {
    const Range block = ws_->Range("A2:C3");
    EXPECT_EQ(block.Count(), 6u);
    EXPECT_TRUE(block.Item(4).Value() == "Yaltren");  // row by row
    EXPECT_TRUE(block.Item(4).Address() == "$A$3");
    EXPECT_TRUE(block.Item(7).Value().isFailed());
    EXPECT_TRUE(block.Cells(2, 2).Value() == 90);
    const Range bad = ws_->Range("Q");
    EXPECT_TRUE(bad.failed());
    EXPECT_TRUE(bad.Value().isFailed());
    EXPECT_TRUE(bad.Font().Name().isFailed());
    EXPECT_TRUE(bad.MergeArea().Address().isFailed());
    EXPECT_TRUE(bad.Borders(xl::EdgeTop).LineStyle().isFailed());
    EXPECT_TRUE(ws_->Cells(0, 1).Value().isFailed());
    EXPECT_TRUE(ws_->Range("A:IV").HorizontalAlignment().isFailed());  // too many cells to read one by one
    EXPECT_TRUE(ws_->Columns("A:A").HorizontalAlignment().isNull() ||
                ws_->Columns("A:A").HorizontalAlignment().isNumber());
}

TEST_F(FormattedWorkbook, NoChartsIsACountOfZeroAndAFailedChart) {
    EXPECT_TRUE(ws_->ChartObjects().Count() == 0);
    const Chart chart = ws_->ChartObjects(1).Chart();
    EXPECT_TRUE(chart.failed());
    EXPECT_TRUE(chart.ChartType().isFailed());
    EXPECT_TRUE(chart.ChartTitle().Characters().Text().isFailed());
    EXPECT_TRUE(chart.Axes(xl::Category).AxisTitle().Characters().Text().isFailed());
}

TEST(WorkbookOpen, FailsWithAReasonForMissingAndBadFiles) {
    auto missing = Workbook::open(std::filesystem::path("/nonexistent/nothing.xls"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    auto renamed = Workbook::open(test::dataPath("xls/renamed-xlsx.xls"));
    ASSERT_FALSE(renamed.ok());
    EXPECT_EQ(renamed.error().kind, ErrorKind::NewerFormat);
    test::TempDir dir;
    test::writeBytes(dir.path() / "empty.xls", "");
    auto empty = Workbook::open(dir.path() / "empty.xls");
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error().kind, ErrorKind::Empty);
}

}  // namespace
}  // namespace tarnwick::excel
