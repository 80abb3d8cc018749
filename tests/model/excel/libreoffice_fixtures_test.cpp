// Workbooks written by LibreOffice (tools/workbooks/make-reader-fixtures.py) read back as Excel
// would report them: every read a rubric makes, on files we did not write ourselves.
#include <gtest/gtest.h>

#include "model/excel/workbook.h"
#include "support/test_support.h"

namespace tarnwick::excel {
namespace {

class LibreOfficeWorkbook : public ::testing::Test {
protected:
    static Worksheet sheetOf(const char* file) {
        auto book = Workbook::open(test::dataPath(std::string("xls/") + file));
        EXPECT_TRUE(book.ok()) << (book.ok() ? "" : book.error().message);
        auto sheet = book->Sheets(1);
        EXPECT_TRUE(sheet.ok());
        return *sheet;
    }
    Worksheet ws = sheetOf("formatting.xls");
};

TEST_F(LibreOfficeWorkbook, MergedAndAlignedTitle) {
    EXPECT_TRUE(ws.Range("A1").MergeArea().Address() == "$A$1:$H$1");
    EXPECT_TRUE(ws.Range("D1").MergeArea().Address() == "$A$1:$H$1");
    EXPECT_TRUE(ws.Range("A2").MergeArea().Address() == "$A$2");
    EXPECT_TRUE(ws.Range("A1").MergeCells() == true);
    EXPECT_TRUE(ws.Range("A1:H1").HorizontalAlignment() == xl::Center);
    EXPECT_TRUE(ws.Range("A1:H1").VerticalAlignment() == xl::Bottom);
    // A block reaching past the title mixes alignments.
    EXPECT_TRUE(ws.Range("A1:I1").HorizontalAlignment().isNull());
}

TEST_F(LibreOfficeWorkbook, Fonts) {
    const Range a1 = ws.Range("A1");
    EXPECT_TRUE(a1.Font().Name() == "隶书");
    EXPECT_TRUE(a1.Font().Size() == 15);
    EXPECT_TRUE(a1.Font().Bold() == true);  // weight 700, though the old bold bit is clear
    EXPECT_TRUE(a1.Font().Italic() == false);
    EXPECT_TRUE(a1.Font().ColorIndex() == xl::ColorIndexAutomatic);
    const Range a2 = ws.Range("A2");
    EXPECT_TRUE(a2.Font().Name() == "Arial");
    EXPECT_TRUE(a2.Font().Size() == 12);
    EXPECT_TRUE(a2.Font().Bold() == false);
    EXPECT_TRUE(a2.Font().Italic() == true);
    EXPECT_TRUE(a2.Font().ColorIndex() == 3);
    EXPECT_TRUE(ws.Range("A1:A2").Font().Bold().isNull());
}

TEST_F(LibreOfficeWorkbook, RowHeightsAndColumnWidths) {
    EXPECT_TRUE(ws.Range("A1").RowHeight() == 20);
    EXPECT_TRUE(ws.Rows("1:1").RowHeight() == 20);
    EXPECT_TRUE(ws.Range("A3").RowHeight() == 30);
    EXPECT_TRUE(ws.Range("A5").RowHeight() == 15);
    EXPECT_TRUE(ws.Range("B4").ColumnWidth() == 5);
    EXPECT_TRUE(ws.Columns("B:B").ColumnWidth() == 5);
    EXPECT_TRUE(ws.Range("C4").ColumnWidth() == 12);
    EXPECT_TRUE(ws.Columns("C:C").ColumnWidth() == 12);
}

TEST_F(LibreOfficeWorkbook, FormulasInBothStylesWithTheirCachedValues) {
    struct Row {
        const char* cell;
        const char* a1;
        const char* r1c1;
        double value;
    };
    const Row rows[] = {
        {"C4", "=SUM(B4:B8)", "=SUM(RC[-1]:R[4]C[-1])", 155},
        {"C5", "=AVERAGE(B4:B8)", "=AVERAGE(R[-1]C[-1]:R[3]C[-1])", 31},
        {"C6", "=MAX($B$4:$B$8)", "=MAX(R4C2:R8C2)", 55},
        {"C7", "=MIN(B$4:$B8)", "=MIN(R4C[-1]:R[1]C2)", 10},
        {"C8", "=SUM(Sheet3!A1:A3)", "=SUM(Sheet3!R[-7]C[-2]:R[-5]C[-2])", 600},
        {"C9", "=SUM('Data Sheet'!A1:A2)", "=SUM('Data Sheet'!R[-8]C[-2]:R[-7]C[-2])", 4},
        {"C10", "=B4*0.05", "=R[-6]C[-1]*0.05", 0.5},
    };
    for (const Row& r : rows) {
        const Range cell = ws.Range(r.cell);
        EXPECT_TRUE(cell.Formula() == r.a1) << r.cell << ": " << cell.Formula().describe();
        EXPECT_TRUE(cell.FormulaR1C1() == r.r1c1) << r.cell << ": " << cell.FormulaR1C1().describe();
        EXPECT_TRUE(cell.HasFormula() == true) << r.cell;
        EXPECT_TRUE(cell.Value() == r.value) << r.cell << ": " << cell.Value().describe();
    }
    EXPECT_TRUE(ws.Range("C4:C10").HasFormula() == true);
    EXPECT_TRUE(ws.Range("B4").HasFormula() == false);
}

TEST_F(LibreOfficeWorkbook, NumberFormatsAsTheChineseInterfaceSpellsThem) {
    EXPECT_TRUE(ws.Range("D4").NumberFormatLocal() == "0.00_ ");
    EXPECT_TRUE(ws.Range("D5").NumberFormatLocal() == "0.0_ ");
    EXPECT_TRUE(ws.Range("D6").NumberFormatLocal() == "0_ ");
    EXPECT_TRUE(ws.Range("D4").Value() == 3.14159);
    EXPECT_TRUE(ws.Range("D4:D5").NumberFormatLocal().isNull());
}

TEST_F(LibreOfficeWorkbook, BordersAllRoundAndInsideAndFill) {
    const Range block = ws.Range("E4:G6");
    for (int edge : {xl::EdgeLeft, xl::EdgeTop, xl::EdgeBottom, xl::EdgeRight, xl::InsideVertical,
                     xl::InsideHorizontal})
        EXPECT_TRUE(block.Borders(edge).LineStyle() == xl::Continuous) << edge;
    EXPECT_TRUE(ws.Range("E8:F9").Interior().ColorIndex() == 35);
    EXPECT_TRUE(ws.Range("H8").Interior().ColorIndex() == xl::ColorIndexNone);
    EXPECT_TRUE(ws.Range("E8:H8").Interior().ColorIndex().isNull());
    // A cell with no line on a side.
    EXPECT_TRUE(ws.Range("H8").Borders(xl::EdgeLeft).LineStyle() == xl::LineStyleNone);
}

TEST(LibreOfficeChart, ClusteredColumnChartWithTitles) {
    auto book = Workbook::open(test::dataPath("xls/chart-column.xls"));
    ASSERT_TRUE(book.ok());
    const Worksheet ws = *book->Sheets(1);
    ASSERT_TRUE(ws.ChartObjects().Count() == 1);
    const auto chart = ws.ChartObjects(1).Chart();
    EXPECT_TRUE(chart.ChartType() == 51);
    EXPECT_TRUE(chart.SeriesCollection(1).Formula() == "=SERIES(Sheet1!$I$2,Sheet1!$B$3:$B$17,Sheet1!$I$3:$I$17,1)");
    EXPECT_TRUE(chart.PlotBy() == xl::Columns);
    EXPECT_TRUE(chart.ChartTitle().Characters().Text() == "销售统计图");
    EXPECT_TRUE(chart.Axes(xl::Category, xl::Primary).AxisTitle().Characters().Text() == "姓名");
    EXPECT_TRUE(chart.Axes(xl::Value, xl::Primary).AxisTitle().Characters().Text() == "销售额");
}

}  // namespace
}  // namespace tarnwick::excel
