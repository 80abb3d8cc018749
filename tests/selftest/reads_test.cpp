// The pieces the items are made of: Visual Basic's ordering of cell values, the accepted number
// formats, the series formula's ranges, the active sheet's reads, and the texts of both programs.
#include <gtest/gtest.h>

#include "selftest/hand_in.h"
#include "selftest/kestrum.h"
#include "selftest/vorlane.h"

namespace tarnwick::selftest {
namespace {

const Variant empty = Variant::empty();
Variant num(double v) { return Variant::number(v); }
Variant text(const char* s) { return Variant::text(s); }

TEST(LessThan, ComparesCellValuesAsVisualBasicComparesVariants) {
    EXPECT_EQ(lessThan(num(58.2), num(90.6)), true);
    EXPECT_EQ(lessThan(num(90.6), num(90.6)), false);
    // Empty is 0 beside a number and "" beside a text; two empties are equal.
    EXPECT_EQ(lessThan(empty, num(0.5)), true);
    EXPECT_EQ(lessThan(empty, num(-1)), false);
    EXPECT_EQ(lessThan(num(-1), empty), true);
    EXPECT_EQ(lessThan(empty, text("")), false);
    EXPECT_EQ(lessThan(empty, text("a")), true);
    EXPECT_EQ(lessThan(empty, empty), false);
    // Any number is less than any text, whatever the text spells.
    EXPECT_EQ(lessThan(num(1e9), text("1")), true);
    EXPECT_EQ(lessThan(text("1"), num(1e9)), false);
    // Texts by UTF-16 code units: case counts, U+FF61 sorts above a character outside the BMP.
    EXPECT_EQ(lessThan(text("B"), text("a")), true);
    EXPECT_EQ(lessThan(text("缺考"), text("缺考")), false);
    EXPECT_EQ(lessThan(text("\xF0\x9F\x98\x80"), text("\xEF\xBD\xA1")), true);
    // True is -1.
    EXPECT_EQ(lessThan(Variant::boolean(true), num(0)), true);
    // Null makes the comparison Null: not less. Error values and failed reads cannot be compared.
    EXPECT_EQ(lessThan(Variant::null(), num(1)), false);
    EXPECT_EQ(lessThan(Variant::cellError(7, "#DIV/0!"), num(1)), std::nullopt);
    EXPECT_EQ(lessThan(num(1), Variant::failed("x")), std::nullopt);
}

TEST(NumberFormats, OneAndTwoDecimalsPlainOrFollowedByAnUnderscore) {
    for (const char* f : {"0.0", "0.0_ ", "0.0_);[Red](0.0)", "0.0;_x"}) EXPECT_TRUE(oneDecimalFormat(text(f))) << f;
    for (const char* f : {"0.00", "0.0 ", "#,##0.0_ ", "0.0%", "¥0.0_ ", "0", "General", "0.0;-0.0"})
        EXPECT_FALSE(oneDecimalFormat(text(f))) << f;
    for (const char* f : {"0.00", "0.00_ ", "0.00;_-"}) EXPECT_TRUE(twoDecimalFormat(text(f))) << f;
    for (const char* f : {"0.0_ ", "0.000_ ", "0.00%", "#,##0.00_ "}) EXPECT_FALSE(twoDecimalFormat(text(f))) << f;
    EXPECT_FALSE(oneDecimalFormat(Variant::null()));
    EXPECT_FALSE(twoDecimalFormat(Variant::failed("x")));
}

TEST(SeriesFormula, CategoriesAndValuesAfterTheSheetName) {
    auto ok = [](const char* f) { return seriesOverNamesAndTotals(text(f)); };
    EXPECT_TRUE(ok("=SERIES(Sheet1!$I$2,Sheet1!$B$3:$B$17,Sheet1!$I$3:$I$17,1)"));
    EXPECT_TRUE(ok("=SERIES(,Sheet1!$B$3:$B$17,Sheet1!$I$3:$I$17,1)"));   // made from B3:B17, I3:I17
    EXPECT_TRUE(ok("=SERIES(\"x\",'My Sheet'!$B$3:$B$17,$I$3:$I$17,1)"));
    EXPECT_FALSE(ok("=SERIES(Sheet1!$I$2,Sheet1!$B$2:$B$17,Sheet1!$I$2:$I$17,1)"));
    EXPECT_FALSE(ok("=SERIES(Sheet1!$B$3,Sheet1!$I$2,Sheet1!$I$3,1)"));      // series in rows
    EXPECT_FALSE(ok("=SERIES(,(Sheet1!$B$3:$B$9,Sheet1!$B$11:$B$17),Sheet1!$I$3:$I$17,1)"));  // two areas
    EXPECT_FALSE(ok("=SERIES(,Sheet1!$B$3:$B$17)"));
    EXPECT_FALSE(ok(""));
    EXPECT_FALSE(seriesOverNamesAndTotals(Variant::failed("图表中没有第 1 个数据系列。")));
}

TEST(ActiveSheet, ReadsFailWhenNoWorksheetIsActive) {
    const ActiveSheet none(Result<excel::Worksheet>(Error{ErrorKind::NotFound, "工作簿记录的活动工作表（第 4 个）不存在。"}));
    EXPECT_TRUE(none.Range("A1").failed());
    EXPECT_EQ(none.Rows("1:1").RowHeight().failure(), "工作簿记录的活动工作表（第 4 个）不存在。");
    xls::Sheet chartSheet;
    chartSheet.name = "Chart1";
    chartSheet.type = xls::SheetType::ChartSheet;
    const ActiveSheet chart(Result<excel::Worksheet>(excel::Worksheet(nullptr, &chartSheet)));
    for (const excel::Range& r : {chart.Range("A1:I1"), chart.Rows("1:1"), chart.Columns("A:A"), chart.Cells(3, 9)})
        EXPECT_EQ(r.Value().failure(), "活动工作表“Chart1”不是工作表，无法读取单元格。");
}

// Every line ends in CR LF; vorlane's items are separated by empty lines, kestrum's chart lines
// follow item 8 directly, the last two breaking 户|主姓名.
TEST(TaskTexts, LinesAsTheWindowsShowThem) {
    for (const Program* p : {&vorlane(), &kestrum()}) {
        const std::string_view t = p->taskText;
        EXPECT_TRUE(t.starts_with("\r\n打开文件\"")) << p->id;
        EXPECT_TRUE(t.ends_with("\r\n")) << p->id;
        std::size_t lineFeeds = 0, bare = 0;
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t[i] == '\n') ++lineFeeds, bare += i == 0 || t[i - 1] != '\r';
        EXPECT_EQ(bare, 0u) << p->id;
        EXPECT_EQ(lineFeeds, p == &vorlane() ? 18u : 22u) << p->id;
    }
    EXPECT_NE(kVorlaneTaskText.find("\"学生成绩表.xls\"，完成以下操作后存盘。\r\n\r\n1、"), std::string_view::npos);
    EXPECT_NE(kVorlaneTaskText.find("3、将单元格区域\"A45：B45\"设置为合并居中\r\n"), std::string_view::npos);
    EXPECT_NE(kKestrumTaskText.find("\"水电气费.xls\"，完成以下操作后存盘\r\n"), std::string_view::npos);
    EXPECT_NE(kKestrumTaskText.find("如下：\r\n图表类型为“簇状柱形图”\r\n数据区域为“B2:B17,I2:I17”，系列产生在“列”\r\n"),
              std::string_view::npos);
    EXPECT_TRUE(kKestrumTaskText.ends_with("分类轴标题为“户\r\n主姓名”，数值轴标题为“每户总付费”\r\n"));
}

TEST(ResultText, FaultsEachOnItsLineThenTheScoreLine) {
    marking::MarkingState state;
    EXPECT_EQ(resultText(state), "你的得分为 0分");
    state.RecordItem(5, false, "", "平均分不对");
    state.RecordItem(10, true, "", "排序不对");
    state.RecordItem(5, false, "", "班平均分不对");
    EXPECT_EQ(resultText(state), "平均分不对\r\n班平均分不对\r\n你的得分为 10分");
    state.Score = 130;
    state.WrongList.clear();
    EXPECT_EQ(resultText(state), "你的得分为 130分");
}

}  // namespace
}  // namespace tarnwick::selftest
