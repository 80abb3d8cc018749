// Document.Shapes over real Word files and the LibreOffice fixtures: which shapes Word lists, and
// their Type, Left, WrapFormat.Type and WordArt reads.
#include <gtest/gtest.h>

#include "model/word/document.h"
#include "support/test_support.h"

namespace tarnwick::word {
namespace {

Document open(const std::filesystem::path& path) {
    auto d = Document::open(path);
    if (!d) throw std::runtime_error(path.string() + ": " + d.error().message);
    return std::move(*d);
}

struct Expected {
    int type;
    double left;
    int wrap;
};

void expectShapes(const std::string& name, const Shapes& shapes, const std::vector<Expected>& expected) {
    ASSERT_EQ(shapes.Count(), static_cast<std::int32_t>(expected.size())) << name;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Shape& s = shapes(static_cast<std::int32_t>(k + 1));
        EXPECT_TRUE(s.Type() == expected[k].type) << name << " " << k << ": " << s.Type().describe();
        EXPECT_TRUE(s.Left() == expected[k].left) << name << " " << k << ": " << s.Left().describe();
        EXPECT_TRUE(s.WrapFormat().Type() == expected[k].wrap) << name << " " << k << ": " << s.WrapFormat().Type().describe();
    }
}

TEST(WordShapes, FloatingPicturesAreListedWithTheWrappingTheirTextNames) {
    const Document d = open(test::corpusPath("doc/FloatingPictures.doc"));
    // In anchor order: "Square", "Tight", "Behind text", "In front of text".
    expectShapes("FloatingPictures", d.Shapes(), {{13, 153, 0}, {13, 171, 1}, {13, 0, 5}, {13, 0, 3}});
    EXPECT_TRUE(d.Shapes()(1).TextEffect().Text().isFailed());  // a picture has no WordArt text
    EXPECT_EQ(d.InlineShapesCount(), 19);
}

TEST(WordShapes, HeaderShapesAndInlinePicturesAreNotShapes) {
    EXPECT_EQ(open(test::corpusPath("doc/64132.doc")).Shapes().Count(), 0);  // its shapes sit in the header
    const Document two = open(test::corpusPath("doc/two_images.doc"));
    EXPECT_EQ(two.Shapes().Count(), 0);
    EXPECT_EQ(two.InlineShapesCount(), 2);
    // testPictures.doc: one floating group (of a picture and a line), in front of the text.
    expectShapes("testPictures", open(test::corpusPath("doc/testPictures.doc")).Shapes(), {{6, 0, 3}});
}

TEST(WordShapes, LibreOfficePicturesReadAsWordReadsTheirWrappingAndAlignment) {
    const std::vector<std::pair<std::string, std::vector<Expected>>> cases = {
        {"picture-square-right.doc", {{13, -999996, 0}}},
        {"picture-tight-centre.doc", {{13, -999995, 1}}},
        {"picture-through.doc", {{13, -999998, 3}}},
        {"picture-wrap-none.doc", {{13, Single(56.7), 4}}},
        {"picture-behind.doc", {{13, -999996, 5}}},
        {"two-pictures.doc", {{13, -999996, 0}, {13, -999996, 0}}},
        {"picture-inline.doc", {}},
    };
    for (const auto& [name, expected] : cases) expectShapes(name, open(test::dataPath("doc/" + name)).Shapes(), expected);
    EXPECT_EQ(open(test::dataPath("doc/picture-inline.doc")).InlineShapesCount(), 1);
}

TEST(WordShapes, FontworkIsWordArtWithItsTextAndNoGalleryStyle) {
    for (const auto& [name, wrap] : {std::pair{"wordart-square.doc", 0}, std::pair{"wordart-tight.doc", 1}}) {
        const Shapes shapes = open(test::dataPath(std::string("doc/") + name)).Shapes();
        ASSERT_EQ(shapes.Count(), 1) << name;
        const Shape& s = shapes(1);
        EXPECT_TRUE(s.Type() == 15) << name;
        EXPECT_TRUE(s.WrapFormat().Type() == wrap) << name;
        EXPECT_TRUE(s.TextEffect().Text() == "中国航天事业雄起") << name;
        EXPECT_TRUE(s.TextEffect().PresetTextEffect() == -2) << name;
    }
}

TEST(WordShapes, ADamagedDrawingLayerGivesNoShapesAndSaysWhy) {
    const std::string bytes = test::readBytes(test::dataPath("doc/picture-square-right.doc"));
    auto d = Document::open(Bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(d.ok());
    const Bytes dgg = d->file().dggInfo();
    ASSERT_FALSE(dgg.empty());
    // The same drawings cut short: the layer cannot be read, the text still can.
    const DrawingLayer cut = readDrawingLayer(dgg.subspan(0, dgg.size() / 2));
    EXPECT_EQ(cut.content, nullptr);
    EXPECT_FALSE(cut.failure.empty());
    const Shapes none = mainTextShapes(nullptr, d->file().mainShapes, cut);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_FALSE(none.failure().empty());
    // An anchor whose shape id the drawing does not have is left out.
    std::vector<doc::ShapeAnchor> anchors = d->file().mainShapes;
    ASSERT_EQ(anchors.size(), 1u);
    anchors[0].spa.spid = 999999;
    EXPECT_EQ(mainTextShapes(nullptr, anchors, readDrawingLayer(dgg)).Count(), 0);
}

}  // namespace
}  // namespace tarnwick::word
