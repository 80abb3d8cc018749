// The drawing reader over the drawings of real Word files (Word 2002/2003 and LibreOffice), and
// over every truncation of one of them.
#include <gtest/gtest.h>

#include "formats/odraw/drawing.h"
#include "formats/odraw/odraw_fixtures.h"
#include "support/test_support.h"

namespace tarnwick::odraw {
namespace {

using namespace tarnwick::test;

DrawingContent read(const Buf& dggInfo) {
    auto r = readWordDrawings(dggInfo);
    if (!r) throw std::runtime_error(r.error().message);
    return std::move(*r);
}

TEST(OdrawCorpus, FloatingPicturesHoldsFourPictureFramesOverTheBlipStore) {
    const DrawingContent c = read(dggInfoOf(corpusPath("doc/FloatingPictures.doc")));
    ASSERT_EQ(c.group.blips.size(), 2u);
    EXPECT_EQ(c.group.blips[0].btWin32, 5);  // JPEG
    EXPECT_EQ(c.group.blips[0].cRef, 0u);
    EXPECT_EQ(c.group.blips[1].btWin32, 6);  // PNG
    EXPECT_EQ(c.group.blips[1].size, 16658u);
    EXPECT_EQ(c.group.blips[1].cRef, 4u);
    ASSERT_EQ(c.drawings.size(), 1u);
    const Drawing& d = *c.mainDrawing();
    ASSERT_EQ(d.shapes.size(), 5u);
    EXPECT_TRUE(d.shapes[0].isPatriarch());
    for (std::uint32_t spid = 1028; spid <= 1031; ++spid) {
        const Shape* s = d.findShape(spid);
        ASSERT_NE(s, nullptr) << spid;
        EXPECT_EQ(s->shapeType, spt::PictureFrame);
        EXPECT_TRUE(s->hasAnchor() && s->hasShapeType());
        EXPECT_FALSE(s->isChild() || s->isGroup());
        EXPECT_EQ(s->depth, 1);
        EXPECT_EQ(s->pib(), 2u);
        EXPECT_EQ(c.blipOf(*s), &c.group.blips[1]);
        EXPECT_FALSE(s->line().on);
        ASSERT_TRUE(s->clientAnchor.has_value());
        EXPECT_EQ(s->clientAnchor->size(), 4u);
    }
    // Word's client anchors are indexes into its anchor table, not in shape order here.
    std::vector<std::uint8_t> anchors;
    for (std::uint32_t spid = 1028; spid <= 1031; ++spid) anchors.push_back(d.findShape(spid)->clientAnchor->at(0));
    EXPECT_EQ(anchors, (std::vector<std::uint8_t>{1, 0, 2, 3}));
    EXPECT_EQ(d.findShape(1028)->rotation(), 1214504);
    EXPECT_EQ(d.findShape(1029)->rotation(), -1593738);
    EXPECT_EQ(d.findShape(1028)->behindDocument(), true);
    EXPECT_EQ(d.findShape(1031)->behindDocument(), false);
    ASSERT_TRUE(d.background.has_value());
    EXPECT_EQ(d.background->spid, 1025u);
    EXPECT_FALSE(d.background->fill().filled);
}

TEST(OdrawCorpus, HeaderShapesAreInTheSecondDrawing) {
    const DrawingContent c = read(dggInfoOf(corpusPath("doc/64132.doc")));
    ASSERT_EQ(c.drawings.size(), 2u);
    EXPECT_EQ(c.mainDrawing()->shapes.size(), 1u);  // only the patriarch
    const Drawing& h = *c.headerDrawing();
    EXPECT_EQ(h.dgglbl, 1);
    EXPECT_EQ(h.drawingId, 1);
    ASSERT_EQ(h.shapes.size(), 5u);
    EXPECT_EQ(h.shapes[0].spid, 2048u);
    const Shape& logo = *h.findShape(2049);
    EXPECT_EQ(logo.pib(), 1u);
    EXPECT_EQ(c.blipOf(logo)->size, 18724u);
    const Shape& frame = *h.findShape(2050);
    EXPECT_EQ(frame.line().color.rgb(), 0x17365Du);
    EXPECT_EQ(frame.line().width, 31750u);
    EXPECT_EQ(frame.posrelh(), 1u);  // from the tertiary table
    const Shape& box = *h.findShape(2051);
    EXPECT_TRUE(box.clientTextbox.has_value());
    const Shape& picture = *h.findShape(2052);
    EXPECT_EQ(picture.name(), "Imagem 269");
    // 0x03BF is in both the primary and the tertiary table, each with its own bits.
    EXPECT_EQ(picture.groupShapeBooleans(), 0x82228200u);
    EXPECT_EQ(c.mainDrawing()->findShape(2049), nullptr);
}

TEST(OdrawCorpus, NestedGroupOfTestPictures) {
    const DrawingContent c = read(dggInfoOf(corpusPath("doc/testPictures.doc")));
    const Drawing& d = *c.mainDrawing();
    ASSERT_EQ(d.shapes.size(), 5u);
    const Shape& group = *d.findShape(1027);
    EXPECT_TRUE(group.isGroup());
    EXPECT_EQ(group.depth, 1);
    EXPECT_EQ(group.posh(), 0u);
    EXPECT_EQ(group.posrelh(), 3u);
    const int groupIndex = d.shapes[1].spid == 1027 ? 1 : -1;
    ASSERT_EQ(groupIndex, 1);
    std::vector<std::uint32_t> members;
    for (std::size_t i : d.childrenOf(groupIndex)) members.push_back(d.shapes[i].spid);
    EXPECT_EQ(members, (std::vector<std::uint32_t>{1026, 1028, 1029}));
    EXPECT_EQ(d.findShape(1028)->shapeType, spt::Line);
    EXPECT_TRUE(d.findShape(1029)->flipH());
    EXPECT_FALSE(d.findShape(1028)->flipH());
    EXPECT_TRUE(d.findShape(1026)->isChild());
    EXPECT_TRUE(d.findShape(1026)->childAnchor.has_value());
    EXPECT_EQ(d.findShape(1026)->depth, 2);
}

TEST(OdrawCorpus, DocumentWithoutDrawingsHasNoDggInfo) {
    const Buf none = dggInfoOf(corpusPath("doc/two_images.doc"));
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(read(none).drawings.empty());
}

TEST(OdrawCorpus, LibreOfficePicturesKeepTheirAlignment) {
    const DrawingContent c = read(dggInfoOf(dataPath("odraw/lo_pictures.doc")));
    const Drawing& d = *c.mainDrawing();
    std::vector<std::uint32_t> posh;
    for (const Shape& s : d.shapes)
        if (s.shapeType == spt::PictureFrame) posh.push_back(s.posh().value_or(99));
    // The nine floating pictures in shape order (the inline one has no shape here).
    EXPECT_EQ(posh, (std::vector<std::uint32_t>{3, 2, 3, 2, 1, 0, 2, 2, 3}));
}

TEST(OdrawCorpus, EveryTruncationEndsCleanly) {
    for (const char* doc : {"doc/FloatingPictures.doc", "doc/64132.doc"}) {
        const Buf whole = dggInfoOf(corpusPath(doc));
        const std::size_t drawings = read(whole).drawings.size();
        std::size_t complete = 0;
        for (std::size_t n = 0; n < whole.size(); ++n) {
            auto r = readWordDrawings(Bytes(whole).first(n));
            if (r.ok()) {
                // Only a cut between two drawings reads: fewer drawings, none half read.
                EXPECT_LT(r->drawings.size(), drawings) << doc << " cut at " << n;
                ++complete;
            } else {
                EXPECT_FALSE(r.error().message.empty());
            }
        }
        EXPECT_EQ(complete, drawings + 1) << doc;  // empty, and after each drawing but the last
    }
}

}  // namespace
}  // namespace tarnwick::odraw
