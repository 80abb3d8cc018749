// The 30 styles of Word 97-2003's WordArt Gallery (5 rows x 6 columns, numbered 0..29 left to
// right, top to bottom) and the reading of TextEffect.PresetTextEffect from a saved shape.
//
// A .doc stores no style number: a WordArt is an ordinary shape with its own fill, line, shadow
// and 3-D properties. The style is read back by comparing those properties with what each gallery
// style sets. Each row below lists only what the evidence shows as stored values (the sources are
// in docs/reading-model/word-shapes.md); a row whose evidence gives no exact stored value is kept
// for reference but never reported.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "formats/odraw/drawing.h"

namespace tarnwick::word {

inline constexpr int kTextEffectMixed = -2;  // msoTextEffectMixed: no single gallery style

enum class Evidence : std::uint8_t {
    Strong,  // Office-written files or Word's own dialogs give the values
    Medium,  // one source, or a rendering of the style matched by look
    Weak,    // a thumbnail only: nothing exact
};

enum class FillKind : std::uint8_t {
    Any,             // not compared
    Solid,           // fillType 0
    Gradient,        // fillType 4..8 with two colours (no colour array)
    PresetGradient,  // fillType 4..8 with a colour array (0x0197)
    Texture,         // fillType 2
    Pattern,         // fillType 1
};

// One gallery style. Every field that is set must hold on the shape; colours are #RRGGBB.
struct GalleryStyle {
    int index = 0;
    const char* look = "";  // what the style looks like, for messages and documentation
    Evidence evidence = Evidence::Weak;
    bool reported = false;  // false: the evidence holds nothing exact enough to match on
    std::optional<std::uint16_t> shapeType;  // msospt
    FillKind fillKind = FillKind::Any;
    std::optional<std::uint32_t> fillColor;
    std::optional<std::uint32_t> fillBackColor;
    bool colorsEitherOrder = false;  // the two fill colours may be stored the other way round
    std::optional<std::uint32_t> fillOpacity;  // 16.16
    std::optional<bool> lineOn;
    std::optional<std::uint32_t> lineColor;
    std::optional<bool> shadowOn;
    std::optional<std::uint32_t> shadowColor;
    std::optional<bool> threeD;
    std::optional<bool> vertical;
};

// The 30 styles, index i at position i.
const std::array<GalleryStyle, 30>& wordArtGallery();

// Whether the shape has every identifying property of the style (the "reported" flag aside).
bool hasStyleProperties(const GalleryStyle& style, const odraw::Shape& shape);

// TextEffect.PresetTextEffect: the index of the reported style whose identifying properties the
// shape has, else -2. A shape that is not a text effect (WordArt) also reads -2.
int presetTextEffect(const odraw::Shape& shape);

}  // namespace tarnwick::word
