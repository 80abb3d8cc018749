// How Word's object model names a drawing shape: Shape.Type and the position constants that
// Shape.Left / Shape.Top report for an aligned shape.
#pragma once

#include <cstdint>
#include <optional>

#include "formats/odraw/drawing.h"

namespace tarnwick::word {

// MsoShapeType values Word reports for the shapes of a .doc.
inline constexpr int kMsoAutoShape = 1;
inline constexpr int kMsoGroup = 6;
inline constexpr int kMsoLine = 9;
inline constexpr int kMsoPicture = 13;
inline constexpr int kMsoTextEffect = 15;
inline constexpr int kMsoTextBox = 17;

// A text-effect (WordArt) shape: msospt 136..175 carrying geometry text, and not a group.
bool isTextEffect(const odraw::Shape& shape);

// Shape.Type: a group is 6; WordArt 15; a picture frame (msospt 75) or any shape showing a blip
// 13; a text box (msospt 202) 17; a line (msospt 20) 9; every other shape 1.
int msoShapeType(const odraw::Shape& shape);

// Shape.Left for an aligned shape (posh 1..5: left, centre, right, inside, outside) as Word's
// WdShapePosition constants; empty for posh 0 (absolute) or anything else: then the anchor's
// horizontal position applies.
std::optional<std::int32_t> leftPositionConstant(std::uint32_t posh);

// Shape.Top likewise from posv (1..5: top, centre, bottom, inside, outside).
std::optional<std::int32_t> topPositionConstant(std::uint32_t posv);

}  // namespace tarnwick::word
