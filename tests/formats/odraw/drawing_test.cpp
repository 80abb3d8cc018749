// The drawing reader over synthetic drawing content: the shape tree, the property accessors and
// the ways damaged content is refused.
#include <gtest/gtest.h>

#include "formats/odraw/drawing.h"
#include "formats/odraw/odraw_fixtures.h"

namespace tarnwick::odraw {
namespace {

using namespace tarnwick::test;

constexpr std::uint32_t kHaveAnchor = 0x200, kHaveSpt = 0x800, kGroup = 0x001, kChild = 0x002, kBackground = 0x400;

Buf content(std::initializer_list<Buf> drawings, const Buf& dgg = dggContainer()) {
    Buf b = dgg;
    for (const Buf& d : drawings) b.insert(b.end(), d.begin(), d.end());
    return b;
}

Buf word(std::uint8_t dgglbl, const Buf& dg) { return cat({Buf{dgglbl}, dg}); }

Buf fspgr() { return record(1, 0, rt::FSPGR, Buf(16, 0)); }

TEST(OdrawDrawing, GroupsAreFlattenedWithTheirParentsAndDepth) {
    // patriarch { picture 1025, group 1026 { line 1027, group 1028 { box 1029 } }, rect 1030 }, background 1031
    const Buf innerGroup = container(rt::SpgrContainer, {spContainer(0, 1028, kGroup | kChild, {fspgr()}),
                                                         spContainer(202, 1029, kChild | kHaveSpt)});
    const Buf group = container(rt::SpgrContainer, {spContainer(0, 1026, kGroup | kHaveAnchor, {fspgr()}),
                                                    spContainer(20, 1027, kChild | kHaveSpt), innerGroup});
    const Buf dg = dgContainer({spContainer(75, 1025, kHaveAnchor | kHaveSpt), group, spContainer(1, 1030, kHaveSpt)},
                               {spContainer(1, 1031, kBackground | kHaveSpt), spContainer(1, 1040, 0x008)});
    auto r = readWordDrawings(content({word(0, dg)}));
    ASSERT_TRUE(r.ok()) << r.error().message;
    ASSERT_EQ(r->drawings.size(), 1u);
    const Drawing& d = r->drawings[0];
    EXPECT_EQ(d.drawingId, 1);
    ASSERT_EQ(d.shapes.size(), 7u);
    std::vector<std::uint32_t> spids;
    std::vector<int> parents, depths;
    for (const Shape& s : d.shapes) {
        spids.push_back(s.spid);
        parents.push_back(s.parent);
        depths.push_back(s.depth);
    }
    EXPECT_EQ(spids, (std::vector<std::uint32_t>{1024, 1025, 1026, 1027, 1028, 1029, 1030}));
    EXPECT_EQ(parents, (std::vector<int>{-1, 0, 0, 2, 2, 4, 0}));
    EXPECT_EQ(depths, (std::vector<int>{0, 1, 1, 2, 2, 3, 1}));
    EXPECT_TRUE(d.shapes[0].isPatriarch());
    EXPECT_TRUE(d.shapes[2].isGroup());
    EXPECT_TRUE(d.shapes[2].groupBounds.has_value());
    EXPECT_EQ(d.childrenOf(2), (std::vector<std::size_t>{3, 4}));
    EXPECT_EQ(d.childrenOf(0), (std::vector<std::size_t>{1, 2, 6}));
    ASSERT_TRUE(d.background.has_value());
    EXPECT_EQ(d.background->spid, 1031u);
    ASSERT_EQ(d.deleted.size(), 1u);
    EXPECT_EQ(d.deleted[0].spid, 1040u);

    ASSERT_NE(d.findShape(1029), nullptr);
    EXPECT_EQ(d.findShape(1029)->shapeType, 202);
    EXPECT_EQ(d.findShape(1031), &*d.background);
    EXPECT_EQ(d.findShape(1040), nullptr);  // deleted shapes are not looked up
    EXPECT_EQ(d.findShape(4242), nullptr);
    EXPECT_EQ(r->mainDrawing(), &d);
    EXPECT_EQ(r->headerDrawing(), nullptr);
}

TEST(OdrawDrawing, AccessorsReadTheStoredValuesOrTheDefaults) {
    const Buf wordArt = spContainer(
        136, 1025, kHaveAnchor | kHaveSpt,
        {opt({{pid::Rotation, 0xFFE70000},  // -25 degrees
              {pid::GtextUnicode, 0, utf16z(u"中国航天")},
              {pid::GtextFont, 0, utf16z(u"Impact")},
              {pid::GtextBooleans, 0x60006000},  // fGtext and vertical, both with use bits
              {pid::FillType, fill::ShadeScale},
              {pid::FillColor, 0x0000FFFF},
              {pid::FillBackColor, 0x003399FF},
              {pid::FillAngle, 0xFF790000},
              {pid::FillFocus, 100},
              {pid::LineBooleans, 0x00080000},      // fLine off
              {pid::ShadowColor, 0x00B2B2B2},
              {pid::ShadowBooleans, 0x00020002},    // fShadow on
              {pid::ThreeDObjectBooleans, 0x00080008}}),
         opt({{pid::Posh, 3}, {pid::Posrelh, 1}, {pid::Posv, 2}, {pid::GroupShapeBooleans, 0x00200020}}, rt::TertiaryOPT)});
    const Buf plain = spContainer(1, 1026, kHaveSpt);
    auto r = readWordDrawings(content({word(1, dgContainer({wordArt, plain}))}));
    ASSERT_TRUE(r.ok()) << r.error().message;
    ASSERT_NE(r->headerDrawing(), nullptr);
    const Shape& s = *r->headerDrawing()->findShape(1025);
    EXPECT_EQ(s.geometryText(), "中国航天");  // closing NUL dropped
    EXPECT_EQ(s.geometryTextFont(), "Impact");
    EXPECT_TRUE(s.hasGeometryText());
    EXPECT_TRUE(s.isVerticalText());
    EXPECT_EQ(s.geometryTextFlag(gtext::Bold), std::nullopt);
    EXPECT_EQ(s.rotation(), -25 * 65536);
    const FillStyle f = s.fill();
    EXPECT_TRUE(f.isGradient());
    EXPECT_EQ(f.color.rgb(), 0xFFFF00u);
    EXPECT_EQ(f.backColor.rgb(), 0xFF9933u);
    EXPECT_EQ(f.angle, -135 * 65536);
    EXPECT_EQ(f.focus, 100);
    EXPECT_TRUE(f.filled);
    EXPECT_FALSE(s.line().on);
    EXPECT_TRUE(s.shadow().on);
    EXPECT_EQ(s.shadow().color.rgb(), 0xB2B2B2u);
    EXPECT_EQ(s.shadow().offsetX, 25400);
    EXPECT_TRUE(s.threeD().on);
    EXPECT_EQ(s.posh(), 3u);
    EXPECT_EQ(s.posrelh(), 1u);
    EXPECT_EQ(s.posv(), 2u);
    EXPECT_EQ(s.posrelv(), std::nullopt);
    EXPECT_EQ(s.behindDocument(), true);
    EXPECT_EQ(s.properties.find(pid::Posh)->source, PropertySource::Tertiary);

    const Shape& d = *r->headerDrawing()->findShape(1026);  // nothing stored: the defaults
    EXPECT_FALSE(d.hasGeometryText());
    EXPECT_EQ(d.fill().color.rgb(), 0xFFFFFFu);
    EXPECT_TRUE(d.line().on);
    EXPECT_EQ(d.line().width, 9525u);
    EXPECT_FALSE(d.shadow().on);
    EXPECT_EQ(d.posh(), std::nullopt);
}

TEST(OdrawDrawing, DrawingGroupGivesBlipsClustersAndDefaults) {
    Buf fbse;
    fbse.push_back(6);  // PNG
    fbse.push_back(4);
    for (int i = 0; i < 16; ++i) fbse.push_back(static_cast<std::uint8_t>(i));
    add16(fbse, 0xFF);
    add32(fbse, 16658);
    add32(fbse, 4);
    add32(fbse, 0x1234);
    fbse.insert(fbse.end(), {0, 6, 0, 0});  // unused, cbName 6, unused
    const Buf name = utf16z(u"ab");
    fbse.insert(fbse.end(), name.begin(), name.end());
    // The store says 4095 entries; one is there.
    const Buf store = container(rt::BStoreContainer, {record(2, 6, rt::FBSE, fbse)}, 0xFFF);
    const Buf defaults = opt({{pid::FillColor, 0x000000FF}, {pid::LineColor, 0x0000FF00}});
    const Buf picture = spContainer(75, 1025, kHaveSpt, {opt({{pid::Pib, 1}, {pid::FillColor, 0x00FF0000}})});
    auto r = readWordDrawings(content({word(0, dgContainer({picture}))}, dggContainer({store, defaults})));
    ASSERT_TRUE(r.ok()) << r.error().message;
    const DrawingGroup& g = r->group;
    EXPECT_EQ(g.spidMax, 2050u);
    ASSERT_EQ(g.clusters.size(), 1u);
    EXPECT_EQ(g.clusters[0].spidCount, 3u);
    ASSERT_EQ(g.blips.size(), 1u);
    EXPECT_EQ(g.blips[0].btWin32, 6);
    EXPECT_EQ(g.blips[0].btMacOS, 4);
    EXPECT_EQ(g.blips[0].uid[15], 15);
    EXPECT_EQ(g.blips[0].size, 16658u);
    EXPECT_EQ(g.blips[0].cRef, 4u);
    EXPECT_EQ(g.blips[0].foDelay, 0x1234u);
    EXPECT_EQ(g.blips[0].name, "ab");
    EXPECT_FALSE(g.blips[0].embedded);

    const Shape& s = *r->mainDrawing()->findShape(1025);
    EXPECT_TRUE(s.hasBlip());
    EXPECT_EQ(r->blipOf(s), &g.blips[0]);
    EXPECT_EQ(s.fill().color.rgb(), 0x0000FFu);   // the shape's own value wins
    EXPECT_EQ(s.line().color.rgb(), 0x00FF00u);   // the group's default applies
    EXPECT_EQ(s.properties.find(pid::LineColor)->source, PropertySource::Group);
    Shape noBlip = s;
    noBlip.properties.merge({{pid::Pib, false, false, 2, {}, PropertySource::Primary}});
    EXPECT_EQ(r->blipOf(noBlip), nullptr);  // pib past the store
}

TEST(OdrawDrawing, EmptyBytesAreNoDrawingsAndDrawingsFollowInOrder) {
    auto none = readWordDrawings({});
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->drawings.empty());
    EXPECT_EQ(none->mainDrawing(), nullptr);

    auto two = readWordDrawings(content({word(0, dgContainer({})), word(1, dgContainer({spContainer(1, 2049, 0)}))}));
    ASSERT_TRUE(two.ok()) << two.error().message;
    ASSERT_EQ(two->drawings.size(), 2u);
    EXPECT_EQ(two->drawings[0].dgglbl, 0);
    EXPECT_EQ(two->drawings[1].dgglbl, 1);
    EXPECT_EQ(two->mainDrawing()->findShape(2049), nullptr);
    EXPECT_NE(two->headerDrawing()->findShape(2049), nullptr);
}

bool failsWith(const Result<DrawingContent>& r, const char* part) {
    return !r.ok() && r.error().message.find(part) != std::string::npos;
}

TEST(OdrawDrawing, DamagedContentIsRefusedWithASentence) {
    // A record inside a shape container claiming more than the container holds.
    Buf sp = spContainer(1, 1025, 0, {record(0, 0, rt::ClientData, Buf(4, 0))});
    sp[sp.size() - 8] = 200;
    EXPECT_TRUE(failsWith(readWordDrawings(content({word(0, dgContainer({sp}))})), "超出"));
    // The drawing container itself claims more than the bytes hold.
    Buf dg = dgContainer({});
    dg[4] = static_cast<std::uint8_t>(dg[4] + 1);
    EXPECT_TRUE(failsWith(readWordDrawings(content({word(0, dg)})), "超出"));
    // A drawing kind other than main document or header.
    EXPECT_TRUE(failsWith(readWordDrawings(content({word(2, dgContainer({}))})), "类别"));
    // Not a drawing group at the start; not the container asked for.
    EXPECT_FALSE(readWordDrawings(dgContainer({})).ok());
    EXPECT_FALSE(readShapeContainer(dgContainer({})).ok());
    EXPECT_FALSE(readDrawingContainer(Buf{0x0F, 0x00, 0x02}).ok());
    // A shape container without an FSP, an FSP too short, an anchor too short.
    EXPECT_FALSE(readWordDrawings(content({word(0, dgContainer({container(rt::SpContainer, {})}))})).ok());
    EXPECT_FALSE(readWordDrawings(content({word(0, dgContainer({container(rt::SpContainer, {record(2, 1, rt::FSP, Buf(6, 0))})}))})).ok());
    EXPECT_FALSE(readWordDrawings(content({word(0, dgContainer({spContainer(1, 1025, 0, {record(0, 0, rt::ChildAnchor, Buf(15, 0))})}))})).ok());
    // A blip store entry whose name runs past it.
    Buf fbse(36, 0);
    fbse[33] = 10;
    EXPECT_FALSE(readWordDrawings(dggContainer({container(rt::BStoreContainer, {record(2, 5, rt::FBSE, fbse)})})).ok());
    // More id clusters announced than the FDGGBlock holds.
    Buf dgg = dggContainer();
    dgg[8 + 8 + 4] = 0xFF;  // cidcl 0x...FF
    EXPECT_FALSE(readWordDrawings(dgg).ok());
}

TEST(OdrawDrawing, ComplexDataPastItsRecordDropsOnlyThoseProperties) {
    const Buf sp = spContainer(136, 1025, 0, {opt({{pid::FillColor, 0x0000FFFF}, {pid::GtextUnicode, 500, {}, true}})});
    auto r = readWordDrawings(content({word(0, dgContainer({sp}))}));
    ASSERT_TRUE(r.ok()) << r.error().message;
    const Shape& s = *r->mainDrawing()->findShape(1025);
    EXPECT_EQ(s.droppedProperties, 1u);
    EXPECT_FALSE(s.geometryText().has_value());
    EXPECT_EQ(s.fill().color.rgb(), 0xFFFF00u);
}

Buf nestedGroups(int levels) {
    Buf inner = container(rt::SpgrContainer, {spContainer(0, 5000, kGroup, {fspgr()})});
    for (int i = 1; i < levels; ++i)
        inner = container(rt::SpgrContainer, {spContainer(0, static_cast<std::uint32_t>(5000 + i), kGroup, {fspgr()}), inner});
    return inner;
}

TEST(OdrawDrawing, GroupsNestedPastTheCapAreRefused) {
    // The drawing is level 1 and the patriarch group level 2, so 30 further groups reach level 32.
    auto fits = readWordDrawings(content({word(0, dgContainer({nestedGroups(30)}))}));
    ASSERT_TRUE(fits.ok()) << fits.error().message;
    EXPECT_EQ(fits->mainDrawing()->shapes.back().depth, 30);
    auto deep = readWordDrawings(content({word(0, dgContainer({nestedGroups(31)}))}));
    ASSERT_FALSE(deep.ok());
    EXPECT_NE(deep.error().message.find("嵌套"), std::string::npos);
    auto veryDeep = readWordDrawings(content({word(0, dgContainer({nestedGroups(2000)}))}));
    EXPECT_FALSE(veryDeep.ok());
}

TEST(OdrawDrawing, BlipStoresAndShapeListsOverTheCapsAreRefused) {
    Buf many;
    for (int i = 0; i < 2000; ++i) {
        const Buf e = record(2, 5, rt::FBSE, Buf(36, 0));
        many.insert(many.end(), e.begin(), e.end());
    }
    const Buf store = record(0x0F, 0, rt::BStoreContainer, many);
    auto capped = readWordDrawings(dggContainer({store}), Limits{.maxDepth = 32, .maxRecords = 1000, .maxShapes = 100});
    ASSERT_FALSE(capped.ok());
    EXPECT_EQ(capped.error().kind, ErrorKind::TooLarge);
    auto read = readWordDrawings(dggContainer({store}));
    ASSERT_TRUE(read.ok()) << read.error().message;
    EXPECT_EQ(read->group.blips.size(), 2000u);

    const Buf shapes = dgContainer({spContainer(1, 1025, 0), spContainer(1, 1026, 0), spContainer(1, 1027, 0)});
    auto tooMany = readWordDrawings(content({word(0, shapes)}), Limits{.maxDepth = 32, .maxRecords = 1000, .maxShapes = 3});
    ASSERT_FALSE(tooMany.ok());  // the patriarch counts too
    EXPECT_EQ(tooMany.error().kind, ErrorKind::TooLarge);
}

}  // namespace
}  // namespace tarnwick::odraw
