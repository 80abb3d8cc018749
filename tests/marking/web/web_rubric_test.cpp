#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marking/state.h"
#include "marking/web/page_text.h"
#include "marking/web/position_test.h"
#include "marking/web/web_rubrics.h"
#include "resources/embedded.h"
#include "exercises/catalog.h"
#include "support/test_support.h"

namespace tarnwick::marking::web_rubrics {
namespace {

std::string solutionText(int exercise) {
    const std::string bytes = test::readBytes(test::dataPath("web/ex" + std::to_string(exercise) + "-solution.htm"));
    EXPECT_FALSE(bytes.empty());
    return pageTextFromBytes(bytes).value();
}

std::string startingText(std::string_view resourceName) {
    const auto bytes = resources::find("HTM", resourceName);
    EXPECT_TRUE(bytes.has_value());
    return pageTextFromBytes(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())).value();
}

std::vector<bool> outcomes(const std::vector<PositionTest>& tests, const std::string& text) {
    std::vector<bool> out;
    for (const auto& t : tests) out.push_back(passes(t, text));
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(Shapes, StrictComparisonsAsTabled) {
    EXPECT_TRUE(shapePasses(Shape::PresentBeyond, 2, 0, 0, 1));
    EXPECT_FALSE(shapePasses(Shape::PresentBeyond, 1, 0, 0, 1));
    EXPECT_TRUE(shapePasses(Shape::Between, 5, 4, 6, 0));
    EXPECT_FALSE(shapePasses(Shape::Between, 0, 0, 6, 0));  // absent pattern
    EXPECT_FALSE(shapePasses(Shape::Between, 7, 4, 6, 0));
    EXPECT_TRUE(shapePasses(Shape::BeforeWithin, 100, 199, 0, 100));
    EXPECT_FALSE(shapePasses(Shape::BeforeWithin, 100, 200, 0, 100));  // 100 apart is not within
    // An absent pattern is never "before" its anchor, however close the anchor is to the start.
    EXPECT_FALSE(shapePasses(Shape::BeforeWithin, 0, 50, 0, 100));
    EXPECT_TRUE(shapePasses(Shape::BeforeBeyond, 16, 30, 0, 15));
    EXPECT_FALSE(shapePasses(Shape::BeforeBeyond, 15, 30, 0, 15));
    EXPECT_FALSE(shapePasses(Shape::BeforeBeyond, 31, 30, 0, 15));
    EXPECT_TRUE(shapePasses(Shape::AfterAnchorBeyond, 50, 41, 0, 40));
    EXPECT_FALSE(shapePasses(Shape::AfterAnchorBeyond, 50, 40, 0, 40));
    EXPECT_TRUE(shapePasses(Shape::AfterWithin, 79, 40, 0, 40));
    EXPECT_FALSE(shapePasses(Shape::AfterWithin, 80, 40, 0, 40));
    EXPECT_TRUE(shapePasses(Shape::AfterTwoAnchors, 9, 3, 5, 0));
    EXPECT_FALSE(shapePasses(Shape::AfterTwoAnchors, 9, 5, 3, 0));
    EXPECT_FALSE(shapePasses(Shape::AfterTwoAnchors, 4, 3, 5, 0));
}

TEST(Shapes, AbsentPatternNeverPassesWhereItMustExceedSomething) {
    for (Shape s : {Shape::PresentBeyond, Shape::Between, Shape::BeforeBeyond, Shape::AfterAnchorBeyond,
                    Shape::AfterWithin, Shape::AfterTwoAnchors})
        EXPECT_FALSE(shapePasses(s, 0, 20, 30, 0));
}

TEST(WebSet1, StartingPageFailsAllAndSolutionPassesAll) {
    EXPECT_EQ(outcomes(webSet1Tests(), startingText("Index1")), std::vector<bool>(10, false));
    EXPECT_EQ(outcomes(webSet1Tests(), solutionText(5)), std::vector<bool>(10, true));
}

TEST(WebSet2, StartingPageFailsAllAndSolutionPassesAll) {
    EXPECT_EQ(outcomes(webSet2Tests(), startingText("Index")), std::vector<bool>(10, false));
    EXPECT_EQ(outcomes(webSet2Tests(), solutionText(6)), std::vector<bool>(10, true));
}

struct Undo {
    int item;
    std::string from, to;
};

void expectOnlyItemFails(const std::vector<PositionTest>& tests, const std::string& solution, const Undo& u) {
    const auto result = outcomes(tests, replaced(solution, u.from, u.to));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(result[static_cast<std::size_t>(i)], i + 1 != u.item) << "item " << i + 1 << " after undoing item " << u.item;
}

TEST(WebSet1, EachItemFailsOnItsOwnWhenOnlyItsEditIsMissing) {
    const std::string s = solutionText(5);
    const std::string mail = std::string("<a href=\"mailto:") + std::string(exercises::kContactEmail) + "\">联系管理员</a>";
    const std::vector<Undo> undo = {
        {1, "<title>Tenbury</title>", "<title></title>"},
        {2, "<bgsound src=\"bj.mid\" loop=\"-1\">", ""},
        {3, "<body leftmargin=\"5\">", "<body>"},
        {4, "<hr size=\"4\">", ""},
        {5, "border=\"2\" width=\"100%\" id=\"table1\"", "border=\"1\" width=\"100%\" id=\"table1\""},
        {6, " bordercolor=\"#800000\"", ""},
        {7, " bgcolor=\"#C0C0C0\"", ""},
        {8, "<img border=\"0\" src=\"miaohui.jpg\" width=\"200\" height=\"150\">", "&nbsp;"},
        {9, "<a href=\"varnex.htm\">", ""},
        {10, mail, "联系管理员"},
    };
    for (const Undo& u : undo) expectOnlyItemFails(webSet1Tests(), s, u);
}

TEST(WebSet2, EachItemFailsOnItsOwnWhenOnlyItsEditIsMissing) {
    const std::string s = solutionText(6);
    const std::vector<Undo> undo = {
        {1, "<title>Brathel介绍</title>", "<title></title>"},
        {2, "<bgsound src=\"music.mid\" loop=\"-1\">", ""},
        {3, " background=\"beijing.gif\"", ""},
        {4, " topmargin=\"5\"", ""},
        {5, "<hr>", ""},
        {6, "border=\"2\" width=\"100%\" id=\"table1\"", "border=\"1\" width=\"100%\" id=\"table1\""},
        {7, " bordercolor=\"#0000FF\"", ""},
        {8, "<img border=\"0\" src=\"qunto.gif\" width=\"240\" height=\"180\">", "&nbsp;"},
        {9, "<a href=\"list.htm\">主要诗作</a>", "主要诗作"},
        {10, " bgcolor=\"#800000\"", ""},
    };
    for (const Undo& u : undo) expectOnlyItemFails(webSet2Tests(), s, u);
}

TEST(WebSet1, EdgeCasesOfTheRubric) {
    const std::string s = solutionText(5);
    const auto& t = webSet1Tests();
    // A title holding the county name among other words passes.
    EXPECT_TRUE(passes(t[0], replaced(s, "<title>Tenbury</title>", "<title>欢迎来到Tenbury玉米之乡</title>")));
    // Title tag in capitals is not found.
    EXPECT_FALSE(passes(t[0], replaced(s, "<title>Tenbury</title>", "<TITLE>Tenbury</TITLE>")));
    // No rule at all fails, even on a page cut so short that the heading is within 100 characters.
    EXPECT_FALSE(passes(t[3], "<html><body><p>川南玉米之乡——Tenbury</p></body>"));
    // A rule of size 4 after the heading fails.
    std::string moved = replaced(s, "<hr size=\"4\">", "");
    moved = replaced(moved, "</table>", "</table><hr size=\"4\">");
    EXPECT_FALSE(passes(t[3], moved));
    // More than 99 characters between the rule and the heading fails.
    EXPECT_FALSE(passes(t[3], replaced(s, "<hr size=\"4\">", "<hr size=\"4\"><p>" + std::string(100, 'x') + "</p>")));
    // Border 2 written after the table's identifier fails item 5.
    EXPECT_FALSE(passes(t[4], replaced(s, "border=\"2\" width=\"100%\" id=\"table1\"",
                                       "width=\"100%\" id=\"table1\" border=\"2\"")));
    // Lower-case hexadecimal colour letters fail.
    EXPECT_FALSE(passes(t[6], replaced(s, "bgcolor=\"#C0C0C0\"", "bgcolor=\"#c0c0c0\"")));
    // The picture in another cell, or a deleted marker, fails item 8 / 9.
    EXPECT_FALSE(passes(t[7], replaced(s, "</vek>", "")));
    EXPECT_FALSE(passes(t[8], replaced(s, "</vek2>", "")));
    // A mail link whose text differs fails item 10; so does one before the end of the table.
    EXPECT_FALSE(passes(t[9], replaced(s, "\">联系管理员", "\"> 联系管理员")));
    std::string early = replaced(s, "<p align=\"center\"><a href=\"mailto:", "<p align=\"center\"><a href=\"x:");
    early = replaced(early, "<tr>", std::string("<tr><a href=\"mailto:") + std::string(exercises::kContactEmail) + "\">联系管理员</a>");
    EXPECT_FALSE(passes(t[9], early));
    // Only the first occurrence counts: the county name in a keyword line before the title fails.
    EXPECT_FALSE(passes(t[0], replaced(s, "<title>", "<meta name=\"keywords\" content=\"Tenbury\"><title>")));
}

TEST(WebSet2, EdgeCasesOfTheRubric) {
    const std::string s = solutionText(6);
    const auto& t = webSet2Tests();
    EXPECT_FALSE(passes(t[4], replaced(s, "<hr>", "<hr size=\"2\">")));           // no bare <hr>
    std::string below = replaced(s, "<hr>", "");
    EXPECT_FALSE(passes(t[4], replaced(below, "</body>", "<hr></body>")));        // below the table
    EXPECT_FALSE(passes(t[6], replaced(s, "id=\"table1\" bordercolor=\"#0000FF\"",
                                       "id=\"table1\" cellspacing=\"3\" cellpadding=\"4\" style=\"x\" bordercolor=\"#0000FF\"")));
    std::string second = replaced(s, "<img border=\"0\" src=\"qunto.gif\" width=\"240\" height=\"180\">", "&nbsp;");
    EXPECT_FALSE(passes(t[7], replaced(second, "src=\"qunto.jpg\"", "src=\"qunto.gif\"")));  // second row
    EXPECT_FALSE(passes(t[8], replaced(s, "<a href=\"list.htm\">", "<a href='list.htm'>")));
    EXPECT_FALSE(passes(t[8], replaced(s, "<a href=\"list.htm\">", "<a href=\"list.htm\" target=\"_blank\">")));
    EXPECT_FALSE(passes(t[9], replaced(s, "id=\"table2\"", "id=\"t2\"")));
    // Maroon on both tables: the first occurrence is the outer table's, before table2.
    EXPECT_FALSE(passes(t[9], replaced(s, "id=\"table1\" bordercolor=\"#0000FF\"",
                                       "id=\"table1\" bordercolor=\"#0000FF\" bgcolor=\"#800000\"")));
    // A border of 2 on both tables passes item 6.
    EXPECT_TRUE(passes(t[5], replaced(s, "id=\"table2\"", "id=\"table2\" border=\"2\"")));
}

TEST(WebRubrics, RecordingFillsListsInOrderWithCrLf) {
    MarkingState state;
    state.CorrectList = "old\r\n";
    runTests(webSet2Tests(), startingText("Index"), state);
    EXPECT_EQ(state.Score, 0);
    EXPECT_TRUE(state.WrongList.starts_with("1、标题设置不正确\r\n2、背景音乐设置不正确\r\n"));
    EXPECT_TRUE(state.WrongList.ends_with("8、插入图片qunto.gif不正确\r\n9、超链接list.htm不正确\r\n10、背景设置为褐紫红色不正确\r\n"));
}

}  // namespace
}  // namespace tarnwick::marking::web_rubrics
