// Charts written by Excel (from the corpus) and by LibreOffice, read from their chart records.
// The .bin files are the charts' record sub-streams copied out of the workbooks by
// tools/extract-chart-records.py.
#include "formats/xls/chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/xls/chart_parts.h"
#include "formats/xls/chart_type.h"
#include "support/test_support.h"

namespace tarnwick::xls {
namespace {

struct LoadedChart {
    std::string bytes;
    std::vector<Record> records;
};

LoadedChart load(const char* name) {
    LoadedChart c;
    c.bytes = test::readBytes(test::dataPath(std::string("charts/") + name));
    EXPECT_FALSE(c.bytes.empty()) << name;
    auto split = splitRecords(Bytes(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()));
    EXPECT_TRUE(split.ok()) << name;
    if (split) c.records = std::move(*split);
    return c;
}

FormulaEnv envWithSheet(std::string sheet) {
    FormulaEnv env;
    env.sheetPrefix = [sheet](std::uint16_t) { return sheet; };
    return env;
}

// The series formulas depend on the formula text renderer; until it can spell a 3-D reference
// those checks are skipped.
bool rendererReady(std::string& why) {
    const std::uint8_t ref3d[] = {0x3A, 0x00, 0x00, 0x01, 0x00, 0x08, 0x00};
    auto text = formulaText(Bytes(ref3d), Bytes{}, envWithSheet("Sheet1"), RefStyle::A1);
    if (text && *text == "=Sheet1!$I$2") return true;
    why = text ? "formula text renderer gives " + *text : text.error().message;
    return false;
}

#define SKIP_WITHOUT_RENDERER()                                                   \
    do {                                                                          \
        std::string why;                                                          \
        if (!rendererReady(why)) GTEST_SKIP() << "formula text not ready: " << why; \
    } while (0)

SheetArea area3d(std::uint32_t r1, std::uint32_t r2, std::uint16_t c1, std::uint16_t c2) {
    return SheetArea{true, 0, r1, r2, c1, c2};
}

// --- LibreOffice: clustered column chart over B2:B17 and I2:I17 with all three titles --------

TEST(ChartFromLibreOffice, ClusteredColumnWithTitlesAndSeriesInColumns) {
    auto c = load("column-chart-sheet1-chart1.bin");
    auto info = readChart(c.records, envWithSheet("Sheet1"));
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->chartType, 51);
    EXPECT_EQ(info->plotBy, 2);
    ASSERT_EQ(info->series.size(), 1u);
    EXPECT_EQ(info->title, std::optional<std::string>("信息苑小区21栋3单元5月份每户总付费"));
    EXPECT_EQ(info->categoryAxisTitle, std::optional<std::string>("户主姓名"));
    EXPECT_EQ(info->valueAxisTitle, std::optional<std::string>("每户总付费"));

    auto parts = readChartParts(c.records);
    ASSERT_TRUE(parts.ok());
    const SeriesParts& s = parts->series.at(0);
    EXPECT_EQ(s.name.kind, DataSource::Kind::Reference);
    EXPECT_EQ(s.name.areas, std::vector<SheetArea>{area3d(1, 1, 8, 8)});        // I2
    EXPECT_EQ(s.categories.areas, std::vector<SheetArea>{area3d(2, 16, 1, 1)});  // B3:B17
    EXPECT_EQ(s.values.areas, std::vector<SheetArea>{area3d(2, 16, 8, 8)});      // I3:I17
}

TEST(ChartFromLibreOffice, SeriesFormulaAsExcelWritesIt) {
    SKIP_WITHOUT_RENDERER();
    auto c = load("column-chart-sheet1-chart1.bin");
    auto info = readChart(c.records, envWithSheet("Sheet1"));
    ASSERT_TRUE(info.ok());
    ASSERT_EQ(info->series.size(), 1u);
    EXPECT_EQ(info->series[0].formula, "=SERIES(Sheet1!$I$2,Sheet1!$B$3:$B$17,Sheet1!$I$3:$I$17,1)");
}

// --- Excel: WithThreeCharts.xls ---------------------------------------------------------------

TEST(ChartFromExcel, LineChartWithTwoNamedSeriesAndNoTitle) {
    auto c = load("WithThreeCharts-sheet2-chart1.bin");
    auto info = readChart(c.records, envWithSheet("Sheet2"));
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->chartType, 65);  // line with markers: the series have diamond markers
    EXPECT_EQ(info->series.size(), 2u);
    EXPECT_FALSE(info->title.has_value());
    EXPECT_FALSE(info->categoryAxisTitle.has_value());
    EXPECT_FALSE(info->valueAxisTitle.has_value());
    EXPECT_EQ(info->plotBy, 2);

    auto parts = readChartParts(c.records);
    ASSERT_TRUE(parts.ok());
    ASSERT_EQ(parts->series.size(), 2u);
    EXPECT_EQ(parts->series[0].name.text, std::optional<std::string>("1st Column"));
    EXPECT_EQ(parts->series[1].name.text, std::optional<std::string>("2nd Column"));
    // Six numeric values each, in columns A and B.
    EXPECT_EQ(parts->series[0].values.areas, std::vector<SheetArea>{area3d(0, 5, 0, 0)});
    EXPECT_EQ(parts->series[1].values.areas, std::vector<SheetArea>{area3d(0, 5, 1, 1)});
    EXPECT_EQ(parts->series[0].categories.kind, DataSource::Kind::Auto);
}

TEST(ChartFromExcel, LiteralSeriesNamesAreQuotedInTheFormula) {
    SKIP_WITHOUT_RENDERER();
    auto c = load("WithThreeCharts-sheet2-chart1.bin");
    auto info = readChart(c.records, envWithSheet("Sheet2"));
    ASSERT_TRUE(info.ok());
    ASSERT_EQ(info->series.size(), 2u);
    EXPECT_EQ(info->series[0].formula, "=SERIES(\"1st Column\",,Sheet2!$A$1:$A$6,1)");
    EXPECT_EQ(info->series[1].formula, "=SERIES(\"2nd Column\",,Sheet2!$B$1:$B$6,2)");
}

TEST(ChartFromExcel, PieChartWithTitleAndUnnamedSeries) {
    auto c = load("WithThreeCharts-sheet2-chart2.bin");
    auto info = readChart(c.records, envWithSheet("Sheet2"));
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->title, std::optional<std::string>("Pie Chart Title Thingy"));
    ASSERT_EQ(info->series.size(), 1u);
    // Every slice of the series is pulled out by 25 %: an exploded pie.
    EXPECT_EQ(info->chartType, 69);
    auto parts = readChartParts(c.records);
    ASSERT_TRUE(parts.ok());
    // A literal name without text: the name field of the formula stays empty.
    EXPECT_EQ(parts->series[0].name.kind, DataSource::Kind::Literal);
    EXPECT_FALSE(parts->series[0].name.text.has_value());
}

TEST(ChartFromExcel, AreaChartKeepsRecordOrderAndPlotOrder) {
    auto c = load("WithThreeCharts-sheet3-chart1.bin");
    auto info = readChart(c.records, envWithSheet("Sheet3"));
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->chartType, 1);
    EXPECT_EQ(info->title, std::optional<std::string>("Sheet 3 Chart with Title"));
    auto parts = readChartParts(c.records);
    ASSERT_TRUE(parts.ok());
    ASSERT_EQ(parts->series.size(), 2u);
    EXPECT_EQ(parts->series[0].name.text, std::optional<std::string>("Squares"));
    EXPECT_EQ(parts->series[1].name.text, std::optional<std::string>("Base Numbers"));
    // "Squares" is drawn second.
    EXPECT_EQ(parts->series[0].plotOrder, std::optional<std::uint16_t>(1));
    EXPECT_EQ(parts->series[1].plotOrder, std::optional<std::uint16_t>(0));
}

// --- Excel: 49581.xls -------------------------------------------------------------------------

TEST(ChartFromExcel, ChartTypesOfTheCorpusCharts) {
    struct Case {
        const char* file;
        int type;
        std::size_t series;
    } cases[] = {
        {"49581-sheet1-chart1.bin", 4, 2},    // line: marker type "none", not automatic
        {"49581-sheet1-chart2.bin", 5, 1},    // pie
        {"49581-sheet1-chart3.bin", 4, 2},    // line; the first series has no markers
        {"49581-sheet1-chart4.bin", 51, 1},   // clustered column
        {"49581-sheet1-chart5.bin", 85, 2},   // surface seen from above (contour)
        {"49581-sheet1-chart6.bin", -4169, 1},  // scatter, markers without lines
        {"49581-sheet2-chart1.bin", 75, 1},   // scatter, lines without markers
        {"49581-sheet3-chart1.bin", 75, 1},
        {"12843-1-sheet8-chartsheet.bin", 65, 9},  // a chart sheet: two line groups with markers
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        auto c = load(k.file);
        auto info = readChart(c.records, envWithSheet("Sheet1"));
        ASSERT_TRUE(info.ok()) << info.error().message;
        EXPECT_EQ(info->chartType, k.type);
        EXPECT_EQ(info->series.size(), k.series);
    }
}

TEST(ChartFromExcel, EveryShortenedRecordIsReadOrRefusedWithoutHarm) {
    // Cut each record of a real chart in turn to every shorter length: the reader either reads
    // the chart or says it is damaged, and never reads past a record.
    auto c = load("column-chart-sheet1-chart1.bin");
    std::size_t refused = 0;
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        for (std::size_t len = 0; len < c.records[i].data.size(); ++len) {
            std::vector<Record> cut = c.records;
            std::vector<std::uint8_t> body(c.records[i].data.begin(), c.records[i].data.begin() + len);
            cut[i].data = Bytes(body);
            auto info = readChart(cut, envWithSheet("Sheet1"));
            if (!info) {
                ++refused;
                EXPECT_FALSE(info.error().message.empty());
            }
        }
    }
    EXPECT_GT(refused, 0u);
}

}  // namespace
}  // namespace tarnwick::xls
