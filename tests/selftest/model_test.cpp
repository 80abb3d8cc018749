// The windows' handlers with recorded boxes and opener: start, 确定, 取消, 开始答题, and the hand-in
// with its question, its result box and the end of the program.
#include <gtest/gtest.h>

#include <filesystem>

#include "selftest/model.h"
#include "selftest_files.h"
#include "support/recording_services.h"

namespace tarnwick::selftest {
namespace {

namespace fs = std::filesystem;
using test::RecordingOpener;
using test::RecordingPrompter;
using Boxes = std::vector<std::string>;

class SelftestModelTest : public ::testing::Test {
protected:
    test::TempDir folder;
    RecordingOpener opener;
    RecordingPrompter prompter;
    SelftestModel model{vorlane(), Services{folder.path(), &opener, &prompter}};

    fs::path workbook() const { return folder.path() / test::u8path(vorlane().workbook); }
    void put(const fs::path& from) { fs::copy_file(from, workbook(), fs::copy_options::overwrite_existing); }
    void toForm1() {
        model.start();
        model.dialogOkClick();
    }
    void handIn(bool yes) {
        prompter.answers.push_back(yes);
        model.form1Command1Click();
    }
};

TEST_F(SelftestModelTest, DialogFirstThenOkShowsForm1AndCancelEnds) {
    model.start();
    EXPECT_TRUE(model.dialog.visible);
    EXPECT_FALSE(model.form1.loaded);
    model.dialogOkClick();
    EXPECT_FALSE(model.dialog.visible);
    EXPECT_TRUE(model.form1.visible);
    EXPECT_FALSE(model.ended());

    SelftestModel other{kestrum(), Services{folder.path(), &opener, &prompter}};
    other.start();
    other.dialogCancelClick();
    EXPECT_TRUE(other.ended());
    EXPECT_FALSE(other.dialog.visible);
    EXPECT_FALSE(other.form1.loaded);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SelftestModelTest, StartAnsweringHandsTheWorkbookBesideTheProgramOverEveryTime) {
    toForm1();
    model.form1Command2Click();
    model.form1Command2Click();
    EXPECT_EQ(opener.documents, (std::vector<fs::path>{workbook(), workbook()}));
    EXPECT_TRUE(model.form1.visible);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SelftestModelTest, NoChangesNothingAndYesMarksShowsAndEnds) {
    put(test_files::solution("vorlane-sorted-ascending.xls"));
    const std::string before = test::readBytes(workbook());
    toForm1();
    handIn(false);
    EXPECT_EQ(prompter.boxes, Boxes{"Excel文件是否已经存盘并关闭？？？"});
    EXPECT_TRUE(model.form1.visible);
    EXPECT_FALSE(model.lastHandIn);
    EXPECT_FALSE(model.ended());

    handIn(true);
    EXPECT_EQ(prompter.boxes, (Boxes{"Excel文件是否已经存盘并关闭？？？", "Excel文件是否已经存盘并关闭？？？",
                                     "排序不对\r\n你的得分为 90分"}));
    ASSERT_TRUE(model.lastHandIn);
    EXPECT_EQ(model.lastHandIn->state.Score, 90);
    EXPECT_TRUE(model.ended());
    EXPECT_FALSE(model.form1.visible);
    EXPECT_EQ(test::readBytes(workbook()), before);  // marking never writes

    // Ended: nothing answers any more (one hand-in per program start).
    model.form1Command1Click();
    model.form1Command2Click();
    EXPECT_EQ(prompter.boxes.size(), 3u);
    EXPECT_TRUE(opener.documents.empty());
}

TEST_F(SelftestModelTest, AMissingOrUnreadableWorkbookKeepsForm1ForAnotherHandIn) {
    toForm1();
    handIn(true);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1], "找不到工作簿“" + workbook().string() + "”，请把它放回程序所在的文件夹后再交卷。");
    EXPECT_TRUE(model.form1.visible);
    EXPECT_FALSE(model.ended());

    test::writeBytes(workbook(), "PK\x03\x04 not a workbook");
    handIn(true);
    ASSERT_EQ(prompter.boxes.size(), 4u);
    EXPECT_TRUE(prompter.boxes[3].starts_with("工作簿“学生成绩表.xls”无法评分：这是 Excel 2007 及以后版本的新格式工作簿（.xlsx）"));
    EXPECT_EQ(test::readBytes(workbook()), "PK\x03\x04 not a workbook");
    EXPECT_FALSE(model.ended());

    // Put right, handed in again: marked.
    put(test_files::solution("vorlane-solution.xls"));
    handIn(true);
    EXPECT_EQ(prompter.boxes.back(), "你的得分为 100分");
    EXPECT_TRUE(model.ended());
}

TEST_F(SelftestModelTest, ClosingEitherWindowEndsTheProgram) {
    model.start();
    model.dialogUnload();
    EXPECT_TRUE(model.ended());
    SelftestModel other{kestrum(), Services{folder.path(), &opener, &prompter}};
    other.start();
    other.dialogOkClick();
    other.form1Unload();
    EXPECT_TRUE(other.ended());
    EXPECT_FALSE(other.form1.visible);
}

}  // namespace
}  // namespace tarnwick::selftest
