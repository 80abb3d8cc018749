#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/prepare.h"
#include "shell/window_model.h"
#include "support/recording_services.h"
#include "support/test_support.h"

namespace tarnwick::shell {
namespace {

namespace fs = std::filesystem;
using test::RecordingOpener;
using test::RecordingPrompter;

struct SwitchableProbe : platform::AppProbe {
    bool word = false, excel = false, frontPage = false;
    bool isRunning(platform::OfficeApp app) const override {
        switch (app) {
            case platform::OfficeApp::Word: return word;
            case platform::OfficeApp::Excel: return excel;
            case platform::OfficeApp::FrontPage: return frontPage;
        }
        return false;
    }
};

int lines(const std::string& s) {
    int n = 0;
    for (std::size_t i = 0; (i = s.find("\r\n", i)) != std::string::npos; i += 2) ++n;
    return n;
}

// A program with a temporary exam folder, a switchable probe and recorded boxes and folders.
class WindowModelTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path examPath = dir.path() / "MyExam";
    SwitchableProbe probe;
    RecordingOpener opener;
    RecordingPrompter prompter;
    WindowModel model{Services{platform::examFolderAt(examPath), &probe, &opener, &prompter}};

    // Start, pick `number` and confirm: the answering window in Ready.
    void chooseExercise(int number) {
        model.start();
        model.xuanzheOptionClick(number);
        model.xuanzheCommand1Click();
    }
    // ... then start answering and close the requirements window: Working.
    void startWorking(int number) {
        chooseExercise(number);
        model.mainCommand1Click();
        model.yaoqiuUnload();
    }
    void writePage(std::string_view html) {
        test::writeBytes(examPath / "index.htm", test::toCp936(html));
    }
};

// ---- selection window ----

TEST_F(WindowModelTest, StartShowsOnlyTheSelectionWindowWithNothingChosen) {
    model.start();
    EXPECT_TRUE(model.xuanzhe.loaded);
    EXPECT_TRUE(model.xuanzhe.visible);
    EXPECT_FALSE(model.SelectionDone);
    EXPECT_EQ(model.QuestionNumber, 0);
    EXPECT_FALSE(model.main.loaded);
    EXPECT_FALSE(model.main.visible);
    EXPECT_EQ(model.answerState(), AnswerState::NotLoaded);
}

TEST_F(WindowModelTest, ConfirmWithoutChoiceShowsTheBoxAndLeavesTheSelectionOpen) {
    model.start();
    model.xuanzheCommand1Click();
    ASSERT_EQ(prompter.boxes, std::vector<std::string>{"请选择试题后再点确定！"});
    EXPECT_TRUE(model.xuanzhe.visible);
    EXPECT_FALSE(model.main.loaded);
    EXPECT_FALSE(model.ended());
    EXPECT_TRUE(model.texts.RequirementText.empty());

    // The choice can then be made.
    model.xuanzheOptionClick(7);
    model.xuanzheCommand1Click();
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(model.QuestionNumber, 7);
    EXPECT_TRUE(model.main.visible);
}

TEST_F(WindowModelTest, ConfirmOpensTheAnsweringWindowForEveryNumberAndClosesTheSelection) {
    for (int n = 1; n <= 8; ++n) {
        RecordingPrompter boxes;
        WindowModel m{Services{platform::examFolderAt(examPath), nullptr, nullptr, &boxes}};
        m.start();
        m.xuanzheOptionClick(n == 1 ? 2 : 1);  // a different choice first: the last click counts
        m.xuanzheOptionClick(n);
        m.xuanzheCommand1Click();
        EXPECT_EQ(m.QuestionNumber, n);
        EXPECT_TRUE(m.SelectionDone) << n;
        EXPECT_FALSE(m.xuanzhe.loaded) << n;
        EXPECT_FALSE(m.xuanzhe.visible) << n;
        EXPECT_FALSE(m.ended()) << n;  // the selection's Unload did nothing
        EXPECT_TRUE(m.main.visible) << n;
        EXPECT_EQ(m.answerState(), AnswerState::Ready) << n;
        exercises::CatalogTexts expected;
        exercises::proc1(static_cast<exercises::QuestionNumberType>(n), expected, platform::examFolderAt(examPath));
        EXPECT_EQ(m.texts.RequirementText, expected.RequirementText) << n;
        EXPECT_EQ(m.texts.HintText, expected.HintText) << n;
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

TEST_F(WindowModelTest, OptionNumbersOutsideOneToEightAreIgnored) {
    model.start();
    model.xuanzheOptionClick(9);
    model.xuanzheOptionClick(0);
    EXPECT_EQ(model.QuestionNumber, 0);
    model.xuanzheOptionClick(3);
    model.xuanzheOptionClick(-1);
    EXPECT_EQ(model.QuestionNumber, 3);
}

TEST_F(WindowModelTest, ClosingOrLeavingTheSelectionWindowEndsTheProgram) {
    model.start();
    model.xuanzheUnload();
    EXPECT_TRUE(model.ended());
    EXPECT_FALSE(model.xuanzhe.visible);

    WindowModel other{Services{platform::examFolderAt(examPath), nullptr, nullptr, &prompter}};
    other.start();
    other.xuanzheOptionClick(2);
    other.xuanzheCommand2Click();
    EXPECT_TRUE(other.ended());
    // After the end no handler runs: confirming opens nothing.
    other.xuanzheCommand1Click();
    EXPECT_FALSE(other.main.loaded);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(WindowModelTest, InstructionsWindowShowsItsTextAndOutlivesTheSelection) {
    model.start();
    model.xuanzheCommand5Click();
    EXPECT_TRUE(model.shuoming.visible);
    const std::string& text = model.shuoming.Text1;
    EXPECT_EQ(text, instructionsText());
    EXPECT_EQ(lines(text), 8);
    EXPECT_TRUE(text.starts_with("使用对象：\r\n    主要针对参加四川省信息技术水平考试的初中生"));
    EXPECT_NE(text.find("\r\n\r\n使用环境：\r\n     Windows xp系统+Word 2003+Excel 2003+Frontpage 2003\r\n\r\n系统特点：\r\n     本软件"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("检测自己的学习效果。\r\n"));

    model.xuanzheOptionClick(4);
    model.xuanzheCommand1Click();
    EXPECT_TRUE(model.shuoming.visible);
    EXPECT_TRUE(model.main.visible);

    model.shuomingCommand1Click();
    EXPECT_FALSE(model.shuoming.visible);
    EXPECT_FALSE(model.shuoming.loaded);
    EXPECT_TRUE(model.main.visible);
    EXPECT_FALSE(model.ended());
}

// ---- answering window: the state table ----

TEST_F(WindowModelTest, ReadyOnlyStartAndExitCanBePressedAndNoBoxIsVisible) {
    chooseExercise(1);
    const MainState& m = model.main;
    EXPECT_EQ(model.answerState(), AnswerState::Ready);
    EXPECT_TRUE(m.Command1Enabled);
    EXPECT_FALSE(m.Command2Enabled);
    EXPECT_FALSE(m.Command3Enabled);
    EXPECT_FALSE(m.Command4Enabled);
    EXPECT_FALSE(m.Text1Visible);
    EXPECT_FALSE(m.Text2Visible);
    EXPECT_FALSE(m.Text3Visible);
    EXPECT_FALSE(m.Text4Visible);
    EXPECT_TRUE(m.Label5.empty());
    EXPECT_EQ(m.HelpClicks, 1);
    EXPECT_EQ(m.Command3Caption, "开启帮助");
    EXPECT_FALSE(model.yaoqiu.visible);
}

TEST_F(WindowModelTest, StartAnsweringPreparesTheFolderOpensItAndShowsTheRequirementsOnTop) {
    chooseExercise(5);
    fs::create_directories(examPath / "keep");
    test::writeBytes(examPath / "old.doc", "student's earlier work");
    model.mainCommand1Click();

    EXPECT_TRUE(prompter.boxes.empty());
    ASSERT_EQ(opener.opened, std::vector<fs::path>{examPath});
    EXPECT_FALSE(fs::exists(examPath / "old.doc"));
    EXPECT_TRUE(fs::is_directory(examPath / "keep"));

    EXPECT_EQ(model.answerState(), AnswerState::Answering);
    const MainState& m = model.main;
    EXPECT_FALSE(m.Command1Enabled);
    EXPECT_TRUE(m.Command2Enabled);
    EXPECT_TRUE(m.Command3Enabled);
    EXPECT_TRUE(m.Command4Enabled);
    EXPECT_FALSE(m.visible);
    EXPECT_TRUE(m.Text1Visible);
    EXPECT_EQ(m.Text1, model.texts.RequirementText);
    EXPECT_FALSE(m.Text1.empty());
    EXPECT_TRUE(model.yaoqiu.visible);
    EXPECT_TRUE(model.yaoqiu.topmost);
    EXPECT_EQ(model.yaoqiu.Text1, model.texts.RequirementText);
}

TEST_F(WindowModelTest, StartRefusedWhileTheApplicationOfTheKindRunsChangesNothing) {
    struct Case {
        int number;
        bool SwitchableProbe::*app;
        const char* box;
    } cases[] = {
        {1, &SwitchableProbe::word, "你没有关闭Word现在不能开始答题哦！请先关闭哦！"},
        {8, &SwitchableProbe::excel, "你没有关闭Excel，现在不能开始答题哦！请先关闭哦！"},
        {6, &SwitchableProbe::frontPage, "你没有关闭FrontPage，现在不能开始答题哦！请先关闭哦！"},
    };
    for (const Case& c : cases) {
        SwitchableProbe running;
        running.*c.app = true;
        RecordingPrompter boxes;
        RecordingOpener folders;
        WindowModel m{Services{platform::examFolderAt(examPath), &running, &folders, &boxes}};
        m.start();
        m.xuanzheOptionClick(c.number);
        m.xuanzheCommand1Click();
        fs::create_directories(examPath);
        test::writeBytes(examPath / "old.doc", "x");
        const MainState before = m.main;
        m.mainCommand1Click();
        EXPECT_EQ(boxes.boxes, std::vector<std::string>{c.box}) << c.number;
        EXPECT_EQ(m.main, before) << c.number;
        EXPECT_EQ(m.answerState(), AnswerState::Ready);
        EXPECT_FALSE(m.yaoqiu.visible);
        EXPECT_TRUE(folders.opened.empty());
        EXPECT_TRUE(fs::exists(examPath / "old.doc")) << c.number;
    }
}

TEST_F(WindowModelTest, OnlyTheApplicationOfTheChosenKindIsProbed) {
    probe.word = true;
    chooseExercise(3);
    model.mainCommand1Click();
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(model.answerState(), AnswerState::Answering);
}

TEST_F(WindowModelTest, ClosingTheRequirementsGivesWorkingAndRequirementsGoBackToAnswering) {
    chooseExercise(4);
    model.mainCommand1Click();
    const MainState answering = model.main;

    model.yaoqiuUnload();
    EXPECT_EQ(model.answerState(), AnswerState::Working);
    EXPECT_TRUE(model.main.visible);
    EXPECT_FALSE(model.yaoqiu.visible);
    EXPECT_FALSE(model.yaoqiu.loaded);
    // All buttons as before.
    MainState expected = answering;
    expected.visible = true;
    EXPECT_EQ(model.main, expected);

    model.mainCommand4Click();
    EXPECT_EQ(model.answerState(), AnswerState::Answering);
    EXPECT_FALSE(model.main.visible);
    EXPECT_TRUE(model.main.Text1ReadOnly);
    EXPECT_TRUE(model.yaoqiu.topmost);
    EXPECT_EQ(model.yaoqiu.Text1, model.texts.RequirementText);
    EXPECT_FALSE(model.main.Command1Enabled);

    model.yaoqiuUnload();
    EXPECT_EQ(model.answerState(), AnswerState::Working);
    EXPECT_TRUE(model.main.visible);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(WindowModelTest, HelpPressedThreeTimesShowsHidesShows) {
    startWorking(4);
    const std::string captions[] = {"关闭帮助", "开启帮助", "关闭帮助"};
    const bool shown[] = {true, false, true};
    for (int press = 0; press < 3; ++press) {
        model.mainCommand3Click();
        EXPECT_EQ(model.main.Text4Visible, shown[press]) << press;
        EXPECT_EQ(model.main.Command3Caption, captions[press]) << press;
        EXPECT_EQ(model.main.Text4, model.texts.HintText);
        EXPECT_EQ(model.main.HelpClicks, press + 2);
    }
    EXPECT_EQ(model.answerState(), AnswerState::Working);

    // The hint box keeps its visibility and the button its caption across the states.
    model.mainCommand4Click();
    model.yaoqiuUnload();
    EXPECT_TRUE(model.main.Text4Visible);
    EXPECT_EQ(model.main.Command3Caption, "关闭帮助");
}

TEST_F(WindowModelTest, ExitAndClosingTheAnsweringWindowEndTheProgram) {
    chooseExercise(1);
    model.xuanzheCommand5Click();
    model.mainCommand5Click();
    EXPECT_TRUE(model.ended());
    EXPECT_FALSE(model.main.visible);
    EXPECT_FALSE(model.shuoming.visible);

    WindowModel other{Services{platform::examFolderAt(examPath), nullptr, &opener, &prompter}};
    other.start();
    other.xuanzheOptionClick(3);
    other.xuanzheCommand1Click();
    other.mainCommand1Click();
    other.yaoqiuUnload();
    other.mainUnload();
    EXPECT_TRUE(other.ended());
    // No further handler runs: closing the requirements window after the end shows nothing.
    other.yaoqiuUnload();
    EXPECT_FALSE(other.main.visible);
}

// ---- marking ----

TEST_F(WindowModelTest, MarkingRunFillsScoreAndListsAndShowsTheVerdict) {
    startWorking(5);
    writePage("<html><head><title>川南玉米之乡——Tenbury</title></head><body>\r\n"
              "<p>川南玉米之乡——Tenbury</p></body></html>\r\n");
    model.mainCommand2Click();

    const MainState& m = model.main;
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(m.Label5, std::to_string(model.marking.Score));
    EXPECT_EQ(m.Text2, model.marking.CorrectList);
    EXPECT_EQ(m.Text3, model.marking.WrongList);
    EXPECT_TRUE(m.Text2Visible);
    EXPECT_TRUE(m.Text3Visible);
    // Ten items, each on its own CR LF line in one of the two lists.
    EXPECT_EQ(lines(m.Text2) + lines(m.Text3), 10);
    EXPECT_TRUE(m.Text3.ends_with("\r\n"));
    EXPECT_NE(m.Text2.find("1、标题设置正确\r\n"), std::string::npos);
    EXPECT_LT(model.marking.Score, 100);
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"还没有全正确，继续努力哦！"});
    // A marking run does not change the state.
    EXPECT_EQ(model.answerState(), AnswerState::Working);
    EXPECT_FALSE(m.Command1Enabled);

    // Marking again after a correction replaces the results.
    writePage("<html><head><title>nothing</title></head><body></body></html>");
    model.mainCommand2Click();
    EXPECT_EQ(m.Label5, "0");
    EXPECT_TRUE(m.Text2.empty());
    EXPECT_EQ(lines(m.Text3), 10);
    EXPECT_EQ(prompter.boxes.size(), 2u);
}

TEST_F(WindowModelTest, SpreadsheetExerciseScoresZeroUntouchedAndHundredWithTheSolution) {
    startWorking(3);
    const fs::path book = examPath / test::u8path("学生成绩表.xls");
    ASSERT_TRUE(fs::is_regular_file(book));
    const MainState& m = model.main;

    // The workbook as the program wrote it: every item wrong, in the order of the marking table.
    model.mainCommand2Click();
    EXPECT_EQ(m.Label5, "0");
    EXPECT_EQ(m.Text2, "");
    EXPECT_EQ(m.Text3,
              "1、单元格合并不正确\r\n"
              "1、单元格对齐方式不正确\r\n"
              "2、行高设置不正确\r\n"
              "3、字体设置不正确\r\n"
              "3、字号设置不正确\r\n"
              "3、字形加粗设置不正确\r\n"
              "4、总分计算不正确\r\n"
              "5、由高到低排序不正确\r\n"
              "6、平均分计算不正确\r\n"
              "7、2位小数设置不正确\r\n");
    EXPECT_TRUE(m.Text2Visible);
    EXPECT_TRUE(m.Text3Visible);
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"还没有全正确，继续努力哦！"});
    EXPECT_EQ(model.answerState(), AnswerState::Working);

    // The same workbook solved in a spreadsheet application and saved over it.
    fs::copy_file(test::dataPath("solutions/ex3-solution.xls"), book, fs::copy_options::overwrite_existing);
    const std::string saved = test::readBytes(book);
    model.mainCommand2Click();
    EXPECT_EQ(m.Label5, "100") << m.Text3;
    EXPECT_EQ(m.Text2,
              "1、单元格合并正确\r\n"
              "1、单元格对齐方式正确\r\n"
              "2、行高设置正确\r\n"
              "3、字体设置正确\r\n"
              "3、字号设置正确\r\n"
              "3、字形加粗设置正确\r\n"
              "4、总分计算正确\r\n"
              "5、由高到低排序正确\r\n"
              "6、平均分计算正确\r\n"
              "7、2位小数设置正确\r\n");
    EXPECT_EQ(m.Text3, "");
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1], "恭喜你全部正确！");

    // Marking again gives the same results and never writes the student's workbook.
    const MainState afterSolution = m;
    model.mainCommand2Click();
    EXPECT_EQ(m, afterSolution);
    EXPECT_EQ(prompter.boxes.back(), "恭喜你全部正确！");
    EXPECT_EQ(test::readBytes(book), saved);
    EXPECT_EQ(model.answerState(), AnswerState::Working);
}

TEST_F(WindowModelTest, MarkingRefusedOrWithoutTheDocumentLeavesThePreviousResults) {
    startWorking(6);
    writePage("<html><head><title>Brathel介绍</title></head><body></body></html>");
    model.mainCommand2Click();
    const MainState afterRun = model.main;
    ASSERT_EQ(afterRun.Label5, std::to_string(model.marking.Score));
    prompter.boxes.clear();

    probe.frontPage = true;
    model.mainCommand2Click();
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"你没有关闭frontpage不能评分哦！请先关闭再点评分按钮！"});
    EXPECT_EQ(model.main, afterRun);

    probe.frontPage = false;
    fs::remove(examPath / "index.htm");
    prompter.boxes.clear();
    model.mainCommand2Click();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0], model.services().folder.shownFile("index.htm") + "不存在！请恢复试题后再做！");
    EXPECT_EQ(model.main, afterRun);
}

TEST_F(WindowModelTest, VerdictFollowsTheScore) {
    startWorking(3);
    model.marking.Score = 100;
    model.marking.CorrectList = "1、字体设置正确\r\n";
    model.marking.WrongList.clear();
    model.showMarkingOutcome({marking::RunEnd::Ended, "", "100", std::string(marking::kAllCorrect), ""});
    EXPECT_EQ(model.main.Label5, "100");
    EXPECT_TRUE(model.main.Text3.empty());
    EXPECT_EQ(prompter.boxes.back(), "恭喜你全部正确！");
}

TEST_F(WindowModelTest, LostContentMakesTheExerciseRestartable) {
    startWorking(3);
    model.marking.Score = 15;
    model.marking.CorrectList.clear();
    model.marking.WrongList = "文章内容丢失，请重新做题\r\n";
    model.marking.contentLost = true;
    model.showMarkingOutcome({marking::RunEnd::Ended, "", "15", std::string(marking::kNotYet), ""});
    EXPECT_EQ(model.answerState(), AnswerState::WorkingRestartable);
    EXPECT_TRUE(model.main.Command1Enabled);
    EXPECT_TRUE(model.main.Command2Enabled);
    EXPECT_TRUE(model.main.visible);
    EXPECT_EQ(model.main.Text3, "文章内容丢失，请重新做题\r\n");
    EXPECT_EQ(model.main.Label5, "15");

    // Starting again prepares the exercise once more and leads to Answering.
    test::writeBytes(examPath / "学生成绩表.xls", "edited");
    model.mainCommand1Click();
    EXPECT_EQ(model.answerState(), AnswerState::Answering);
    EXPECT_FALSE(model.main.Command1Enabled);
    EXPECT_EQ(opener.opened.size(), 2u);
    EXPECT_NE(test::readBytes(examPath / "学生成绩表.xls"), "edited");
}

TEST_F(WindowModelTest, AFolderThatMayNotBePreparedIsToldAndNothingChanges) {
    // The exam folder is a link to a folder holding someone's work.
    fs::create_directories(dir.path() / "work");
    test::writeBytes(dir.path() / "work" / "essay.doc", "mine");
    fs::create_directory_symlink(dir.path() / "work", examPath);
    chooseExercise(3);
    model.mainCommand1Click();
    EXPECT_EQ(model.answerState(), AnswerState::Ready);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_NE(prompter.boxes[0].find("链接"), std::string::npos) << prompter.boxes[0];
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_EQ(test::readBytes(dir.path() / "work" / "essay.doc"), "mine");
    EXPECT_FALSE(fs::exists(dir.path() / "work" / "学生成绩表.xls"));
}

TEST_F(WindowModelTest, FilesThatCouldNotBeWrittenAreToldAndAnsweringDoesNotStart) {
    fs::create_directories(examPath / "index.htm");
    chooseExercise(5);
    model.mainCommand1Click();
    EXPECT_EQ(model.answerState(), AnswerState::Ready);
    EXPECT_TRUE(model.main.Command1Enabled);
    EXPECT_FALSE(model.yaoqiu.visible);
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_NE(prompter.boxes[0].find((examPath / "index.htm").string()), std::string::npos) << prompter.boxes[0];
    // Once the obstacle is gone, starting again works.
    fs::remove(examPath / "index.htm");
    model.mainCommand1Click();
    EXPECT_EQ(model.answerState(), AnswerState::Answering);
}

TEST_F(WindowModelTest, DoubleClickingAListLineShowsWhatTheItemReadAndWanted) {
    startWorking(3);
    model.mainCommand2Click();
    prompter.boxes.clear();
    const MainState before = model.main;
    model.mainListDoubleClick(true, 3);  // "3、字体设置不正确"
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0], "3、字体设置不正确\r\n读到：宋体；应为：隶书");
    model.mainListDoubleClick(true, 0);
    EXPECT_EQ(prompter.boxes[1], "1、单元格合并不正确\r\n读到：$A$1；应为：$A$1:$H$1");
    model.mainListDoubleClick(true, 99);   // below the last line: nothing
    model.mainListDoubleClick(false, 0);   // the correct list is empty
    EXPECT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(model.main, before);  // the lists keep their texts

    // A workbook that cannot be read: its reason is a line of the wrong list but no item.
    test::writeBytes(examPath / "学生成绩表.xls", "not a workbook");
    model.mainCommand2Click();
    prompter.boxes.clear();
    model.mainListDoubleClick(true, 0);
    model.mainListDoubleClick(true, 1);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_NE(prompter.boxes[0].find("这一行没有更多的说明。"), std::string::npos) << prompter.boxes[0];
    EXPECT_TRUE(prompter.boxes[1].starts_with("1、单元格合并不正确\r\n读到：")) << prompter.boxes[1];
}

TEST_F(WindowModelTest, AnEarlyEndOfTheRunShowsItsMessageOnly) {
    startWorking(3);
    const MainState before = model.main;
    model.showMarkingOutcome({marking::RunEnd::Unreadable, "网页文件无法读取。", "", "", ""});
    model.showMarkingOutcome({marking::RunEnd::NoExercise, "", "", "", ""});
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"网页文件无法读取。"});
    EXPECT_EQ(model.main, before);
}

}  // namespace
}  // namespace tarnwick::shell
