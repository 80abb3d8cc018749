#include "model/word/shape_kind.h"

namespace tarnwick::word {

bool isTextEffect(const odraw::Shape& shape) {
    return !shape.isGroup() && shape.shapeType >= odraw::spt::TextPlainText && shape.shapeType <= odraw::spt::TextCanDown &&
           shape.hasGeometryText();
}

int msoShapeType(const odraw::Shape& shape) {
    if (shape.isGroup()) return kMsoGroup;
    if (isTextEffect(shape)) return kMsoTextEffect;
    if (shape.shapeType == odraw::spt::PictureFrame || shape.hasBlip()) return kMsoPicture;
    if (shape.shapeType == odraw::spt::TextBox) return kMsoTextBox;
    if (shape.shapeType == odraw::spt::Line) return kMsoLine;
    return kMsoAutoShape;
}

std::optional<std::int32_t> leftPositionConstant(std::uint32_t posh) {
    switch (posh) {
    case 1: return -999998;  // wdShapeLeft
    case 2: return -999995;  // wdShapeCenter
    case 3: return -999996;  // wdShapeRight
    case 4: return -999994;  // wdShapeInside
    case 5: return -999993;  // wdShapeOutside
    default: return std::nullopt;
    }
}

std::optional<std::int32_t> topPositionConstant(std::uint32_t posv) {
    switch (posv) {
    case 1: return -999999;  // wdShapeTop
    case 2: return -999995;  // wdShapeCenter
    case 3: return -999997;  // wdShapeBottom
    case 4: return -999994;  // wdShapeInside
    case 5: return -999993;  // wdShapeOutside
    default: return std::nullopt;
    }
}

}  // namespace tarnwick::word
