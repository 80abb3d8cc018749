// Document.Shapes: the floating shapes anchored in the main text (not those of headers and
// footers, not pictures in line with the text), in the order of their anchors, each joined to its
// drawing (OfficeArt) by its shape id; and InlineShapes, counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/doc/shapes.h"
#include "formats/odraw/drawing.h"
#include "model/common/variant.h"

namespace tarnwick::word {

using model::Variant;

// What the drawing layer of a document holds, read once when the document is opened.
struct DrawingLayer {
    std::shared_ptr<const odraw::DrawingContent> content;  // null when unreadable or absent
    std::string failure;                                   // why the drawings could not be read
};

class WrapFormat {
public:
    explicit WrapFormat(const doc::Fspa* spa) : spa_(spa) {}
    // WdWrapType: 0 square, 1 tight, 2 through, 3 in front of text, 4 top and bottom, 5 behind.
    Variant Type() const;
private:
    const doc::Fspa* spa_;
};

// Reads of a Shape's parts; they are valid while the Shape they came from is.
class TextEffect {
public:
    TextEffect(const odraw::Shape* shape, bool libreOffice) : shape_(shape), libreOffice_(libreOffice) {}
    Variant Text() const;               // the WordArt's text; a failed read for other shapes
    Variant PresetTextEffect() const;   // gallery style 0..29, -2 when it matches none
private:
    const odraw::Shape* shape_;
    bool libreOffice_;
};

class Shape {
public:
    // `owner` keeps what the two pointers point into alive (the document the shape belongs to).
    Shape(std::shared_ptr<const void> owner, const doc::ShapeAnchor* anchor, const odraw::Shape* shape,
          bool libreOffice = false)
        : owner_(std::move(owner)), anchor_(anchor), shape_(shape), libreOffice_(libreOffice) {}
    // MsoShapeType: 13 picture, 15 WordArt, 17 text box, 6 group, 9 line, 1 other.
    Variant Type() const;
    // Points from the anchor's reference, or Word's constant for an aligned shape
    // (-999998 left, -999995 centre, -999996 right, -999994 inside, -999993 outside).
    Variant Left() const;
    word::WrapFormat WrapFormat() const { return word::WrapFormat(&anchor_->spa); }
    word::TextEffect TextEffect() const { return word::TextEffect(shape_, libreOffice_); }

    const doc::ShapeAnchor& anchor() const { return *anchor_; }
    const odraw::Shape& drawing() const { return *shape_; }

private:
    std::shared_ptr<const void> owner_;
    const doc::ShapeAnchor* anchor_;
    const odraw::Shape* shape_;
    bool libreOffice_;
};

class Shapes {
public:
    Shapes(std::vector<Shape> shapes, std::string failure) : shapes_(std::move(shapes)), failure_(std::move(failure)) {}
    std::int32_t Count() const { return static_cast<std::int32_t>(shapes_.size()); }
    const Shape& operator()(std::int32_t index) const { return shapes_.at(static_cast<std::size_t>(index - 1)); }
    auto begin() const { return shapes_.begin(); }
    auto end() const { return shapes_.end(); }
    // Why the drawings could not be read (then there are no shapes); empty when they could.
    const std::string& failure() const { return failure_; }
private:
    std::vector<Shape> shapes_;
    std::string failure_;
};

// Reads the drawings of the document's DggInfo; an absent one is no drawings at all.
DrawingLayer readDrawingLayer(Bytes dggInfo);

// The floating shapes of the main text: each main-text anchor whose shape id the main drawing
// has. An anchor whose shape is missing is left out. `owner` keeps the anchors and the layer alive
// for as long as any shape is kept.
Shapes mainTextShapes(std::shared_ptr<const void> owner, const std::vector<doc::ShapeAnchor>& anchors,
                      const DrawingLayer& layer, bool libreOffice = false);

}  // namespace tarnwick::word
