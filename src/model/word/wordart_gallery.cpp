#include "model/word/wordart_gallery.h"

#include "model/word/shape_kind.h"

namespace tarnwick::word {
namespace {

constexpr std::uint16_t kPlainText = odraw::spt::TextPlainText, kArchUpCurve = 144, kArchDownCurve = 145, kDeflate = 161,
                        kDeflateBottom = 163, kCascadeUp = 154, kSlantUp = 172;
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

std::array<GalleryStyle, 30> makeGallery() {
    using E = Evidence;
    using F = FillKind;
    // Fields: index, look, evidence, reported, shapeType, fillKind, fillColor, fillBackColor,
    // colorsEitherOrder, fillOpacity, lineOn, lineColor, shadowOn, shadowColor, threeD, vertical.
    // Column 6 (5, 11, 17, 23, 29) holds the vertical styles.
    std::array<GalleryStyle, 30> s{};
    // Row 1.
    s[0] = {0, "white fill, black outline, plain text", E::Strong, true, kPlainText, F::Solid, kWhite, {}, false, {},
            true, kBlack, false, {}, false, false};
    s[1] = {1, "black, slant up", E::Medium, true, kSlantUp, F::Solid, kBlack, {}, false, {}, {}, {}, false, {}, false, false};
    s[2] = {2, "black, arch up", E::Medium, true, kArchUpCurve, F::Solid, kBlack, {}, false, {}, {}, {}, {}, {}, {}, false};
    s[3] = {3, "black, deflate", E::Medium, true, kDeflate, F::Solid, kBlack, {}, false, {}, {}, {}, {}, {}, {}, false};
    s[4] = {4, "black serif, arch down", E::Weak, true, kArchDownCurve, F::Solid, kBlack, {}, false, {}, {}, {}, {}, {}, {}, false};
    s[5] = {5, "vertical black", E::Medium, true, {}, F::Solid, kBlack, {}, false, {}, {}, {}, {}, {}, {}, true};
    // Row 2.
    s[6] = {6, "white italic with black outline and grey shadow", E::Medium, true, kPlainText, F::Solid, kWhite, {}, false, {},
            true, kBlack, true, {}, false, false};
    s[7] = {7, "blue #336699 serif, grey shadow", E::Medium, true, {}, F::Solid, 0x336699, {}, false, {}, false, {},
            true, {}, false, false};
    s[8] = {8, "half-transparent grey, blue outline, lilac shadow", E::Strong, true, kPlainText, F::Solid, 0xB2B2B2, {},
            false, 0x8000, true, 0x3333CC, true, 0x9999FF, false, false};
    s[9] = {9, "white to grey gradient", E::Medium, true, {}, F::Gradient, 0xFFFFFF, 0xAAAAAA, false, {}, {}, {}, true,
            {}, false, false};
    s[10] = {10, "blue Impact, light blue outline, dark red shadow", E::Medium, true, {}, F::Solid, 0x0066CC, {}, false,
             {}, true, 0x99CCFF, true, 0x990000, false, false};
    s[11] = {11, "vertical dark red, grey shadow", E::Weak, false, {}, F::Solid, {}, {}, false, {}, {}, {}, true, {}, {},
             true};
    // Row 3.
    s[12] = {12, "yellow to orange gradient from a corner, grey shadow", E::Strong, true, {}, F::Gradient, 0xFFFF00,
             0xFF9933, true, {}, false, {}, true, {}, false, false};
    s[13] = {13, "purple gradient, slant up", E::Strong, true, kSlantUp, F::Gradient, 0x6600CC, 0xCC00CC, false, {},
             true, 0xCC99FF, true, 0x9999FF, false, false};
    s[14] = {14, "green marble texture", E::Weak, false, {}, F::Texture, {}, {}, false, {}, {}, {}, {}, {}, false, false};
    s[15] = {15, "rainbow gradient, perspective shadow", E::Weak, false, {}, F::PresetGradient, {}, {}, false, {}, {},
             {}, true, {}, false, false};
    s[16] = {16, "blue to teal gradient on an arch", E::Medium, true, {}, F::Gradient, 0x9999FF, 0x009999, false, {}, {},
             {}, true, {}, false, false};
    s[17] = {17, "vertical grey texture", E::Weak, false, {}, F::Texture, {}, {}, false, {}, {}, {}, {}, {}, {}, true};
    // Row 4.
    s[18] = {18, "paper bag texture, dark shadow", E::Weak, false, {}, F::Texture, {}, {}, false, {}, {}, {}, true, {},
             false, false};
    s[19] = {19, "cream to pink gradient, dark blue 3-D", E::Medium, true, {}, F::Gradient, 0xFFFFCC, 0xFF9999, false,
             {}, {}, {}, {}, {}, true, false};
    s[20] = {20, "maroon to gold gradient, grey outline, perspective shadow", E::Strong, true, {}, F::Gradient,
             0x520402, 0xFFCC00, false, {}, true, {}, true, {}, false, false};
    s[21] = {21, "light blue on a wave", E::Weak, false, {}, F::Solid, {}, {}, false, {}, {}, {}, {}, {}, {}, false};
    s[22] = {22, "yellow and grey dashed pattern, rising", E::Medium, true, {}, F::Pattern, 0x808080, 0xFFFF00, true, {},
             {}, {}, {}, {}, false, false};
    s[23] = {23, "vertical bright green", E::Weak, false, {}, F::Solid, {}, {}, false, {}, {}, {}, {}, {}, {}, true};
    // Row 5.
    s[24] = {24, "chrome preset gradient", E::Weak, false, {}, F::PresetGradient, {}, {}, false, {}, {}, {}, {}, {}, {},
             false};
    s[25] = {25, "green marble texture in 3-D", E::Weak, false, {}, F::Texture, {}, {}, false, {}, {}, {}, {}, {}, true,
             false};
    s[26] = {26, "silver gradient in 3-D, deflate bottom", E::Medium, true, kDeflateBottom, F::Gradient, 0xFFFFFF,
             0x707070, false, {}, {}, {}, false, {}, true, false};
    s[27] = {27, "yellow to orange gradient in 3-D, cascade up", E::Strong, true, kCascadeUp, F::Gradient, 0xFFE701,
             0xFE3E02, false, {}, {}, {}, false, {}, true, false};
    s[28] = {28, "horizon preset gradient", E::Weak, false, {}, F::PresetGradient, {}, {}, false, {}, {}, {}, {}, {}, {},
             false};
    s[29] = {29, "vertical dark red in 3-D", E::Weak, false, {}, F::Solid, {}, {}, false, {}, {}, {}, {}, {}, true, true};
    return s;
}

bool sameRgb(const odraw::Color& c, std::uint32_t rgb) { return c.isRgb() && c.rgb() == rgb; }

bool fillKindHolds(FillKind kind, const odraw::FillStyle& f) {
    switch (kind) {
    case FillKind::Any: return true;
    case FillKind::Solid: return f.type == odraw::fill::Solid;
    case FillKind::Gradient: return f.isGradient() && !f.hasShadeColors;
    case FillKind::PresetGradient: return f.isGradient() && f.hasShadeColors;
    case FillKind::Texture: return f.type == odraw::fill::Texture;
    case FillKind::Pattern: return f.type == odraw::fill::Pattern;
    }
    return false;
}

bool fillHolds(const GalleryStyle& style, const odraw::FillStyle& f) {
    const bool comparesFill = style.fillKind != FillKind::Any || style.fillColor || style.fillBackColor || style.fillOpacity;
    if (!comparesFill) return true;
    if (!f.filled || !fillKindHolds(style.fillKind, f)) return false;
    if (style.fillOpacity && f.opacity != *style.fillOpacity) return false;
    auto colorsHold = [&](std::optional<std::uint32_t> first, std::optional<std::uint32_t> second) {
        return (!first || sameRgb(f.color, *first)) && (!second || sameRgb(f.backColor, *second));
    };
    if (colorsHold(style.fillColor, style.fillBackColor)) return true;
    return style.colorsEitherOrder && colorsHold(style.fillBackColor, style.fillColor);
}

}  // namespace

const std::array<GalleryStyle, 30>& wordArtGallery() {
    static const std::array<GalleryStyle, 30> gallery = makeGallery();
    return gallery;
}

bool hasStyleProperties(const GalleryStyle& style, const odraw::Shape& shape) {
    if (style.shapeType && shape.shapeType != *style.shapeType) return false;
    if (!fillHolds(style, shape.fill())) return false;
    const odraw::LineStyle line = shape.line();
    if (style.lineOn && line.on != *style.lineOn) return false;
    if (style.lineColor && !(line.on && sameRgb(line.color, *style.lineColor))) return false;
    const odraw::ShadowStyle shadow = shape.shadow();
    if (style.shadowOn && shadow.on != *style.shadowOn) return false;
    if (style.shadowColor && !(shadow.on && sameRgb(shadow.color, *style.shadowColor))) return false;
    if (style.threeD && shape.threeD().on != *style.threeD) return false;
    if (style.vertical && shape.isVerticalText() != *style.vertical) return false;
    return true;
}

int presetTextEffect(const odraw::Shape& shape) {
    if (!isTextEffect(shape)) return kTextEffectMixed;
    for (const GalleryStyle& style : wordArtGallery())
        if (style.reported && hasStyleProperties(style, shape)) return style.index;
    return kTextEffectMixed;
}

}  // namespace tarnwick::word
