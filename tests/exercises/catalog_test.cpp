#include <gtest/gtest.h>

#include <string>

#include "exercises/catalog.h"
#include "exercises/shitichuli.h"

namespace tarnwick::exercises {
namespace {

const platform::ExamFolder kWin = platform::windowsSpelling("c:\\MyExam");

CatalogTexts textsOf(int n, const platform::ExamFolder& folder = kWin) {
    CatalogTexts t;
    proc1(static_cast<QuestionNumberType>(n), t, folder);
    return t;
}

int crlfLines(const std::string& s) {
    int n = 0;
    for (std::size_t i = 0; (i = s.find("\r\n", i)) != std::string::npos; i += 2) ++n;
    return n;
}

std::string firstLine(const std::string& s) { return s.substr(0, s.find("\r\n")); }

TEST(Catalog, EightExercisesInNumberOrderWithTheirDocuments) {
    ASSERT_EQ(catalog().size(), 8u);
    EXPECT_EQ(findExercise(1)->document, "中国航天事业.doc");
    EXPECT_EQ(findExercise(7)->caption, "Word第三套试题");
    EXPECT_EQ(findExercise(8)->kind, ExerciseKind::Spreadsheet);
    EXPECT_EQ(findExercise(5)->document, findExercise(6)->document);
    EXPECT_EQ(findExercise(0), nullptr);
    EXPECT_EQ(findExercise(9), nullptr);
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(findExercise(n)->number, n);
}

TEST(Catalog, LineCountsOfBothTextsForEveryExercise) {
    const int requirementLines[] = {9, 8, 8, 11, 11, 11, 8, 8};
    const int hintLines[] = {8, 7, 7, 10, 10, 10, 7, 7};
    for (int n = 1; n <= 8; ++n) {
        const CatalogTexts t = textsOf(n);
        EXPECT_EQ(crlfLines(t.RequirementText), requirementLines[n - 1]) << n;
        EXPECT_EQ(crlfLines(t.HintText), hintLines[n - 1]) << n;
        EXPECT_EQ(crlfLines(t.RequirementText), findExercise(n)->items + 1) << n;
        // Every line ends in CR LF, the last included; no lone CR or LF.
        EXPECT_TRUE(t.RequirementText.ends_with("\r\n"));
        EXPECT_TRUE(t.HintText.ends_with("\r\n"));
        EXPECT_EQ(std::count(t.RequirementText.begin(), t.RequirementText.end(), '\n'), requirementLines[n - 1]);
    }
}

TEST(Catalog, HeadersInTheWindowsSpelling) {
    EXPECT_EQ(firstLine(textsOf(1).RequirementText), "启动word,打开文件c:\\MyExam\\中国航天事业.doc,完成下列操作后保存并退出。");
    EXPECT_EQ(firstLine(textsOf(2).RequirementText), "启动word,打开文件c:\\MyExam\\九寨童话世界.doc,完成下列操作后保存并退出?");
    EXPECT_EQ(firstLine(textsOf(3).RequirementText), "启动excel,打开文件c:\\MyExam\\学生成绩表.xls,完成下列操作后保存并退出。");
    EXPECT_EQ(firstLine(textsOf(4).RequirementText), "启动excel,打开文件c:\\MyExam\\工资表.xls,完成下列操作后保存并退出?");
    EXPECT_EQ(firstLine(textsOf(7).RequirementText), "启动word,打开文件c:\\MyExam\\Tenbury二中赋.doc,完成下列操作后保存并退出?");
    EXPECT_EQ(firstLine(textsOf(8).RequirementText), "启动excel,打开文件c:\\MyExam\\企业生产数据.xls,完成下列操作后保存并退出。");
    EXPECT_EQ(firstLine(textsOf(5).RequirementText), "用frontpage2003打开c:\\myexam下的网页文件index.htm");
    EXPECT_EQ(firstLine(textsOf(6).RequirementText), "用frontpage2003打开c:\\myexam下的网页文件index.htm");
}

TEST(Catalog, WholeTextsOfOneExerciseByteForByte) {
    const CatalogTexts t = textsOf(3);
    EXPECT_EQ(t.RequirementText,
              "启动excel,打开文件c:\\MyExam\\学生成绩表.xls,完成下列操作后保存并退出。\r\n"
              "1、将标题所在单元格区域“A1：H1”合并居中，垂直对齐设为“靠下”\r\n"
              "2、将标题行高设置为20\r\n"
              "3、将标题文字字体设置为隶书、字号15磅、加粗\r\n"
              "4、使用函数计算每个同学的总分\r\n"
              "5、按总分由高到低进行排序。\r\n"
              "6、使用函数在单科成绩后面计算出各科平均分\r\n"
              "7、对求出的平均分保留2位小数\r\n");
    EXPECT_EQ(t.HintText,
              "1、格式->单元格->对齐\r\n2、格式->行->行高\r\n3、格式->单元格->字体\r\n4、插入->函数->sum函数\r\n"
              "5、数据->排序\r\n6、插入->函数->average函数\r\n7、格式->单元格->数字\r\n");
}

TEST(Catalog, HintsKeepTheirThreeBlankRunsAndEllipses) {
    const CatalogTexts t = textsOf(5);
    EXPECT_NE(t.HintText.find("4、插入->水平线   对水平线点右键->水平线属性……\r\n"), std::string::npos);
    EXPECT_NE(t.HintText.find("1、右键->网页属性……->常规\r\n"), std::string::npos);
    EXPECT_NE(textsOf(2).HintText.find("2、格式->字体   格式->段落\r\n"), std::string::npos);
}

TEST(Catalog, ContactTaskNamesTheKitAddress) {
    const CatalogTexts t = textsOf(5);
    const std::string expected = std::string("10、把文字“联系管理员”链接到“") + std::string(kContactEmail) + "”\r\n";
    EXPECT_TRUE(t.RequirementText.ends_with(expected));
}

TEST(Catalog, TaskTextsNamingFilesFollowTheFolderSpelling) {
    EXPECT_NE(textsOf(1).RequirementText.find("7、在文章末尾插入图片“c:\\MyExam\\earth.jpg”，设置环绕方式为紧密型\r\n"),
              std::string::npos);
    const auto posix = platform::posixSpelling("/home/stu/MyExam");
    const CatalogTexts t = textsOf(7, posix);
    EXPECT_EQ(firstLine(t.RequirementText), "启动word,打开文件/home/stu/MyExam/Tenbury二中赋.doc,完成下列操作后保存并退出?");
    EXPECT_NE(t.RequirementText.find("“/home/stu/MyExam/qvor.jpg”"), std::string::npos);
    EXPECT_EQ(t.RequirementText.find("c:\\"), std::string::npos);
    EXPECT_EQ(firstLine(textsOf(6, posix).RequirementText), "用frontpage2003打开/home/stu/MyExam下的网页文件index.htm");
}

TEST(Catalog, Proc1IgnoresNumbersOutsideTheCatalog) {
    CatalogTexts t;
    proc1(0, t, kWin);
    proc1(9, t, kWin);
    EXPECT_TRUE(t.RequirementText.empty());
    EXPECT_TRUE(t.HintText.empty());
    proc1(4, t, kWin);
    const CatalogTexts before = t;
    proc1(-1, t, kWin);
    proc1(9, t, kWin);
    EXPECT_EQ(t.RequirementText, before.RequirementText);
    EXPECT_EQ(t.HintText, before.HintText);
}

}  // namespace
}  // namespace tarnwick::exercises
