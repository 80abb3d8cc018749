#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "marking/rubric_table.h"
#include "marking/run.h"
#include "support/exercise_documents.h"
#include "support/fake_probe.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::marking {
namespace {

using test::FakeProbe;

TEST(RecordItem, AddsPointsOnlyForPassedItemsAndOneLineToOneList) {
    MarkingState s;
    s.RecordItem(10, true, "1、标题设置正确", "1、标题设置不正确");
    s.RecordItem(3, false, "3、字体设置正确", "3、字体设置不正确");
    s.RecordItem(4, true, "3、颜色设置正确", "3、颜色设置不正确");
    EXPECT_EQ(s.Score, 14);
    EXPECT_EQ(s.CorrectList, "1、标题设置正确\r\n3、颜色设置正确\r\n");
    EXPECT_EQ(s.WrongList, "3、字体设置不正确\r\n");
}

TEST(RubricTable, TriedInTheOrderOfTheTableAndWebRubricsPresent) {
    std::vector<int> order;
    for (const auto& e : rubricTable()) order.push_back(e.number);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 7, 3, 8, 4, 5, 6}));
    EXPECT_NE(rubricTable()[6].rubric, nullptr);
    EXPECT_NE(rubricTable()[7].rubric, nullptr);
}

class MarkingRunTest : public ::testing::Test {
protected:
    test::TempDir tmp;
    platform::ExamFolder folder = platform::posixSpelling(tmp.path());
    MarkingState state;
};

TEST_F(MarkingRunTest, UntouchedPageScoresZeroWithTenWrongLinesInOrder) {
    test::writeExerciseFiles(5, folder.path);
    const RunOutcome r = runMarking(5, folder, nullptr, state);
    ASSERT_EQ(r.end, RunEnd::Ended);
    EXPECT_EQ(r.Label5, "0");
    EXPECT_EQ(r.verdict, "还没有全正确，继续努力哦！");
    EXPECT_TRUE(state.CorrectList.empty());
    EXPECT_TRUE(state.WrongList.starts_with("1、标题设置不正确\r\n2、背景音乐设置不正确\r\n3、左边距设置不正确\r\n"));
    EXPECT_EQ(std::count(state.WrongList.begin(), state.WrongList.end(), '\n'), 10);
}

TEST_F(MarkingRunTest, SolutionScoresHundredAndRepeatedRunsGiveTheSameResult) {
    test::writeExerciseFiles(6, folder.path);
    fs::copy_file(test::dataPath("web/ex6-solution.htm"), folder.path / "index.htm", fs::copy_options::overwrite_existing);
    const std::string before = test::readBytes(folder.path / "index.htm");
    for (int run = 0; run < 2; ++run) {
        const RunOutcome r = runMarking(6, folder, nullptr, state);
        ASSERT_EQ(r.end, RunEnd::Ended);
        EXPECT_EQ(r.Label5, "100");
        EXPECT_EQ(r.verdict, "恭喜你全部正确！");
        EXPECT_TRUE(state.WrongList.empty());
        EXPECT_EQ(std::count(state.CorrectList.begin(), state.CorrectList.end(), '\n'), 10);
    }
    EXPECT_EQ(test::readBytes(folder.path / "index.htm"), before);  // marking never writes the page
}

TEST_F(MarkingRunTest, MissingPageGivesTheRestoreMessageAndKeepsThePreviousLists) {
    test::writeExerciseFiles(5, folder.path);
    runMarking(5, folder, nullptr, state);
    const std::string previous = state.WrongList;
    fs::remove(folder.path / "index.htm");
    const RunOutcome r = runMarking(5, folder, nullptr, state);
    EXPECT_EQ(r.end, RunEnd::FileMissing);
    EXPECT_EQ(r.message, folder.path.string() + "/index.htm不存在！请恢复试题后再做！");
    EXPECT_EQ(state.WrongList, previous);
    // The Windows spelling of the same message.
    const RunOutcome w = runMarking(5, platform::windowsSpelling(folder.path), nullptr, state);
    EXPECT_EQ(w.message, "c:\\MyExam\\index.htm不存在！请恢复试题后再做！");
}

TEST_F(MarkingRunTest, AFolderOrPipeNamedLikeTheDocumentIsToldAsSuchNotAsMissing) {
    fs::create_directory(folder.path / "index.htm");
    const RunOutcome dir = runMarking(6, folder, nullptr, state);
    EXPECT_EQ(dir.end, RunEnd::Unreadable);
    EXPECT_EQ(dir.message, folder.path.string() + "/index.htm是一个文件夹，不是试题文件，无法评分。");
    fs::remove(folder.path / "index.htm");
    ASSERT_EQ(::mkfifo((folder.path / "index.htm").c_str(), 0600), 0);
    const RunOutcome pipe = runMarking(6, folder, nullptr, state);  // never opened: it would block
    EXPECT_EQ(pipe.end, RunEnd::Unreadable);
    EXPECT_NE(pipe.message.find("不是普通文件"), std::string::npos) << pipe.message;
    EXPECT_EQ(pipe.unreadable, pipe.message);
}

TEST_F(MarkingRunTest, TheDocumentIsFoundWhateverTheCaseOfItsName) {
    test::writeExerciseFiles(5, folder.path);
    fs::rename(folder.path / "index.htm", folder.path / "INDEX.HTM");
    const RunOutcome page = runMarking(5, folder, nullptr, state);
    EXPECT_EQ(page.end, RunEnd::Ended);
    EXPECT_EQ(page.Label5, "0");
    test::writeExerciseFiles(3, folder.path);
    fs::rename(folder.path / "学生成绩表.xls", folder.path / "学生成绩表.XLS");
    const RunOutcome book = runMarking(3, folder, nullptr, state);
    EXPECT_EQ(book.end, RunEnd::Ended);
    EXPECT_TRUE(book.unreadable.empty()) << book.unreadable;
}

TEST_F(MarkingRunTest, PageThatCannotBeReadEndsWithAMessageAndRecordsNothing) {
    test::writeExerciseFiles(5, folder.path);
    runMarking(5, folder, nullptr, state);
    const MarkingState before = state;
    fs::resize_file(folder.path / "index.htm", 16u * 1024u * 1024u + 1u);  // over the cap
    const RunOutcome r = runMarking(5, folder, nullptr, state);
    EXPECT_EQ(r.end, RunEnd::Unreadable);
    EXPECT_NE(r.message.find("16MB"), std::string::npos);
    EXPECT_EQ(state.WrongList, before.WrongList);
    EXPECT_EQ(state.CorrectList, before.CorrectList);
}

TEST_F(MarkingRunTest, RunningEditorRefusesBeforeAnythingElse) {
    FakeProbe probe;
    probe.running = {platform::OfficeApp::FrontPage};
    state.Score = 70;
    const RunOutcome r = runMarking(5, folder, &probe, state);
    EXPECT_EQ(r.end, RunEnd::ProbeRefused);
    EXPECT_EQ(r.message, "你没有关闭frontpage不能评分哦！请先关闭再点评分按钮！");
    EXPECT_EQ(state.Score, 70);
    probe.running = {platform::OfficeApp::Excel};
    EXPECT_EQ(runMarking(3, folder, &probe, state).message, "你没有关闭Excel现在评分哦！请先关闭再点评分按钮！");
    probe.running = {platform::OfficeApp::Word};
    EXPECT_EQ(runMarking(7, folder, &probe, state).message, "你没有关闭Word现在评分哦！请先关闭再点评分按钮！");
}

TEST_F(MarkingRunTest, NumberOutsideTheCatalogDoesNothing) {
    state.WrongList = "x\r\n";
    EXPECT_EQ(runMarking(0, folder, nullptr, state).end, RunEnd::NoExercise);
    EXPECT_EQ(runMarking(9, folder, nullptr, state).end, RunEnd::NoExercise);
    EXPECT_EQ(state.WrongList, "x\r\n");
}

}  // namespace
}  // namespace tarnwick::marking
