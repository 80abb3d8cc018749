// The items of the three word-processing exercises, each as its row of the marking table reads.
#include "marking/word/word_rubrics.h"

#include <vector>

#include "marking/item.h"
#include "marking/word/word_document.h"
#include "model/word/shape_kind.h"

namespace tarnwick::marking::word_rubrics {
namespace {

using word::Document;
using word::Range;
using word::Single;
namespace wd = word::wd;

// A range that no item reads before it is set.
constexpr const char* kNotRead = "段落尚未读取。";

// ---- reads shared by the rubrics ----

// Of the paragraphs 2 to `last` (the count stored before the loop), how many have the value.
template <class Read>
Tally countParagraphs(const Document& d, std::int32_t last, std::string_view what, Read&& read, auto expected) {
    Tally t{0, what};
    for (std::int32_t i = 2; i <= last; ++i)
        if (equals(read(d.Paragraphs()(i).Range()), expected)) ++t.n;
    return t;
}

// Hits of `what` in the whole main text, case-sensitive; after a hit the search goes on behind it.
Tally occurrences(const Document& d, std::string_view what, std::string_view label) {
    Tally t{0, label};
    const word::Variant text = d.Range().Text();
    if (!text.isText()) return t;
    for (std::size_t at = text.asText().find(what); at != std::string::npos; at = text.asText().find(what, at + what.size()))
        ++t.n;
    return t;
}

// The text the header pane shows for characters 0..2 of the current page's header.
word::Variant pageOneHeader(const Document& d) {
    word::Pane pane = d.ActivePane();
    pane.SetViewType(wd::PrintView);
    pane.SetSeekView(wd::SeekCurrentPageHeader);
    pane.SetSelectionStart(0);
    pane.SetSelectionEnd(2);
    return pane.SelectionText();
}

// The counters of one enumeration of Shapes.
struct ShapeCounts {
    Tally pictures{0, "浮动的图片"}, squarePictures{0, "四周型环绕的图片"}, tightPictures{0, "紧密型环绕的图片"},
        alignedPictures{0, "对齐方式符合要求的图片"};
    Tally wordArts{0, "艺术字"}, styledWordArts{0, "样式符合要求的艺术字"}, tightWordArts{0, "紧密型环绕的艺术字"},
        squareTextWordArts{0, "文字相符且四周型环绕的艺术字"};
};

// `pictureLeft`: the Left constant an aligned picture must have; `style`: the WordArt's gallery
// style; `text`: the WordArt text that set 1 asks for (empty: not counted that way).
ShapeCounts countShapes(const Document& d, double pictureLeft, int style, std::string_view text) {
    ShapeCounts c;
    for (const word::Shape& s : d.Shapes()) {
        const word::Variant type = s.Type(), wrap = s.WrapFormat().Type();
        if (equals(type, word::kMsoPicture)) {
            if (equals(wrap, 0)) ++c.squarePictures.n;
            if (equals(wrap, 1)) ++c.tightPictures.n;
            if (equals(s.Left(), pictureLeft)) ++c.alignedPictures.n;
            ++c.pictures.n;
        }
        if (equals(type, word::kMsoTextEffect)) {
            if (equals(s.TextEffect().PresetTextEffect(), style)) ++c.styledWordArts.n;
            if (equals(wrap, 1)) ++c.tightWordArts.n;
            if (!text.empty() && equals(s.TextEffect().Text(), text) && equals(wrap, 0)) ++c.squareTextWordArts.n;
            ++c.wordArts.n;
        }
    }
    return c;
}

// ---- set 1: 中国航天事业.doc ----

struct Set1 {
    Range title, second;
    word::PageSetup page;
    Tally leftIndented, replacements;
    ShapeCounts shapes;
};

const std::vector<Item<Set1>>& set1Items() {
    static const std::vector<Item<Set1>> items = {
        {5, [](const Set1& s) { return s.title.Font().Name() == "黑体"; }, "1、字体设置正确", "1、字体设置不正确"},
        {5, [](const Set1& s) { return s.title.Font().Size() == 16; }, "1、字号设置正确", "1、字号设置不正确"},
        {5, [](const Set1& s) { return s.title.Font().Color() == 255; }, "2、颜色设置正确", "2、颜色设置不正确"},
        {5, [](const Set1& s) { return s.title.Font().Bold() == wd::True; }, "2、字形加粗设置正确", "2、字形加粗设置不正确"},
        {5, [](const Set1& s) { return s.title.ParagraphFormat().Alignment() == 1; }, "3、段落对齐设置正确", "3、段落对齐设置不正确"},
        {5, [](const Set1& s) { return s.title.ParagraphFormat().LineUnitAfter() == 2; }, "3、间距设置正确", "3、间距设置不正确"},
        {5, [](const Set1& s) { return s.second.ParagraphFormat().CharacterUnitFirstLineIndent() == 2; }, "4、首行缩进设置正确",
         "4、首行缩进设置不正确"},
        {5, [](const Set1& s) { return s.second.ParagraphFormat().LineSpacing() == 18; }, "4、行距设置正确", "4、行距设置不正确"},
        {5, [](const Set1& s) { return s.leftIndented == 4; }, "5、左缩进设置正确", "5、左缩进设置不正确"},
        {5, [](const Set1& s) { return s.replacements == 3; }, "5、替换操作设置正确", "5、替换操作设置不正确"},
        {5, [](const Set1& s) { return s.page.PageWidth() == Single(737.1) && s.page.PageHeight() == Single(521.65); },
         "6、纸张设置正确", "6、纸张设置不正确"},
        {5, [](const Set1& s) { return s.page.Orientation() == 1; }, "6、纸张方向设置正确", "6、纸张方向设置不正确"},
        {5, [](const Set1& s) { return s.page.LeftMargin() == Single(56.7) && s.page.RightMargin() == Single(56.7); },
         "6、左右边距设置正确", "6、左右边距设置不正确"},
        {15, [](const Set1& s) { return s.shapes.tightPictures == 1; }, "7、图片设置正确", "7、图片设置不正确"},
        {20, [](const Set1& s) { return s.shapes.squareTextWordArts == 1; }, "8、艺术字设置正确", "8、艺术字设置不正确"},
    };
    return items;
}

// ---- set 2: 九寨童话世界.doc ----

struct Set2 {
    word::PageSetup page;
    Range title, second, third;
    ShapeCounts shapes;
    word::Variant header;
};

const std::vector<Item<Set2>>& set2PageItems() {
    static const std::vector<Item<Set2>> items = {
        {5, [](const Set2& s) { return s.page.PageWidth() == Single(595.35) && s.page.PageHeight() == 842; },
         "1、纸张设置正确", "1、纸张设置不正确"},
        {5, [](const Set2& s) { return s.page.TopMargin() == Single(56.7) && s.page.BottomMargin() == Single(56.7); },
         "1、上下边距设置正确", "1、上下边距设置不正确"},
    };
    return items;
}

const std::vector<Item<Set2>>& set2TitleItems() {
    static const std::vector<Item<Set2>> items = {
        {5, [](const Set2& s) { return s.title.Font().Name() == "楷体_GB2312"; }, "2、字体设置正确", "2、字体设置不正确"},
        {5, [](const Set2& s) { return s.title.Font().Size() == 23; }, "2、字号设置正确", "2、字号设置不正确"},
        {5, [](const Set2& s) { return s.title.Font().Color() == 32768; }, "2、颜色设置正确", "2、颜色设置不正确"},
        {5, [](const Set2& s) { return s.title.Font().Bold() == wd::True; }, "2、字形加粗设置正确", "2、字形加粗设置不正确"},
        {5, [](const Set2& s) { return s.title.ParagraphFormat().Alignment() == 1; }, "2、段落对齐设置正确", "2、段落对齐设置不正确"},
    };
    return items;
}

const std::vector<Item<Set2>>& set2BodyItems() {
    static const std::vector<Item<Set2>> items = {
        {5, [](const Set2& s) { return s.second.ParagraphFormat().CharacterUnitFirstLineIndent() == 2; }, "3、首行缩进设置正确",
         "3、首行缩进设置不正确"},
        {5, [](const Set2& s) { return s.second.ParagraphFormat().LineSpacing() == 18; }, "3、行距设置正确", "3、行距设置不正确"},
        {5, [](const Set2& s) { return s.second.ParagraphFormat().LineUnitBefore() == 2; }, "3、间距设置正确", "3、间距设置不正确"},
        {5, [](const Set2& s) { return s.second.ParagraphFormat().Alignment() == 0; }, "3、段落对齐设置正确", "3、段落对齐设置不正确"},
        {5, [](const Set2& s) { return s.third.Font().Underline() == 1; }, "4、下划线设置正确", "4、下划线设置不正确"},
        {5, [](const Set2& s) { return s.third.Font().Italic() == wd::True; }, "4、倾斜设置正确", "4、倾斜设置不正确"},
    };
    return items;
}

const std::vector<Item<Set2>>& set2ShapeAndHeaderItems() {
    static const std::vector<Item<Set2>> items = {
        {7, [](const Set2& s) { return s.shapes.squarePictures == 1 && s.shapes.pictures == 1; }, "5、图片环绕方式设置正确",
         "5、图片环绕方式设置不正确"},
        {7, [](const Set2& s) { return s.shapes.alignedPictures == 1 && s.shapes.pictures == 1; }, "5、图片右对齐方式设置正确",
         "5、图片右对齐方式设置不正确"},
        {7, [](const Set2& s) { return s.shapes.styledWordArts == 1 && s.shapes.wordArts == 1; }, "6、艺术字样式设置正确",
         "6、艺术字样式设置不正确"},
        {7, [](const Set2& s) { return s.shapes.tightWordArts == 1 && s.shapes.wordArts == 1; }, "6、艺术字文字环绕设置正确",
         "6、艺术字文字环绕设置不正确"},
        {7, [](const Set2& s) { return s.header == "九寨"; }, "7、页眉设置正确", "7、页眉设置不正确"},
    };
    return items;
}

// ---- set 3: Tenbury二中赋.doc ----

struct Set3 {
    word::PageSetup page;
    Range title;
    Tally fonts, sizes, colours, indents, spacings, alignments;
    ShapeCounts shapes;
    word::Variant pageNumber;
};

const std::vector<Item<Set3>>& set3PageItems() {
    static const std::vector<Item<Set3>> items = {
        {5, [](const Set3& s) { return s.page.PageWidth() == Single(728.6) && s.page.PageHeight() == Single(1031.95); },
         "1、纸张设置正确", "1、纸张设置不正确"},
        {5, [](const Set3& s) { return s.page.LeftMargin() == Single(56.7) && s.page.RightMargin() == Single(56.7); },
         "1、左右边距设置正确", "1、左右边距设置不正确"},
    };
    return items;
}

const std::vector<Item<Set3>>& set3TitleAndBodyItems() {
    static const std::vector<Item<Set3>> items = {
        {5, [](const Set3& s) { return s.title.Font().Name() == "隶书"; }, "2、字体设置正确", "2、字体设置不正确"},
        {5, [](const Set3& s) { return s.title.Font().Size() == 21; }, "2、字号21磅设置正确", "2、字号21磅设置不正确"},
        {5, [](const Set3& s) { return s.title.Font().Color() == 26367; }, "2、橙色设置正确", "2、橙色设置不正确"},
        {5, [](const Set3& s) { return s.title.Font().Italic() == wd::True; }, "2、字形倾斜设置正确", "2、字形倾斜设置不正确"},
        {5, [](const Set3& s) { return s.title.ParagraphFormat().Alignment() == 1; }, "2、居中设置正确", "2、居中设置不正确"},
        {5, [](const Set3& s) { return s.fonts == 7; }, "3、隶书字体设置正确", "3、隶书字体设置不正确"},
        {5, [](const Set3& s) { return s.sizes == 7; }, "3、四号字设置正确", "3、四号字设置不正确"},
        {5, [](const Set3& s) { return s.colours == 7; }, "3、颜色设置正确", "3、颜色设置不正确"},
        {5, [](const Set3& s) { return s.indents == 7; }, "4、首行缩进2字符设置正确", "4、首行缩进2字符设置不正确"},
        {5, [](const Set3& s) { return s.spacings == 7; }, "4、行距1.5倍设置正确", "4、行距1.5倍设置不正确"},
        {5, [](const Set3& s) { return s.alignments == 7; }, "4、左对齐设置正确", "4、左对齐设置不正确"},
    };
    return items;
}

// Order 14 is run apart: with two or more pictures it goes in neither list.
const Item<Set3> kSet3PictureInserted = {5, [](const Set3& s) { return s.shapes.pictures == 1; }, "5、图片插入正确",
                                         "5、图片插入不正确"};

const std::vector<Item<Set3>>& set3ShapeAndPageNumberItems() {
    static const std::vector<Item<Set3>> items = {
        {5, [](const Set3& s) { return s.shapes.squarePictures == 1 && s.shapes.pictures == 1; }, "5、图片环绕方式设置正确",
         "5、图片环绕方式设置不正确"},
        {5, [](const Set3& s) { return s.shapes.alignedPictures == 1 && s.shapes.pictures == 1; }, "5、图片居中设置正确",
         "5、图片居中设置不正确"},
        {8, [](const Set3& s) { return s.shapes.styledWordArts == 1 && s.shapes.wordArts == 1; }, "6、艺术字样式设置正确",
         "6、艺术字样式设置不正确"},
        {7, [](const Set3& s) { return s.shapes.tightWordArts == 1 && s.shapes.wordArts == 1; }, "6、艺术字文字环绕设置正确",
         "6、艺术字文字环绕设置不正确"},
        {5, [](const Set3& s) { return s.pageNumber == wd::AlignPageNumberRight; }, "7、插入页码设置正确", "7、插入页码设置不正确"},
    };
    return items;
}

template <class Doc>
void run(const std::vector<Item<Doc>>& items, const Doc& doc, MarkingState& state) {
    runItems(std::span<const Item<Doc>>(items), doc, state);
}

template <class Doc>
void allWrong(const std::vector<Item<Doc>>& items, MarkingState& state, std::string_view reason) {
    recordAllWrong(std::span<const Item<Doc>>(items), state, reason);
}

}  // namespace

RubricEnd markWordSet1(const std::filesystem::path& file, MarkingState& state) {
    Opened o = openForMarking(file, state);
    if (!o.document) {
        allWrong(set1Items(), state, o.end.unreadable);
        return o.end;
    }
    const Document& d = *o.document;
    if (d.Paragraphs().Count() < 1) {
        state.ContentLost();
        return RubricEnd::read();
    }
    Set1 s{d.Paragraphs()(state.ParagraphIndex).Range(), d.Paragraphs()(2).Range(), d.PageSetup(), {}, {}, {}};
    state.ParagraphIndex = d.Paragraphs().Count();
    s.leftIndented = countParagraphs(d, state.ParagraphIndex, "左缩进 2 字符的正文段落",
                                     [](const Range& r) { return r.ParagraphFormat().CharacterUnitLeftIndent(); }, 2);
    s.replacements = occurrences(d, "state", "正文中的 state");
    s.shapes = countShapes(d, 0, -1, "中国航天事业雄起");
    run(set1Items(), s, state);
    return RubricEnd::read();
}

RubricEnd markWordSet2(const std::filesystem::path& file, MarkingState& state) {
    Opened o = openForMarking(file, state);
    if (!o.document) {
        for (const auto* items : {&set2PageItems(), &set2TitleItems(), &set2BodyItems(), &set2ShapeAndHeaderItems()})
            allWrong(*items, state, o.end.unreadable);
        return o.end;
    }
    const Document& d = *o.document;
    Set2 s{d.PageSetup(), Range::failedRange(nullptr, kNotRead), Range::failedRange(nullptr, kNotRead), Range::failedRange(nullptr, kNotRead), {}, {}};
    run(set2PageItems(), s, state);
    if (d.Paragraphs().Count() < 1) {
        state.ContentLost();
        return RubricEnd::read();
    }
    s.title = d.Paragraphs()(state.ParagraphIndex).Range();
    run(set2TitleItems(), s, state);
    if (d.Paragraphs().Count() > 1) {
        s.second = d.Paragraphs()(2).Range();
        s.third = d.Paragraphs()(3).Range();
        run(set2BodyItems(), s, state);
    }
    s.shapes = countShapes(d, -999996, 12, "");
    s.header = pageOneHeader(d);
    run(set2ShapeAndHeaderItems(), s, state);
    return RubricEnd::read();
}

RubricEnd markWordSet3(const std::filesystem::path& file, MarkingState& state) {
    Opened o = openForMarking(file, state);
    if (!o.document) {
        allWrong(set3PageItems(), state, o.end.unreadable);
        allWrong(set3TitleAndBodyItems(), state, o.end.unreadable);
        recordAllWrong(std::span(&kSet3PictureInserted, 1), state, o.end.unreadable);
        allWrong(set3ShapeAndPageNumberItems(), state, o.end.unreadable);
        return o.end;
    }
    const Document& d = *o.document;
    Set3 s{d.PageSetup(), Range::failedRange(nullptr, kNotRead), {}, {}, {}, {}, {}, {}, {}, {}};
    run(set3PageItems(), s, state);
    if (d.Paragraphs().Count() < 1) {
        state.ContentLost();
        return RubricEnd::read();
    }
    s.title = d.Paragraphs()(state.ParagraphIndex).Range();
    state.ParagraphIndex = d.Paragraphs().Count();
    const std::int32_t last = state.ParagraphIndex;
    s.fonts = countParagraphs(d, last, "隶书的正文段落", [](const Range& r) { return r.Font().Name(); }, "隶书");
    s.sizes = countParagraphs(d, last, "14 磅的正文段落", [](const Range& r) { return r.Font().Size(); }, 14);
    s.colours = countParagraphs(d, last, "橙色的正文段落", [](const Range& r) { return r.Font().Color(); }, 26367);
    s.indents = countParagraphs(d, last, "首行缩进 2 字符的正文段落",
                                [](const Range& r) { return r.ParagraphFormat().CharacterUnitFirstLineIndent(); }, 2);
    s.spacings = countParagraphs(d, last, "行距 18 磅的正文段落", [](const Range& r) { return r.ParagraphFormat().LineSpacing(); }, 18);
    s.alignments = countParagraphs(d, last, "左对齐的正文段落", [](const Range& r) { return r.ParagraphFormat().Alignment(); }, 0);
    run(set3TitleAndBodyItems(), s, state);
    s.shapes = countShapes(d, -999995, 20, "");
    if (s.shapes.pictures.n <= 1) runItem(kSet3PictureInserted, s, state);
    s.pageNumber = d.Sections()(1).Footers()(wd::HeaderFooterPrimary).PageNumbers()(1).Alignment();
    run(set3ShapeAndPageNumberItems(), s, state);
    return RubricEnd::read();
}

}  // namespace tarnwick::marking::word_rubrics
