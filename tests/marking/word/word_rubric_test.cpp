// The word-processing rubrics through the marking run: the untouched exercise documents, the
// groups and guards of each set, the empty-paragraph pass, and documents that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "marking/run.h"
#include "marking/word/word_document.h"
#include "marking/word/word_rubrics.h"
#include "support/exercise_documents.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::marking::word_rubrics {
namespace {

std::vector<std::string> lines(const std::string& list) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find("\r\n", at);
        if (end == std::string::npos) break;
        out.push_back(list.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

class WordRun : public ::testing::Test {
protected:
    test::TempDir tmp;
    platform::ExamFolder folder = platform::posixSpelling(tmp.path());
    MarkingState state;

    fs::path documentOf(int exercise) const {
        const auto& name = exercises::findExercise(exercise)->document;
        return tmp.path() / test::u8path(name);
    }
    // Marks `exercise` with `file` (a test file) standing in for the student's document.
    RunOutcome markWith(int exercise, const fs::path& file) {
        test::writeExerciseFiles(exercise, tmp.path());
        fs::copy_file(file, documentOf(exercise), fs::copy_options::overwrite_existing);
        return runMarking(static_cast<exercises::QuestionNumberType>(exercise), folder, nullptr, state);
    }
    std::vector<std::string> correct() const { return lines(state.CorrectList); }
    std::vector<std::string> wrong() const { return lines(state.WrongList); }
};

TEST_F(WordRun, UntouchedDocumentsScoreZeroWithEveryItemWrongInOrder) {
    const std::vector<std::string> set1 = {
        "1、字体设置不正确", "1、字号设置不正确", "2、颜色设置不正确", "2、字形加粗设置不正确", "3、段落对齐设置不正确",
        "3、间距设置不正确", "4、首行缩进设置不正确", "4、行距设置不正确", "5、左缩进设置不正确", "5、替换操作设置不正确",
        "6、纸张设置不正确", "6、纸张方向设置不正确", "6、左右边距设置不正确", "7、图片设置不正确", "8、艺术字设置不正确"};
    const std::vector<std::string> set2 = {
        "1、纸张设置不正确", "1、上下边距设置不正确", "2、字体设置不正确", "2、字号设置不正确", "2、颜色设置不正确",
        "2、字形加粗设置不正确", "2、段落对齐设置不正确", "3、首行缩进设置不正确", "3、行距设置不正确", "3、间距设置不正确",
        "3、段落对齐设置不正确", "4、下划线设置不正确", "4、倾斜设置不正确", "5、图片环绕方式设置不正确",
        "5、图片右对齐方式设置不正确", "6、艺术字样式设置不正确", "6、艺术字文字环绕设置不正确", "7、页眉设置不正确"};
    const std::vector<std::string> set3 = {
        "1、纸张设置不正确", "1、左右边距设置不正确", "2、字体设置不正确", "2、字号21磅设置不正确", "2、橙色设置不正确",
        "2、字形倾斜设置不正确", "2、居中设置不正确", "3、隶书字体设置不正确", "3、四号字设置不正确", "3、颜色设置不正确",
        "4、首行缩进2字符设置不正确", "4、行距1.5倍设置不正确", "4、左对齐设置不正确", "5、图片插入不正确",
        "5、图片环绕方式设置不正确", "5、图片居中设置不正确", "6、艺术字样式设置不正确", "6、艺术字文字环绕设置不正确",
        "7、插入页码设置不正确"};
    for (const auto& [exercise, expected] : {std::pair{1, set1}, std::pair{2, set2}, std::pair{7, set3}}) {
        ASSERT_EQ(test::writeExerciseFiles(exercise, tmp.path()), exercise == 2 ? 1 : 2);
        const std::string before = test::readBytes(documentOf(exercise));
        const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(exercise), folder, nullptr, state);
        EXPECT_EQ(r.end, RunEnd::Ended) << exercise;
        EXPECT_TRUE(r.unreadable.empty()) << r.unreadable;
        EXPECT_EQ(r.Label5, "0") << exercise;
        EXPECT_EQ(wrong(), expected) << exercise;
        EXPECT_TRUE(state.CorrectList.empty()) << state.CorrectList;
        EXPECT_EQ(test::readBytes(documentOf(exercise)), before) << "marking never writes the document";
    }
}

TEST_F(WordRun, SetOneCountsTheRightShapesAndThePaperAndMargins) {
    markWith(1, test::dataPath("doc/wordart-square.doc"));
    EXPECT_TRUE(contains(correct(), "8、艺术字设置正确"));  // 中国航天事业雄起, wrapped square
    markWith(1, test::dataPath("doc/wordart-tight.doc"));
    EXPECT_TRUE(contains(wrong(), "8、艺术字设置不正确"));
    markWith(1, test::dataPath("doc/picture-tight-centre.doc"));
    EXPECT_TRUE(contains(correct(), "7、图片设置正确"));
    markWith(1, test::dataPath("doc/picture-square-right.doc"));
    EXPECT_TRUE(contains(wrong(), "7、图片设置不正确"));
    markWith(1, test::dataPath("doc/page-16k-landscape.doc"));
    for (const char* item : {"6、纸张设置正确", "6、纸张方向设置正确", "6、左右边距设置正确"})
        EXPECT_TRUE(contains(correct(), item)) << item;
    EXPECT_EQ(state.Score, 15);
}

TEST_F(WordRun, SetTwoLeavesOutTheBodyItemsForAOneParagraphDocument) {
    markWith(2, test::dataPath("doc/margins-2cm.doc"));  // one paragraph
    const auto w = wrong(), c = correct();
    EXPECT_EQ(w.size() + c.size(), 12u);  // 18 items less orders 8 to 13
    for (const auto& list : {w, c})
        for (const std::string& line : list) EXPECT_FALSE(line.starts_with("3、") || line.starts_with("4、")) << line;
    EXPECT_TRUE(contains(c, "1、上下边距设置正确"));
    markWith(2, test::dataPath("doc/header.doc"));
    EXPECT_TRUE(contains(correct(), "7、页眉设置正确"));
    markWith(2, test::dataPath("doc/page-a4-word.doc"));
    EXPECT_TRUE(contains(correct(), "1、纸张设置正确"));
    markWith(2, test::dataPath("doc/picture-square-right.doc"));
    EXPECT_TRUE(contains(correct(), "5、图片环绕方式设置正确"));
    EXPECT_TRUE(contains(correct(), "5、图片右对齐方式设置正确"));
}

TEST_F(WordRun, SetThreeRecordsThePictureItemInNeitherListForTwoPictures) {
    markWith(7, test::dataPath("doc/two-pictures.doc"));
    for (const auto& list : {wrong(), correct()})
        for (const std::string& line : list) EXPECT_FALSE(line.starts_with("5、图片插入")) << line;
    EXPECT_TRUE(contains(wrong(), "5、图片环绕方式设置不正确"));  // two square pictures still fail
    markWith(7, test::dataPath("doc/picture-inline.doc"));
    EXPECT_TRUE(contains(wrong(), "5、图片插入不正确"));  // in line with the text: not a shape
    markWith(7, test::dataPath("doc/picture-tight-centre.doc"));
    EXPECT_TRUE(contains(correct(), "5、图片插入正确"));
    EXPECT_TRUE(contains(correct(), "5、图片居中设置正确"));
    EXPECT_TRUE(contains(wrong(), "5、图片环绕方式设置不正确"));
}

TEST_F(WordRun, SetThreePageNumberAndPaper) {
    markWith(7, test::dataPath("doc/page-number-right.doc"));
    EXPECT_TRUE(contains(correct(), "7、插入页码设置正确"));
    markWith(7, test::dataPath("doc/page-number-centre.doc"));
    EXPECT_TRUE(contains(wrong(), "7、插入页码设置不正确"));
    markWith(7, test::dataPath("doc/header.doc"));  // no footer at all: a read that fails is wrong
    EXPECT_TRUE(contains(wrong(), "7、插入页码设置不正确"));
    markWith(7, test::dataPath("doc/page-b4.doc"));
    EXPECT_TRUE(contains(correct(), "1、纸张设置正确"));
    EXPECT_TRUE(contains(correct(), "1、左右边距设置正确"));
}

TEST_F(WordRun, ADocumentThatCannotBeReadGivesItsReasonFirstAndEveryItemWrong) {
    const std::pair<int, std::size_t> sets[] = {{1, 15}, {2, 18}, {7, 19}};
    for (const auto& [exercise, items] : sets) {
        test::writeExerciseFiles(exercise, tmp.path());
        test::writeBytes(documentOf(exercise), "PK\x03\x04 a renamed docx");
        const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(exercise), folder, nullptr, state);
        EXPECT_EQ(r.end, RunEnd::Ended);
        EXPECT_FALSE(r.unreadable.empty());
        EXPECT_EQ(r.Label5, "0");
        const auto w = wrong();
        ASSERT_EQ(w.size(), items + 1) << exercise;
        EXPECT_EQ(w.front(), r.unreadable);
        EXPECT_TRUE(state.CorrectList.empty());
    }
}

TEST(WordDocumentPass, OfTwoAdjacentEmptyParagraphsOnlyTheFirstGoes) {
    auto d = word::Document::open(test::corpusPath("doc/test2.doc"));
    ASSERT_TRUE(d.ok());
    ASSERT_EQ(d->Paragraphs().Count(), 14);
    removeEmptyParagraphs(*d);
    std::vector<std::string> texts;
    for (std::int32_t i = 1; i <= d->Paragraphs().Count(); ++i) texts.push_back(d->Paragraphs()(i).Range().Text().asText());
    EXPECT_EQ(texts, (std::vector<std::string>{"This is a simple word document\r", "It has a number of paragraphs in it\r",
                                               "Some of them even feature bold, italic and underlined text\r", "\r",
                                               "This bit is in a different font and size\r", "\r",
                                               "This bit features some red text.\r", "\r",
                                               "It is otherwise very very boring.\r"}));
}

TEST(MarkingStateTest, ContentLostAddsItsLineAndMakesTheExerciseRestartable) {
    MarkingState s;
    s.Score = 10;
    s.ContentLost();
    EXPECT_EQ(s.WrongList, "文章内容丢失，请重新做题\r\n");
    EXPECT_TRUE(s.contentLost);
    EXPECT_EQ(s.Score, 10);  // what earlier items earned stays
}

}  // namespace
}  // namespace tarnwick::marking::word_rubrics
