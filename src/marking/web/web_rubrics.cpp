#include "marking/web/web_rubrics.h"

#include "marking/web/page_text.h"
#include "exercises/catalog.h"

namespace tarnwick::marking::web_rubrics {
namespace {

std::string contactLink() {
    std::string s = "href=\"mailto:";
    s += exercises::kContactEmail;
    s += "\">联系管理员";
    return s;
}

std::string contactMessage(std::string_view tail) {
    std::string s = "10、链接到";
    s += exercises::kContactEmail;
    s += tail;
    return s;
}

RubricEnd markWith(const std::vector<PositionTest>& tests, const std::filesystem::path& page,
                                    MarkingState& state) {
    auto text = readPageText(page);
    if (!text) return RubricEnd::notMarked(text.error().message);
    state.clearLists();
    runTests(tests, text.value(), state);
    return RubricEnd::read();
}

}  // namespace

const std::vector<PositionTest>& webSet1Tests() {
    static const std::vector<PositionTest> tests = {
        {Shape::Between, "Tenbury", "<title>", "</title>", 0, "1、标题设置正确", "1、标题设置不正确"},
        {Shape::PresentBeyond, "<bgsound src=\"bj.mid\"", "", "", 1, "2、背景音乐设置正确", "2、背景音乐设置不正确"},
        {Shape::PresentBeyond, attributePattern("leftmargin", "5"), "", "", 15, "3、左边距设置正确",
         "3、左边距设置不正确"},
        {Shape::BeforeWithin, "<hr size=\"4\"", "川南玉米之乡——Tenbury", "", 100, "4、水平线设置正确",
         "4、水平线设置不正确"},
        {Shape::BeforeBeyond, attributePattern("border", "2"), "table1", "", 15, "5、边框粗细2设置正确",
         "5、边框粗细2设置不正确"},
        {Shape::AfterAnchorBeyond, attributePattern("bordercolor", "#800000"), "table1", "", 40,
         "6、边框褐紫红色正确", "6、边框褐紫红色不正确"},
        {Shape::AfterTwoAnchors, attributePattern("bgcolor", "#C0C0C0"), "<table", "table1", 0, "7、背景银白色正确",
         "7、背景银白色不正确"},
        {Shape::Between, attributePattern("src", "miaohui.jpg"), "<vek>", "</vek>", 0,
         "8、插入图片miaohui.jpg设置正确", "8、插入图片miaohui.jpg不正确"},
        {Shape::Between, attributePattern("href", "varnex.htm"), "<vek2>", "</vek2>", 0,
         "9、图片链接到varnex.htm正确", "9、图片链接到varnex.htm不正确"},
        {Shape::Between, contactLink(), "</table>", "</body>", 0, contactMessage("正确"), contactMessage("不正确")},
    };
    return tests;
}

const std::vector<PositionTest>& webSet2Tests() {
    static const std::vector<PositionTest> tests = {
        {Shape::Between, "Brathel介绍", "<title>", "</title>", 0, "1、标题设置正确", "1、标题设置不正确"},
        {Shape::PresentBeyond, "bgsound src=\"music.mid\"", "", "", 10, "2、背景音乐设置正确", "2、背景音乐设置不正确"},
        {Shape::PresentBeyond, attributePattern("background", "beijing.gif"), "", "", 15, "3、背景图片设置正确",
         "3、背景图片设置不正确"},
        {Shape::PresentBeyond, attributePattern("topmargin", "5"), "", "", 15, "4、上边距设置正确",
         "4、上边距设置不正确"},
        {Shape::BeforeBeyond, "<hr>", "<table", "", 15, "5、水平线设置正确", "5、水平线设置不正确"},
        {Shape::BeforeBeyond, attributePattern("border", "2"), "table1", "", 15, "6、边框粗细2设置正确",
         "6、边框粗细2设置不正确"},
        {Shape::AfterWithin, attributePattern("bordercolor", "#0000FF"), "table1", "", 40, "7、边框蓝色设置正确",
         "7、边框蓝色设置不正确"},
        {Shape::Between, attributePattern("src", "qunto.gif"), "<tr>", "</tr>", 0, "8、插入图片设置正确",
         "8、插入图片qunto.gif不正确"},
        {Shape::PresentBeyond, "href=\"list.htm\">主要诗作", "", "", 50, "9、超链接list.htm设置正确",
         "9、超链接list.htm不正确"},
        {Shape::AfterAnchorBeyond, attributePattern("bgcolor", "#800000"), "table2", "", 0,
         "10、背景设置为褐紫红色正确", "10、背景设置为褐紫红色不正确"},
    };
    return tests;
}

RubricEnd markWebSet1(const std::filesystem::path& page, MarkingState& state) {
    return markWith(webSet1Tests(), page, state);
}

RubricEnd markWebSet2(const std::filesystem::path& page, MarkingState& state) {
    return markWith(webSet2Tests(), page, state);
}

}  // namespace tarnwick::marking::web_rubrics
