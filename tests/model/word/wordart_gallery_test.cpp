// TextEffect.PresetTextEffect read from saved WordArt: Office-written gallery WordArt, the
// LibreOffice Fontwork gallery, and synthetic shapes with the properties of styles 12 and 20.
#include <gtest/gtest.h>

#include <map>

#include "formats/odraw/odraw_fixtures.h"
#include "model/word/shape_kind.h"
#include "model/word/wordart_gallery.h"
#include "support/test_support.h"

namespace tarnwick::word {
namespace {

using namespace tarnwick::test;
namespace od = tarnwick::odraw;

od::Property prop(std::uint16_t id, std::uint32_t value) { return {id, false, false, value, {}, od::PropertySource::Primary}; }

std::uint32_t stored(std::uint32_t rrggbb) { return od::Color::fromRgb(rrggbb).raw; }

// A WordArt carrying exactly the identifying properties of a gallery style.
od::Shape shapeOf(const GalleryStyle& st) {
    od::Shape s;
    s.hasFsp = true;
    s.shapeType = st.shapeType.value_or(od::spt::TextPlainText);
    std::vector<od::Property> p{{od::pid::GtextUnicode, false, true, 4, {'A', 0, 0, 0}, od::PropertySource::Primary}};
    switch (st.fillKind) {
    case FillKind::Gradient: p.push_back(prop(od::pid::FillType, od::fill::ShadeScale)); break;
    case FillKind::PresetGradient:
        p.push_back(prop(od::pid::FillType, od::fill::ShadeScale));
        p.push_back({od::pid::FillShadeColors, false, true, 6, Buf(6, 0), od::PropertySource::Primary});
        break;
    case FillKind::Texture: p.push_back(prop(od::pid::FillType, od::fill::Texture)); break;
    case FillKind::Pattern: p.push_back(prop(od::pid::FillType, od::fill::Pattern)); break;
    default: break;
    }
    if (st.fillColor) p.push_back(prop(od::pid::FillColor, stored(*st.fillColor)));
    if (st.fillBackColor) p.push_back(prop(od::pid::FillBackColor, stored(*st.fillBackColor)));
    if (st.fillOpacity) p.push_back(prop(od::pid::FillOpacity, *st.fillOpacity));
    if (st.lineColor) p.push_back(prop(od::pid::LineColor, stored(*st.lineColor)));
    if (st.lineOn) p.push_back(prop(od::pid::LineBooleans, *st.lineOn ? 0x00080008u : 0x00080000u));
    if (st.shadowColor) p.push_back(prop(od::pid::ShadowColor, stored(*st.shadowColor)));
    if (st.shadowOn) p.push_back(prop(od::pid::ShadowBooleans, *st.shadowOn ? 0x00030002u : 0x00030000u));
    if (st.threeD) p.push_back(prop(od::pid::ThreeDObjectBooleans, *st.threeD ? 0x00080008u : 0x00080000u));
    p.push_back(prop(od::pid::GtextBooleans, st.vertical.value_or(false) ? 0x60006000u : 0x40004000u));
    s.properties.merge(p);
    return s;
}

od::Shape with(od::Shape s, std::uint16_t id, std::uint32_t value) {
    s.properties.merge({prop(id, value)});
    return s;
}

TEST(WordArtGallery, EachReportedStyleReadsAsItselfAndOnlyItself) {
    const auto& gallery = wordArtGallery();
    for (int i = 0; i < 30; ++i) {
        const GalleryStyle& st = gallery[static_cast<std::size_t>(i)];
        EXPECT_EQ(st.index, i);
        const od::Shape s = shapeOf(st);
        int matching = 0;
        for (const GalleryStyle& other : gallery) matching += other.reported && hasStyleProperties(other, s);
        if (st.reported) {
            EXPECT_EQ(presetTextEffect(s), i);
            EXPECT_EQ(matching, 1) << "style " << i << " is not told apart from another";
        } else {
            EXPECT_NE(presetTextEffect(s), i);  // a style without exact evidence is never reported
            EXPECT_NE(st.evidence, Evidence::Strong);
        }
    }
    // Column 6 is the vertical column, and the two styles the exercises ask for rest on strong evidence.
    for (int i = 5; i < 30; i += 6) EXPECT_EQ(gallery[static_cast<std::size_t>(i)].vertical, true);
    EXPECT_EQ(gallery[12].evidence, Evidence::Strong);
    EXPECT_EQ(gallery[20].evidence, Evidence::Strong);
}

TEST(WordArtGallery, Style12NeedsItsGradientShadowAndNoOutline) {
    const od::Shape s12 = shapeOf(wordArtGallery()[12]);
    EXPECT_EQ(presetTextEffect(s12), 12);
    // The corner gradient's colours may be stored either way round.
    EXPECT_EQ(presetTextEffect(with(with(s12, od::pid::FillColor, stored(0xFF9933)), od::pid::FillBackColor, stored(0xFFFF00))), 12);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillType, od::fill::ShadeCenter)), 12);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillColor, stored(0xFFFF01))), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillBackColor, stored(0xFF9934))), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillType, od::fill::Solid)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillBooleans, 0x00100000)), kTextEffectMixed);  // no fill
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::ShadowBooleans, 0x00020000)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::LineBooleans, 0x00080008)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::ThreeDObjectBooleans, 0x00080008)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::GtextBooleans, 0x60006000)), kTextEffectMixed);  // vertical
    // The same colour bytes as a scheme index are not the colour.
    EXPECT_EQ(presetTextEffect(with(s12, od::pid::FillColor, stored(0xFFFF00) | 0x08000000)), kTextEffectMixed);
    // Not a text effect at all.
    od::Shape rect = s12;
    rect.shapeType = od::spt::Rectangle;
    EXPECT_EQ(presetTextEffect(rect), kTextEffectMixed);
}

TEST(WordArtGallery, Style20NeedsItsGradientInOrderOutlineAndShadow) {
    const od::Shape s20 = shapeOf(wordArtGallery()[20]);
    EXPECT_EQ(presetTextEffect(s20), 20);
    od::Shape slanted = with(s20, od::pid::ShadowType, 2);  // perspective shadow, any shape type
    slanted.shapeType = 172;
    EXPECT_EQ(presetTextEffect(slanted), 20);
    EXPECT_EQ(presetTextEffect(with(with(s20, od::pid::FillColor, stored(0xFFCC00)), od::pid::FillBackColor, stored(0x520402))),
              kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s20, od::pid::FillBackColor, stored(0xFFCC01))), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s20, od::pid::LineBooleans, 0x00080000)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s20, od::pid::ShadowBooleans, 0x00020000)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s20, od::pid::ThreeDObjectBooleans, 0x00080008)), kTextEffectMixed);
    EXPECT_EQ(presetTextEffect(with(s20, od::pid::FillShadeColors, 0)), 20);  // a simple 0x0197 is no colour array
    od::Shape preset = s20;
    preset.properties.merge({{od::pid::FillShadeColors, false, true, 6, Buf(6, 0), od::PropertySource::Primary}});
    EXPECT_EQ(presetTextEffect(preset), kTextEffectMixed);
}

std::map<std::uint32_t, int> presetsIn(const std::vector<od::Drawing>& drawings) {
    std::map<std::uint32_t, int> out;
    for (const od::Drawing& d : drawings)
        for (const od::Shape& s : d.shapes)
            if (isTextEffect(s)) out[s.spid] = presetTextEffect(s);
    return out;
}

TEST(WordArtGallery, OfficeWrittenGalleryWordArtReadsAsItsStyle) {
    // PowerPoint: Cascade Up yellow-orange 3-D (27) twice, grey half-transparent (8), defaults (0), black slant (1).
    const auto ppt = presetsIn(drawingsIn(streamOf(dataPath("odraw/57272_corrupted_usereditatom.ppt"), "PowerPoint Document")));
    EXPECT_EQ(ppt, (std::map<std::uint32_t, int>{
                       {2054, 27}, {2055, 8}, {4101, 0}, {7172, 0}, {8196, 0}, {9220, 0}, {10245, 27}, {10246, 1}}));
    // PowerPoint, user-styled (texture, 3-D): no style.
    const auto styled = presetsIn(drawingsIn(streamOf(dataPath("odraw/41246-2.ppt"), "PowerPoint Document")));
    EXPECT_EQ(styled, (std::map<std::uint32_t, int>{{11274, kTextEffectMixed}}));
    // Word 2003: an inline WordArt in the Data stream, silver 3-D deflate bottom (26).
    int found = 0;
    for (const od::Shape& s : shapesIn(streamOf(corpusPath("doc/testPictures.doc"), "Data"))) {
        if (!isTextEffect(s)) continue;
        ++found;
        EXPECT_EQ(s.geometryText(), "Caption");
        EXPECT_EQ(presetTextEffect(s), 26);
    }
    EXPECT_EQ(found, 1);
}

TEST(WordArtGallery, LibreOfficeFontworkMatchesNoStyle) {
    for (const char* doc : {"odraw/lo_fontwork_gallery.doc", "odraw/lo_fontwork_student.doc"}) {
        auto r = od::readWordDrawings(dggInfoOf(dataPath(doc)));
        ASSERT_TRUE(r.ok()) << r.error().message;
        const auto presets = presetsIn(r->drawings);
        EXPECT_EQ(presets.size(), std::string(doc).find("gallery") != std::string::npos ? 36u : 3u) << doc;
        for (const auto& [spid, preset] : presets) EXPECT_EQ(preset, kTextEffectMixed) << doc << " shape " << spid;
    }
}

}  // namespace
}  // namespace tarnwick::word
