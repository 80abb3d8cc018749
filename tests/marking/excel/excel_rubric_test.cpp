#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "marking/excel/excel_rubric.h"
#include "marking/run.h"
#include "resources/embedded.h"
#include "support/exercise_documents.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::marking::excel_rubrics {
namespace {

const std::vector<ExcelItem>& itemsOf(int exercise) {
    return exercise == 3 ? excelSet1Items() : exercise == 4 ? excelSet2Items() : excelSet3Items();
}

// Which items (1-based) pass on a workbook.
std::set<int> passing(int exercise, const fs::path& file) {
    std::set<int> out;
    const auto book = excel::Workbook::open(file);
    EXPECT_TRUE(book.ok()) << file;
    if (!book) return out;
    const auto sheet = book->Sheets(1);
    int i = 1;
    for (const ExcelItem& item : itemsOf(exercise)) {
        if (item.passes(*sheet)) out.insert(i);
        ++i;
    }
    return out;
}

std::set<int> allBut(int exercise, std::set<int> failing) {
    std::set<int> out;
    for (int i = 1; i <= static_cast<int>(itemsOf(exercise).size()); ++i)
        if (!failing.count(i)) out.insert(i);
    return out;
}

TEST(ExcelRubrics, PointsAddUpToHundred) {
    for (int n : {3, 4, 8}) {
        int sum = 0;
        for (const auto& item : itemsOf(n)) sum += item.points;
        EXPECT_EQ(sum, 100) << n;
    }
    EXPECT_EQ(excelSet1Items().size(), 10u);
    EXPECT_EQ(excelSet2Items().size(), 12u);
    EXPECT_EQ(excelSet3Items().size(), 11u);
}

class ExerciseRun : public ::testing::TestWithParam<int> {
protected:
    test::TempDir tmp;
    platform::ExamFolder folder = platform::posixSpelling(tmp.path());
    MarkingState state;
};

TEST_P(ExerciseRun, UntouchedWorkbookScoresZeroWithEveryWrongMessageInOrder) {
    const int n = GetParam();
    ASSERT_EQ(test::writeExerciseFiles(n, folder.path), 1);
    const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(n), folder, nullptr, state);
    ASSERT_EQ(r.end, RunEnd::Ended);
    EXPECT_EQ(r.Label5, "0");
    EXPECT_EQ(r.verdict, kNotYet);
    EXPECT_TRUE(state.CorrectList.empty());
    std::string expected;
    for (const auto& item : itemsOf(n)) expected += std::string(item.wrong) + "\r\n";
    EXPECT_EQ(state.WrongList, expected);
}

TEST_P(ExerciseRun, SolutionMadeInLibreOfficeScoresHundredAndIsNotWritten) {
    const int n = GetParam();
    test::writeExerciseFiles(n, folder.path);
    const fs::path doc = folder.file(exercises::findExercise(n)->document);
    fs::copy_file(test::dataPath("solutions/ex" + std::to_string(n) + "-solution.xls"), doc,
                  fs::copy_options::overwrite_existing);
    const std::string before = test::readBytes(doc);
    const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(n), folder, nullptr, state);
    ASSERT_EQ(r.end, RunEnd::Ended);
    EXPECT_EQ(r.Label5, "100") << state.WrongList;
    EXPECT_EQ(r.verdict, kAllCorrect);
    EXPECT_TRUE(state.WrongList.empty());
    EXPECT_EQ(test::readBytes(doc), before);
}

TEST_P(ExerciseRun, UnreadableWorkbookGivesTheReasonFirstAndEveryItemWrong) {
    const int n = GetParam();
    const fs::path doc = folder.file(exercises::findExercise(n)->document);
    for (const std::string& bytes : {std::string(), std::string("PK\x03\x04 renamed xlsx", 18), std::string(4096, '\x5a')}) {
        test::writeBytes(doc, bytes);
        state.CorrectList = "stale\r\n";
        const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(n), folder, nullptr, state);
        ASSERT_EQ(r.end, RunEnd::Ended);
        EXPECT_EQ(r.Label5, "0");
        EXPECT_TRUE(state.CorrectList.empty());
        const auto lines = std::count(state.WrongList.begin(), state.WrongList.end(), '\n');
        EXPECT_EQ(lines, static_cast<long>(itemsOf(n).size()) + 1);
        const std::string first = state.WrongList.substr(0, state.WrongList.find("\r\n"));
        EXPECT_FALSE(first.empty());
        EXPECT_NE(first, std::string(itemsOf(n)[0].wrong));
    }
}

INSTANTIATE_TEST_SUITE_P(Exercises, ExerciseRun, ::testing::Values(3, 4, 8));

struct Variant {
    int exercise;
    const char* file;
    std::set<int> failing;
};

TEST(ExcelRubrics, EachSingleFaultVariantFailsExactlyItsItems) {
    const Variant variants[] = {
        {3, "ex3-merge-A1-I1.xls", {1}},
        {3, "ex3-centre-A1-only.xls", {2}},
        {3, "ex3-totals-typed.xls", {7}},
        {3, "ex3-sorted-ascending.xls", {8}},
        {3, "ex3-average-3-decimals.xls", {10}},
        {3, "ex3-average-plain-0.00.xls", {10}},
        {4, "ex4-sorted-descending.xls", {7, 8}},
        {4, "ex4-sort-C-H-only.xls", {7}},
        {4, "ex4-tax-typed.xls", {8}},
        {4, "ex4-tax-2-decimals.xls", {9}},
        {4, "ex4-average-general.xls", {11}},
        {8, "ex8-merge-A1-H1.xls", {1}},
        {8, "ex8-sorted-ascending.xls", {8}},
        {8, "ex8-sort-without-A.xls", {8}},
        {8, "ex8-max-rows-2-21.xls", {9}},
        {8, "ex8-average-2-decimals.xls", {11}},
    };
    for (const Variant& v : variants)
        EXPECT_EQ(passing(v.exercise, test::dataPath(std::string("solutions/variants/") + v.file)),
                  allBut(v.exercise, v.failing))
            << v.file;
}

TEST(ExcelRubrics, AverageWithTwoDecimalsOnExerciseEightScoresNinetyFive) {
    MarkingState state;
    markWorkbook(test::dataPath("solutions/variants/ex8-average-2-decimals.xls"), excelSet3Items(), state);
    EXPECT_EQ(state.Score, 95);
    EXPECT_EQ(state.WrongList, "7、1位小数设置不正确\r\n");
}

}  // namespace
}  // namespace tarnwick::marking::excel_rubrics
