// Shape.Type of the shapes of real files, and the position constants of aligned shapes.
#include <gtest/gtest.h>

#include "formats/odraw/odraw_fixtures.h"
#include "model/word/shape_kind.h"
#include "support/test_support.h"

namespace tarnwick::word {
namespace {

using namespace tarnwick::test;
namespace od = tarnwick::odraw;

std::vector<int> typesOf(const od::Drawing& d) {
    std::vector<int> out;
    for (const od::Shape& s : d.shapes) out.push_back(msoShapeType(s));
    return out;
}

TEST(ShapeKind, TypesOfTheShapesOfRealFiles) {
    auto pictures = od::readWordDrawings(dggInfoOf(corpusPath("doc/testPictures.doc")));
    ASSERT_TRUE(pictures.ok()) << pictures.error().message;
    // patriarch, group { picture frame, line, line }
    EXPECT_EQ(typesOf(*pictures->mainDrawing()), (std::vector<int>{kMsoGroup, kMsoGroup, kMsoPicture, kMsoLine, kMsoLine}));

    auto header = od::readWordDrawings(dggInfoOf(corpusPath("doc/64132.doc")));
    ASSERT_TRUE(header.ok()) << header.error().message;
    // patriarch, picture, rectangle, text box drawn as a rectangle with text, picture
    EXPECT_EQ(typesOf(*header->headerDrawing()), (std::vector<int>{kMsoGroup, kMsoPicture, kMsoAutoShape, kMsoAutoShape, kMsoPicture}));

    auto fontwork = od::readWordDrawings(dggInfoOf(dataPath("odraw/lo_fontwork_student.doc")));
    ASSERT_TRUE(fontwork.ok()) << fontwork.error().message;
    EXPECT_EQ(typesOf(*fontwork->mainDrawing()), (std::vector<int>{kMsoGroup, kMsoTextEffect, kMsoTextEffect, kMsoTextEffect}));
}

TEST(ShapeKind, SyntheticShapesByTypeAndContent) {
    auto shape = [](std::uint16_t type, std::initializer_list<od::Property> props) {
        od::Shape s;
        s.shapeType = type;
        s.properties.merge(props);
        return s;
    };
    const od::Property text{od::pid::GtextUnicode, false, true, 2, {0, 0}, od::PropertySource::Primary};
    const od::Property gtextOnly{od::pid::GtextBooleans, false, false, 0x40004000, {}, od::PropertySource::Primary};
    const od::Property blip{od::pid::Pib, true, false, 1, {}, od::PropertySource::Primary};
    EXPECT_EQ(msoShapeType(shape(136, {text})), kMsoTextEffect);
    EXPECT_EQ(msoShapeType(shape(175, {gtextOnly})), kMsoTextEffect);
    EXPECT_EQ(msoShapeType(shape(136, {})), kMsoAutoShape);  // a text-effect shape without text
    EXPECT_EQ(msoShapeType(shape(176, {text})), kMsoAutoShape);
    EXPECT_EQ(msoShapeType(shape(1, {blip})), kMsoPicture);
    EXPECT_EQ(msoShapeType(shape(75, {})), kMsoPicture);
    EXPECT_EQ(msoShapeType(shape(202, {})), kMsoTextBox);
    EXPECT_EQ(msoShapeType(shape(20, {})), kMsoLine);
    od::Shape group = shape(0, {});
    group.flags = 0x001;
    EXPECT_EQ(msoShapeType(group), kMsoGroup);
    od::Shape textGroup = shape(136, {text});  // a group never reads as WordArt
    textGroup.flags = 0x001;
    EXPECT_EQ(msoShapeType(textGroup), kMsoGroup);
    EXPECT_FALSE(isTextEffect(textGroup));
}

TEST(ShapeKind, AlignedShapesReportWordsPositionConstants) {
    const std::vector<std::optional<std::int32_t>> left{std::nullopt, -999998, -999995, -999996, -999994, -999993, std::nullopt};
    const std::vector<std::optional<std::int32_t>> top{std::nullopt, -999999, -999995, -999997, -999994, -999993, std::nullopt};
    for (std::uint32_t v = 0; v <= 6; ++v) {
        EXPECT_EQ(leftPositionConstant(v), left[v]) << v;
        EXPECT_EQ(topPositionConstant(v), top[v]) << v;
    }
}

}  // namespace
}  // namespace tarnwick::word
