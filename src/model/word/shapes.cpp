#include "model/word/shapes.h"

#include "model/word/document.h"
#include "model/word/names.h"
#include "model/word/shape_kind.h"
#include "model/word/wordart_gallery.h"

namespace tarnwick::word {

Variant WrapFormat::Type() const {
    // [MS-DOC] 2.9.253 Spa.wr: 0 around (as square), 1 top and bottom, 2 square, 3 none (in front
    // of the text, or behind it with fBelowText), 4 tight, 5 through.
    int type = 0;
    switch (spa_->wr) {
        case 0:
        case 2: type = 0; break;
        case 4: type = 1; break;
        case 5: type = 2; break;
        case 3: type = spa_->fBelowText ? 5 : 3; break;
        case 1: type = 4; break;
        default: return Variant::failed("图形的文字环绕方式无法识别。");
    }
    return Variant::number(type).withNames(&wrapTypeName);
}

Variant TextEffect::Text() const {
    if (!isTextEffect(*shape_)) return Variant::failed("这个图形不是艺术字，没有艺术字文字。");
    return Variant::text(shape_->geometryText().value_or(""));
}

Variant TextEffect::PresetTextEffect() const {
    if (!isTextEffect(*shape_)) return Variant::failed("这个图形不是艺术字，没有艺术字样式。");
    const Variant v = Variant::number(presetTextEffect(*shape_));
    return libreOffice_ && equals(v, kTextEffectMixed) ? v.withNote("LibreOffice 的艺术字不对应 Word 艺术字库中的样式") : v;
}

Variant Shape::Type() const { return Variant::number(msoShapeType(*shape_)).withNames(&shapeTypeName); }

Variant Shape::Left() const {
    if (const auto posh = shape_->posh())
        if (const auto constant = leftPositionConstant(*posh)) return Variant::number(*constant);
    return Variant::number(Single(anchor_->spa.xaLeft / 20.0));
}

DrawingLayer readDrawingLayer(Bytes dggInfo) {
    DrawingLayer layer;
    if (dggInfo.empty()) return layer;
    auto content = odraw::readWordDrawings(dggInfo);
    if (!content) {
        layer.failure = "文档中的图形数据无法读取（" + content.error().message + "）";
        return layer;
    }
    layer.content = std::make_shared<const odraw::DrawingContent>(std::move(*content));
    return layer;
}

Shapes mainTextShapes(std::shared_ptr<const void> owner, const std::vector<doc::ShapeAnchor>& anchors,
                      const DrawingLayer& layer, bool libreOffice) {
    std::vector<Shape> shapes;
    const odraw::Drawing* main = layer.content ? layer.content->mainDrawing() : nullptr;
    if (main)
        for (const doc::ShapeAnchor& a : anchors)
            if (a.spa.spid >= 0)
                if (const odraw::Shape* s = main->findShape(static_cast<std::uint32_t>(a.spa.spid)); s && !s->isBackground())
                    shapes.emplace_back(owner, &a, s, libreOffice);
    return Shapes(std::move(shapes), layer.failure);
}

}  // namespace tarnwick::word
