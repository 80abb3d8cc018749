// Both rubrics on the starting workbooks and on workbooks solved in LibreOffice: the solutions
// score 100, each variant loses exactly its item, with its message and points.
#include <gtest/gtest.h>

#include <numeric>

#include "selftest/kestrum.h"
#include "selftest/vorlane.h"
#include "selftest_files.h"

namespace tarnwick::selftest {
namespace {

using Faults = std::vector<std::string>;
using test_files::faults;

MarkOutcome marked(const Program& p, const std::filesystem::path& file) {
    MarkOutcome r = markFile(p, file);
    EXPECT_EQ(r.end, MarkEnd::Marked) << file << ": " << r.reason;
    return r;
}

template <class Doc>
int points(const std::vector<Row<Doc>>& rows) {
    return std::accumulate(rows.begin(), rows.end(), 0, [](int sum, const Row<Doc>& r) { return sum + r.item.points; });
}

TEST(Rubrics, PointsAddUpToAHundredWithOneChart) {
    EXPECT_EQ(points(vorlaneRows()), 100);
    EXPECT_EQ(points(kestrumSheetRows()), 70);
    EXPECT_EQ(points(kestrumChartRows()), 30);
}

// What the starting files hold: every vorlane item fails but the sort, which is skipped on the
// empty average column; kestrum's title is already bottom aligned (5 points) and it has no chart.
TEST(StartingWorkbooks, FailAllButWhatTheyAlreadyHold) {
    const MarkOutcome v = marked(vorlane(), test_files::starting(vorlane()));
    EXPECT_EQ(v.state.Score, 0);
    EXPECT_EQ(faults(v), (Faults{"第1行的行高应设置为30", "标题行的水平对齐方式应设为‘居中’", "标题行的垂直对齐方式应设为‘居中’",
                                 "A45:B45单元格应合并居中", "A2:I45区域没加表格边框线", "总分不对", "平均分不对",
                                 "平均分应保留1位小数", "班平均分不对", "班平均分应保留2位小数", "科目最高分不对",
                                 "科目最低分不对"}));
    const MarkOutcome k = marked(kestrum(), test_files::starting(kestrum()));
    EXPECT_EQ(k.state.Score, 5);
    EXPECT_EQ(faults(k), (Faults{"A列的列宽应设置为12", "用户门号不对", "A1:I1单元格应合并居中", "A2:I17区域应设置为浅绿色",
                                 "水费不对", "电费不对", "气费不对", "每户总付费不对", "每户总付费应保留1位小数",
                                 "请插入图表"}));
    EXPECT_EQ(k.text, k.state.WrongList + "你的得分为 5分");
}

TEST(Solutions, ScoreAHundredAndTheTextIsTheScoreLineAlone) {
    for (const auto& [program, file] : {std::pair{&vorlane(), "vorlane-solution.xls"}, {&kestrum(), "kestrum-solution.xls"},
                                        {&kestrum(), "kestrum-water-price-first.xls"}}) {
        const MarkOutcome r = marked(*program, test_files::solution(file));
        EXPECT_EQ(r.state.Score, 100) << file;
        EXPECT_EQ(r.text, "你的得分为 100分") << file;
    }
}

struct OneChange {
    const char* file;
    int score;
    Faults faults;
};

TEST(Variants, VorlaneLosesExactlyTheChangedItem) {
    const OneChange variants[] = {
        {"vorlane-row-height-30.5.xls", 90, {"第1行的行高应设置为30"}},
        {"vorlane-inner-borders-missing.xls", 90, {"A2:I45区域内侧没加框线"}},
        {"vorlane-total-typed.xls", 95, {"总分不对"}},
        {"vorlane-total-added-up.xls", 95, {"总分不对"}},
        {"vorlane-average-thousands.xls", 90, {"平均分应保留1位小数"}},
        {"vorlane-sorted-ascending.xls", 90, {"排序不对"}},
        // Item 13 is skipped: neither its points nor its fault.
        {"vorlane-averages-empty.xls", 75, {"平均分不对", "平均分应保留1位小数"}},
        // The solution saved with Sheet2 active: the active items read the empty Sheet2 (whose
        // empty average column skips item 13), the sheet items Sheet1.
        {"vorlane-saved-on-sheet2.xls", 50,
         {"第1行的行高应设置为30", "标题行的水平对齐方式应设为‘居中’", "标题行的垂直对齐方式应设为‘居中’", "A45:B45单元格应合并居中",
          "A2:I45区域没加表格边框线"}},
    };
    for (const OneChange& v : variants) {
        const MarkOutcome r = marked(vorlane(), test_files::solution(v.file));
        EXPECT_EQ(r.state.Score, v.score) << v.file;
        EXPECT_EQ(faults(r), v.faults) << v.file;
    }
}

TEST(Variants, KestrumLosesExactlyTheChangedItem) {
    const OneChange variants[] = {
        {"kestrum-door-numbers-text.xls", 90, {"用户门号不对"}},
        {"kestrum-water-price-relative.xls", 95, {"水费不对"}},
        {"kestrum-line-chart.xls", 95, {"图表类型不对"}},
        // Series in rows: the first series is row 3 (B3 as its name, I3 its one value).
        {"kestrum-series-in-rows.xls", 90, {"数据区域不对", "数据系列应设置为列"}},
        {"kestrum-no-title.xls", 95, {"请添加图表标题"}},
        {"kestrum-other-title.xls", 95, {"图表标题不对"}},
        {"kestrum-no-chart.xls", 70, {"请插入图表"}},
        {"kestrum-two-charts.xls", 130, {}},
    };
    for (const OneChange& v : variants) {
        const MarkOutcome r = marked(kestrum(), test_files::solution(v.file));
        EXPECT_EQ(r.state.Score, v.score) << v.file;
        EXPECT_EQ(faults(r), v.faults) << v.file;
    }
}

}  // namespace
}  // namespace tarnwick::selftest
