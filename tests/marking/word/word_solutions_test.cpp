// The solutions and one-change variants of tests/data/word-solutions (made in LibreOffice, and
// patched into what Word stores for the full solutions): each marks as its README says — the
// score, the wrong list in rubric order, and how many items were recorded at all (set 2 leaves
// out six items for a document of one paragraph, set 3 its picture item for two pictures).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "marking/run.h"
#include "support/exercise_documents.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::marking {
namespace {

struct Case {
    int exercise;
    const char* file;
    int score;
    std::size_t recorded;  // items in either list
    std::vector<std::string> wrong;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> c = {
        // LibreOffice alone: the marks' formatting, character and line units, paper sizes, the top
        // margin beside a header cannot be stored as Word stores them.
        {1, "word-solutions/ex1-lo.doc", 60, 15, {"1、字体设置不正确", "1、字号设置不正确", "2、颜色设置不正确", "2、字形加粗设置不正确", "3、间距设置不正确", "4、首行缩进设置不正确", "5、左缩进设置不正确", "6、纸张设置不正确"}},
        {1, "word-solutions/ex1-solution.doc", 100, 15, {}},
        {1, "word-solutions/variants/ex1-state-capitalised.doc", 95, 15, {"5、替换操作设置不正确"}},
        {1, "word-solutions/variants/ex1-title-16.5.doc", 95, 15, {"1、字号设置不正确"}},
        {1, "word-solutions/variants/ex1-two-wordarts.doc", 80, 15, {"8、艺术字设置不正确"}},
        {1, "word-solutions/variants/ex1-wordart-tight.doc", 80, 15, {"8、艺术字设置不正确"}},
        {2, "word-solutions/ex2-lo.doc", 50, 18, {"1、纸张设置不正确", "1、上下边距设置不正确", "2、字体设置不正确", "2、字号设置不正确", "2、颜色设置不正确", "2、字形加粗设置不正确", "3、首行缩进设置不正确", "3、间距设置不正确", "4、下划线设置不正确", "4、倾斜设置不正确"}},
        {2, "word-solutions/ex2-solution.doc", 100, 18, {}},
        {2, "word-solutions/variants/ex2-header-jiu.doc", 93, 18, {"7、页眉设置不正确"}},
        {2, "word-solutions/variants/ex2-header-jiuzhaigou.doc", 100, 18, {}},
        {2, "word-solutions/variants/ex2-one-paragraph.doc", 70, 12, {}},
        {2, "word-solutions/variants/ex2-picture-inline.doc", 86, 18, {"5、图片环绕方式设置不正确", "5、图片右对齐方式设置不正确"}},
        {2, "word-solutions/variants/ex2-title-kaiti.doc", 95, 18, {"2、字体设置不正确"}},
        {2, "word-solutions/variants/ex2-two-pictures.doc", 86, 18, {"5、图片环绕方式设置不正确", "5、图片右对齐方式设置不正确"}},
        {2, "word-solutions/variants/ex2-wordart-square.doc", 93, 18, {"6、艺术字文字环绕设置不正确"}},
        {7, "word-solutions/ex7-lo.doc", 55, 19, {"1、纸张设置不正确", "2、字体设置不正确", "2、字号21磅设置不正确", "2、橙色设置不正确", "2、字形倾斜设置不正确", "3、隶书字体设置不正确", "3、四号字设置不正确", "3、颜色设置不正确", "4、首行缩进2字符设置不正确"}},
        {7, "word-solutions/ex7-solution.doc", 100, 19, {}},
        {7, "word-solutions/variants/ex7-body-unformatted.doc", 70, 19, {"3、隶书字体设置不正确", "3、四号字设置不正确", "3、颜色设置不正确", "4、首行缩进2字符设置不正确", "4、行距1.5倍设置不正确", "4、左对齐设置不正确"}},
        {7, "word-solutions/variants/ex7-extra-paragraph.doc", 70, 19, {"3、隶书字体设置不正确", "3、四号字设置不正确", "3、颜色设置不正确", "4、首行缩进2字符设置不正确", "4、行距1.5倍设置不正确", "4、左对齐设置不正确"}},
        {7, "word-solutions/variants/ex7-page-number-centre.doc", 95, 19, {"7、插入页码设置不正确"}},
        {7, "word-solutions/variants/ex7-picture-inline.doc", 85, 19, {"5、图片插入不正确", "5、图片环绕方式设置不正确", "5、图片居中设置不正确"}},
        {7, "word-solutions/variants/ex7-title-face.doc", 95, 19, {"2、字体设置不正确"}},
        {7, "word-solutions/variants/ex7-two-empty-paragraphs.doc", 70, 19, {"3、隶书字体设置不正确", "3、四号字设置不正确", "3、颜色设置不正确", "4、首行缩进2字符设置不正确", "4、行距1.5倍设置不正确", "4、左对齐设置不正确"}},
        {7, "word-solutions/variants/ex7-two-pictures.doc", 85, 18, {"5、图片环绕方式设置不正确", "5、图片居中设置不正确"}},
    };
    return c;
}

std::vector<std::string> lines(const std::string& list) {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; (end = list.find("\r\n", at)) != std::string::npos; at = end + 2)
        out.push_back(list.substr(at, end - at));
    return out;
}

TEST(WordSolutions, EachSolutionAndVariantMarksAsItsReadmeSays) {
    for (const Case& c : cases()) {
        test::TempDir tmp;
        ASSERT_GT(test::writeExerciseFiles(c.exercise, tmp.path()), 0);
        const auto& name = exercises::findExercise(c.exercise)->document;
        const fs::path doc = tmp.path() / test::u8path(name);
        fs::copy_file(test::dataPath(c.file), doc, fs::copy_options::overwrite_existing);
        MarkingState state;
        const RunOutcome r = runMarking(static_cast<exercises::QuestionNumberType>(c.exercise),
                                        platform::posixSpelling(tmp.path()), nullptr, state);
        ASSERT_EQ(r.end, RunEnd::Ended) << c.file;
        EXPECT_EQ(state.Score, c.score) << c.file;
        EXPECT_EQ(lines(state.WrongList), c.wrong) << c.file;
        EXPECT_EQ(lines(state.WrongList).size() + lines(state.CorrectList).size(), c.recorded) << c.file;
        EXPECT_EQ(r.verdict, c.score == 100 ? kAllCorrect : kNotYet) << c.file;
        EXPECT_EQ(test::readBytes(doc), test::readBytes(test::dataPath(c.file))) << "marking never writes " << c.file;
    }
}

}  // namespace
}  // namespace tarnwick::marking

namespace tarnwick::marking {
namespace {

TEST(WordSolutions, ALibreOfficeFileSaysWhichFailuresAreTheApplicationsAndNotTheSkill) {
    test::TempDir tmp;
    test::writeExerciseFiles(1, tmp.path());
    fs::copy_file(test::dataPath("word-solutions/ex1-lo.doc"), tmp.path() / test::u8path("中国航天事业.doc"),
                  fs::copy_options::overwrite_existing);
    MarkingState state;
    runMarking(1, platform::posixSpelling(tmp.path()), nullptr, state);
    auto find = [&](std::string_view message) -> const ItemResult* {
        for (const ItemResult& i : state.items)
            if (i.message == message) return &i;
        return nullptr;
    };
    const ItemResult* font = find("1、字体设置不正确");
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->read.find("各处不同"), std::string::npos) << font->read;
    EXPECT_NE(font->read.find("段落标记"), std::string::npos) << font->read;  // the marks LibreOffice leaves plain
    const ItemResult* indent = find("4、首行缩进设置不正确");
    ASSERT_NE(indent, nullptr);
    EXPECT_NE(indent->read.find("LibreOffice 不能在 .doc 中保存以字符为单位的缩进"), std::string::npos) << indent->read;
    const ItemResult* paper = find("6、纸张设置不正确");
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(paper->expected, "737.1，521.65");
    EXPECT_NE(paper->read.find("LibreOffice 保存的纸张尺寸"), std::string::npos) << paper->read;
    // Items that passed carry their reads too, and a Word-made file has no remark.
    const ItemResult* pictures = find("7、图片设置正确");
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(pictures->read, "紧密型环绕的图片：1 个");
    EXPECT_EQ(pictures->number, 7);
    EXPECT_EQ(pictures->points, 15);
}

}  // namespace
}  // namespace tarnwick::marking
