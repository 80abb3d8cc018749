// Cases LibreOffice does not write, on workbooks built record by record: equal and erroneous
// averages, a title centred across the selection, border lines that differ along an edge, a window
// record naming no sheet, a chart whose records cannot be read, the name of the marking sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "formats/xls/xls_builder.h"
#include "selftest/kestrum.h"
#include "selftest/vorlane.h"
#include "selftest_files.h"

namespace tarnwick::selftest {
namespace {

using namespace tarnwick::test;
namespace rt = xls::rt;
using test_files::faults;

Buf number(std::uint16_t row, std::uint16_t col, double v, std::uint16_t xf = 15) {
    Buf b = cellHeader(row, col, xf);
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    add32(b, static_cast<std::uint32_t>(bits));
    add32(b, static_cast<std::uint32_t>(bits >> 32));
    return b;
}

// A row of blank cells in columns A to I with one format each.
Buf blanks(std::uint16_t row, const std::vector<std::uint16_t>& xfs) {
    Buf b = cellHeader(row, 0, 0);
    b.resize(4);
    for (std::uint16_t xf : xfs) add16(b, xf);
    add16(b, static_cast<std::uint16_t>(xfs.size() - 1));
    return b;
}

Buf window1(std::uint16_t activeTab) {
    Buf w(18, 0);
    w[10] = static_cast<std::uint8_t>(activeTab);
    return w;
}

// XF 16: thin lines on all four sides; 17: right line dotted; 18: left line dotted; 19: title
// centred across the selection (alignment code 6) and vertically centred.
void globals(StreamBuilder& s) {
    standardGlobals(s, {"宋体", 240});
    s.add(rt::Xf, xfRecord(0, false, 0x1111));
    s.add(rt::Xf, xfRecord(0, false, 0x1141));
    s.add(rt::Xf, xfRecord(0, false, 0x1114));
    Buf across = xfRecord(0);
    across[6] = 0x10 | 6;
    s.add(rt::Xf, across);
}

class BuiltWorkbook : public ::testing::Test {
protected:
    TempDir dir;

    MarkOutcome mark(const Program& p, const RecordsFn& sheet, const RecordsFn& extraGlobals = {},
                     const std::string& sheetName = "Sheet1") {
        const Buf stream = workbookStream(
            [&](StreamBuilder& s) {
                globals(s);
                if (extraGlobals) extraGlobals(s);
            },
            {{sheetName, sheet}, {"Sheet2", [](StreamBuilder&) {}}});
        const auto file = dir.path() / "book.xls";
        const Buf bytes = xlsFile(stream);
        writeBytes(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return markFile(p, file);
    }
};

bool has(const MarkOutcome& r, const std::string& fault) {
    const auto all = faults(r);
    return std::find(all.begin(), all.end(), fault) != all.end();
}

TEST_F(BuiltWorkbook, EqualNeighbouringAveragesAreSortedAndAnErrorValueIsNot) {
    // I3:I42 falling from 90, rows 11 and 12 equal (81); everything else of the sheet untouched: only
    // the sort item passes.
    auto averages = [](std::optional<std::uint16_t> errorRow) {
        return [errorRow](StreamBuilder& s) {
            for (std::uint16_t r = 2; r <= 41; ++r) {
                if (errorRow && r == *errorRow) {
                    Buf e = cellHeader(r, 8, 15);
                    e.push_back(0x07);  // #DIV/0!
                    e.push_back(1);
                    s.add(rt::BoolErr, e);
                } else {
                    s.add(rt::Number, number(r, 8, r == 10 ? 81.0 : 90.0 - r));
                }
            }
        };
    };
    const MarkOutcome sorted = mark(vorlane(), averages(std::nullopt));
    EXPECT_EQ(sorted.state.Score, 10);
    EXPECT_FALSE(has(sorted, "排序不对"));
    const MarkOutcome error = mark(vorlane(), averages(std::uint16_t{30}));
    EXPECT_EQ(error.state.Score, 0);
    EXPECT_TRUE(has(error, "排序不对"));
}

TEST_F(BuiltWorkbook, TitleCentredAcrossTheSelectionIsNotCentred) {
    const MarkOutcome r = mark(vorlane(), [](StreamBuilder& s) { s.add(rt::MulBlank, blanks(0, std::vector<std::uint16_t>(9, 19))); });
    EXPECT_TRUE(has(r, "标题行的水平对齐方式应设为‘居中’"));
    EXPECT_FALSE(has(r, "标题行的垂直对齐方式应设为‘居中’"));
}

// A2:I45 with thin lines everywhere except one cell (row 10) whose left or right line is dotted:
// that edge reads Null, which counts as a missing line.
TEST_F(BuiltWorkbook, ALineThatDiffersAlongAnEdgeCountsAsMissing) {
    auto grid = [](std::uint16_t odd, std::uint16_t oddXf) {
        return [=](StreamBuilder& s) {
            for (std::uint16_t r = 1; r <= 44; ++r) {
                std::vector<std::uint16_t> xfs(9, 16);
                if (r == 9) xfs[odd] = oddXf;
                s.add(rt::MulBlank, blanks(r, xfs));
            }
        };
    };
    const MarkOutcome inner = mark(vorlane(), grid(4, 17));   // E10's right line
    EXPECT_TRUE(has(inner, "A2:I45区域内侧没加框线"));
    EXPECT_FALSE(has(inner, "A2:I45区域没加表格边框线"));
    const MarkOutcome outer = mark(vorlane(), grid(0, 18));   // A10's left line
    EXPECT_TRUE(has(outer, "A2:I45区域没加表格边框线"));
    EXPECT_FALSE(has(outer, "A2:I45区域内侧没加框线"));
    const MarkOutcome all = mark(vorlane(), grid(0, 16));
    EXPECT_FALSE(has(all, "A2:I45区域没加表格边框线"));
    EXPECT_FALSE(has(all, "A2:I45区域内侧没加框线"));
    EXPECT_EQ(all.state.Score, 10);
}

TEST_F(BuiltWorkbook, AWindowRecordNamingNoSheetFailsTheActiveReadsOnly) {
    // Kestrum's item 4 passes on any untouched title, read on the active sheet; item 2 on Sheet1.
    auto doors = [](StreamBuilder& s) {
        for (std::uint16_t r = 2; r <= 16; ++r) s.add(rt::Number, number(r, 0, 210301.0 + (r - 2)));
    };
    const MarkOutcome ok = mark(kestrum(), doors);
    EXPECT_EQ(ok.state.Score, 15);
    const MarkOutcome past = mark(kestrum(), doors, [](StreamBuilder& s) { s.add(rt::Window1, window1(2)); });
    EXPECT_EQ(past.state.Score, 10);
    EXPECT_TRUE(has(past, "标题行的垂直对齐方式应设为‘靠下’"));
    EXPECT_FALSE(has(past, "用户门号不对"));
    // Sheet2 active: its title cells are as untouched as Sheet1's.
    EXPECT_EQ(mark(kestrum(), doors, [](StreamBuilder& s) { s.add(rt::Window1, window1(1)); }).state.Score, 15);
}

TEST_F(BuiltWorkbook, AChartThatCannotBeReadFailsEveryChartItem) {
    const MarkOutcome r = mark(kestrum(), [](StreamBuilder& s) {
        s.bof(0x0020);  // a chart sub-stream with no chart in it
        s.eof();
    });
    EXPECT_EQ(r.state.Score, 5);
    const auto all = faults(r);
    ASSERT_GE(all.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(all.end() - 6, all.end()),
              (std::vector<std::string>{"图表类型不对", "数据区域不对", "数据系列应设置为列", "请添加图表标题", "请添加分类轴标题",
                                        "请添加数值轴标题"}));
    EXPECT_FALSE(has(r, "请插入图表"));
}

TEST_F(BuiltWorkbook, TheMarkingSheetIsFoundByNameWithoutRegardToCase) {
    const auto none = [](StreamBuilder&) {};
    EXPECT_EQ(mark(vorlane(), none, {}, "sheet1").end, MarkEnd::Marked);
    const MarkOutcome other = mark(vorlane(), none, {}, "成绩");
    EXPECT_EQ(other.end, MarkEnd::Unreadable);
    EXPECT_EQ(other.reason, "工作簿“book.xls”无法评分：工作簿中没有名为“Sheet1”的工作表。");
    EXPECT_TRUE(other.state.WrongList.empty());
}

}  // namespace
}  // namespace tarnwick::selftest
