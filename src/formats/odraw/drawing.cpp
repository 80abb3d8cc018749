#include "formats/odraw/drawing.h"

#include <algorithm>

#include "base/utf.h"

namespace tarnwick::odraw {
namespace {

Error tooMany() { return Error{ErrorKind::TooLarge, "文档中的图形太多，文件可能已损坏。"}; }

bool readRect(Bytes body, Rect& r) {
    std::uint32_t v[4];
    for (std::size_t i = 0; i < 4; ++i)
        if (!readLE(body, i * 4, v[i])) return false;
    r = Rect{static_cast<std::int32_t>(v[0]), static_cast<std::int32_t>(v[1]), static_cast<std::int32_t>(v[2]),
             static_cast<std::int32_t>(v[3])};
    return true;
}

std::vector<std::uint8_t> copyOf(Bytes b) { return {b.begin(), b.end()}; }

// Text of a complex UTF-16 property up to its first NUL.
std::optional<std::string> textOf(const PropertyTable& props, std::uint16_t id) {
    const Property* p = props.find(id);
    if (!p || !p->isComplex) return std::nullopt;
    return utf16leToUtf8(p->data.data(), utf16leBytesBeforeNul(p->data.data(), p->data.size()));
}

class Reader {
public:
    explicit Reader(const Limits& limits) : budget_(limits) {}

    Result<std::vector<Record>> children(const Record& container) {
        return splitRecords(container.body, container.offset + kHeaderSize, budget_);
    }

    // A whole record at the start of bytes (header included); its length is checked against them.
    Result<Record> wholeRecord(Bytes bytes, std::size_t offset, std::uint16_t type, const char* what) {
        Record r;
        if (!readHeader(bytes, offset, r.header)) return damaged(what);
        if (r.header.recType != type || !r.header.isContainer()) return damaged(what);
        if (r.header.recLen > bytes.size() - offset - kHeaderSize) return damaged("记录长度超出数据末尾");
        if (!budget_.takeRecords(1)) return tooMany();
        r.body = bytes.subspan(offset + kHeaderSize, r.header.recLen);
        r.offset = offset;
        return r;
    }

    Result<Shape> shape(const Record& sp, const std::vector<Property>& defaults) {
        if (!budget_.takeShape()) return tooMany();
        auto kids = children(sp);
        if (!kids) return kids.error();
        Shape s;
        std::vector<Property> primary, secondary, tertiary;
        for (const Record& r : *kids) {
            switch (r.header.recType) {
            case rt::FSPGR: {
                Rect bounds;
                if (!readRect(r.body, bounds)) return damaged("组合的范围记录太短");
                s.groupBounds = bounds;
                break;
            }
            case rt::FSP:
                if (s.hasFsp) break;  // a second FSP is not read
                if (!readLE(r.body, 0, s.spid) || !readLE(r.body, 4, s.flags)) return damaged("图形记录太短");
                s.shapeType = r.header.recInstance;
                s.hasFsp = true;
                break;
            case rt::OPT:
            case rt::SecondaryOPT:
            case rt::TertiaryOPT: {
                const PropertySource source = r.header.recType == rt::OPT            ? PropertySource::Primary
                                              : r.header.recType == rt::SecondaryOPT ? PropertySource::Secondary
                                                                                     : PropertySource::Tertiary;
                auto list = parsePropertyTable(r.body, r.header.recInstance, source);
                if (!list) return list.error();
                s.droppedProperties += list->dropped;
                auto& target = source == PropertySource::Primary     ? primary
                               : source == PropertySource::Secondary ? secondary
                                                                     : tertiary;
                target.insert(target.end(), list->properties.begin(), list->properties.end());
                break;
            }
            case rt::ChildAnchor: {
                Rect anchor;
                if (!readRect(r.body, anchor)) return damaged("子图形的位置记录太短");
                s.childAnchor = anchor;
                break;
            }
            case rt::ClientAnchor: s.clientAnchor = copyOf(r.body); break;
            case rt::ClientData: s.clientData = copyOf(r.body); break;
            case rt::ClientTextbox: s.clientTextbox = copyOf(r.body); break;
            default: break;  // connector rules, blips of OLE shapes, ...: not needed
            }
        }
        if (!s.hasFsp) return damaged("图形容器中没有图形记录");
        s.properties.merge(defaults);
        s.properties.merge(primary);
        s.properties.merge(secondary);
        s.properties.merge(tertiary);
        return s;
    }

    // A group container: its first shape container is the group's own shape, the rest its members.
    Result<bool> group(const Record& spgr, std::size_t level, int parent, int depth, const std::vector<Property>& defaults,
                 std::vector<Shape>& out) {
        if (level > budget_.limits().maxDepth) return damaged("组合嵌套太深");
        auto kids = children(spgr);
        if (!kids) return kids.error();
        int self = parent;
        int memberDepth = depth;
        bool first = true;
        for (const Record& r : *kids) {
            if (r.header.recType == rt::SpContainer && r.header.isContainer()) {
                auto s = shape(r, defaults);
                if (!s) return s.error();
                s->parent = first ? parent : self;
                s->depth = first ? depth : memberDepth;
                out.push_back(std::move(*s));
                if (first) {
                    self = static_cast<int>(out.size() - 1);
                    memberDepth = depth + 1;
                }
            } else if (r.header.recType == rt::SpgrContainer && r.header.isContainer()) {
                auto ok = group(r, level + 1, self, memberDepth, defaults, out);
                if (!ok) return ok;
            }
            first = false;
        }
        return true;
    }

    Result<Drawing> drawing(const Record& dg, std::size_t level, const std::vector<Property>& defaults) {
        if (level > budget_.limits().maxDepth) return damaged("容器嵌套太深");
        auto kids = children(dg);
        if (!kids) return kids.error();
        Drawing d;
        bool havePatriarch = false;
        for (const Record& r : *kids) {
            if (r.header.recType == rt::FDG) {
                if (!readLE(r.body, 0, d.shapeCount) || !readLE(r.body, 4, d.lastSpid)) return damaged("绘图记录太短");
                d.drawingId = r.header.recInstance;
            } else if (r.header.recType == rt::SpgrContainer && r.header.isContainer()) {
                auto ok = group(r, level + 1, -1, 0, defaults, havePatriarch ? d.deleted : d.shapes);
                if (!ok) return ok.error();
                havePatriarch = true;
            } else if (r.header.recType == rt::SpContainer && r.header.isContainer()) {
                auto s = shape(r, defaults);
                if (!s) return s.error();
                if (s->isBackground() && !d.background) d.background = std::move(*s);
                else d.deleted.push_back(std::move(*s));
            }
        }
        d.index.reserve(d.shapes.size());
        for (std::size_t i = 0; i < d.shapes.size(); ++i) d.index.emplace_back(d.shapes[i].spid, i);
        std::stable_sort(d.index.begin(), d.index.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        return d;
    }

    Result<DrawingGroup> drawingGroup(const Record& dgg) {
        auto kids = children(dgg);
        if (!kids) return kids.error();
        DrawingGroup g;
        std::vector<Property> primary, tertiary;
        for (const Record& r : *kids) {
            switch (r.header.recType) {
            case rt::FDGGBlock: {
                if (!readLE(r.body, 0, g.spidMax) || !readLE(r.body, 4, g.cidcl) || !readLE(r.body, 8, g.savedShapes) ||
                    !readLE(r.body, 12, g.savedDrawings))
                    return damaged("绘图组记录太短");
                const std::uint64_t clusters = g.cidcl == 0 ? 0 : std::uint64_t{g.cidcl} - 1;
                if (clusters * 8 > r.body.size() - 16) return damaged("绘图组的编号段超出记录");
                for (std::size_t i = 0; i < clusters; ++i) {
                    IdCluster c;
                    readLE(r.body, 16 + i * 8, c.drawingId);
                    readLE(r.body, 20 + i * 8, c.spidCount);
                    g.clusters.push_back(c);
                }
                break;
            }
            case rt::BStoreContainer: {
                if (!r.header.isContainer()) break;
                auto entries = children(r);
                if (!entries) return entries.error();
                for (const Record& e : *entries) {
                    if (e.header.recType != rt::FBSE) continue;
                    auto blip = blipEntry(e);
                    if (!blip) return blip.error();
                    g.blips.push_back(std::move(*blip));
                }
                break;
            }
            case rt::OPT:
            case rt::TertiaryOPT: {
                auto list = parsePropertyTable(r.body, r.header.recInstance, PropertySource::Group);
                if (!list) return list.error();
                auto& target = r.header.recType == rt::OPT ? primary : tertiary;
                target.insert(target.end(), list->properties.begin(), list->properties.end());
                break;
            }
            default: break;
            }
        }
        // The group's tables merged the way a shape's are, then kept as one list of defaults.
        PropertyTable merged;
        merged.merge(primary);
        merged.merge(tertiary);
        g.defaults = merged.all();
        return g;
    }

private:
    static Result<BlipEntry> blipEntry(const Record& e) {
        constexpr std::size_t kFixed = 36;
        if (e.body.size() < kFixed) return damaged("图片库条目太短");
        BlipEntry b;
        b.recInstance = e.header.recInstance;
        b.btWin32 = e.body[0];
        b.btMacOS = e.body[1];
        std::copy_n(e.body.begin() + 2, 16, b.uid.begin());
        readLE(e.body, 18, b.tag);
        readLE(e.body, 20, b.size);
        readLE(e.body, 24, b.cRef);
        readLE(e.body, 28, b.foDelay);
        const std::size_t cbName = e.body[33];
        if (cbName > e.body.size() - kFixed) return damaged("图片库条目的名称超出记录");
        b.name = utf16leToUtf8(e.body.data() + kFixed, utf16leBytesBeforeNul(e.body.data() + kFixed, cbName));
        b.embedded = e.body.size() > kFixed + cbName;
        return b;
    }

    Budget budget_;
};

}  // namespace

Result<DrawingContent> readWordDrawings(Bytes dggInfo, const Limits& limits) {
    DrawingContent content;
    if (dggInfo.empty()) return content;
    Reader reader(limits);
    auto dgg = reader.wholeRecord(dggInfo, 0, rt::DggContainer, "缺少绘图组容器");
    if (!dgg) return dgg.error();
    auto group = reader.drawingGroup(*dgg);
    if (!group) return group.error();
    content.group = std::move(*group);
    std::size_t pos = kHeaderSize + dgg->header.recLen;
    // Each drawing takes at least nine bytes, so the loop ends.
    while (pos < dggInfo.size()) {
        const std::uint8_t dgglbl = dggInfo[pos];
        if (dgglbl > 1) return damaged("绘图的类别不是正文或页眉");
        auto dg = reader.wholeRecord(dggInfo, pos + 1, rt::DgContainer, "缺少绘图容器");
        if (!dg) return dg.error();
        auto d = reader.drawing(*dg, 1, content.group.defaults);
        if (!d) return d.error();
        d->dgglbl = dgglbl;
        content.drawings.push_back(std::move(*d));
        pos += 1 + kHeaderSize + dg->header.recLen;
    }
    return content;
}

Result<Drawing> readDrawingContainer(Bytes record, const Limits& limits) {
    Reader reader(limits);
    auto dg = reader.wholeRecord(record, 0, rt::DgContainer, "缺少绘图容器");
    if (!dg) return dg.error();
    return reader.drawing(*dg, 0, {});
}

Result<Shape> readShapeContainer(Bytes record, const Limits& limits) {
    Reader reader(limits);
    auto sp = reader.wholeRecord(record, 0, rt::SpContainer, "缺少图形容器");
    if (!sp) return sp.error();
    return reader.shape(*sp, {});
}

// ---------------------------------------------------------------------------------------------

const Shape* Drawing::findShape(std::uint32_t spid) const {
    auto it = std::lower_bound(index.begin(), index.end(), spid,
                               [](const auto& entry, std::uint32_t key) { return entry.first < key; });
    if (it != index.end() && it->first == spid && it->second < shapes.size()) return &shapes[it->second];
    if (background && background->spid == spid) return &*background;
    return nullptr;
}

std::vector<std::size_t> Drawing::childrenOf(int group) const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < shapes.size(); ++i)
        if (shapes[i].parent == group) out.push_back(i);
    return out;
}

const Drawing* DrawingContent::mainDrawing() const {
    for (const Drawing& d : drawings)
        if (d.dgglbl == 0) return &d;
    return nullptr;
}

const Drawing* DrawingContent::headerDrawing() const {
    for (const Drawing& d : drawings)
        if (d.dgglbl == 1) return &d;
    return nullptr;
}

const BlipEntry* DrawingContent::blipOf(const Shape& shape) const {
    auto pib = shape.pib();
    if (!pib || *pib == 0 || *pib > group.blips.size()) return nullptr;
    return &group.blips[*pib - 1];
}

std::optional<std::string> Shape::geometryText() const { return textOf(properties, pid::GtextUnicode); }
std::optional<std::string> Shape::geometryTextFont() const { return textOf(properties, pid::GtextFont); }
std::optional<bool> Shape::geometryTextFlag(unsigned bit) const { return properties.flag(pid::GtextBooleans, bit); }
bool Shape::isVerticalText() const { return properties.flagOr(pid::GtextBooleans, gtext::Vertical, false); }
bool Shape::hasGeometryText() const {
    return properties.find(pid::GtextUnicode) != nullptr || properties.flagOr(pid::GtextBooleans, gtext::Gtext, false);
}

std::optional<std::uint32_t> Shape::pib() const { return properties.value(pid::Pib); }
bool Shape::hasBlip() const { return pib().value_or(0) != 0; }

FillStyle Shape::fill() const {
    FillStyle f;
    f.type = properties.valueOr(pid::FillType, f.type);
    f.color = properties.color(pid::FillColor).value_or(f.color);
    f.opacity = properties.valueOr(pid::FillOpacity, f.opacity);
    f.backColor = properties.color(pid::FillBackColor).value_or(f.backColor);
    f.angle = static_cast<std::int32_t>(properties.valueOr(pid::FillAngle, 0));
    f.focus = static_cast<std::int32_t>(properties.valueOr(pid::FillFocus, 0));
    f.filled = properties.flagOr(pid::FillBooleans, 4, true);
    f.hasShadeColors = !properties.complexData(pid::FillShadeColors).empty();  // an array, so complex
    f.shadePreset = properties.value(pid::FillShadePreset);
    return f;
}

LineStyle Shape::line() const {
    LineStyle l;
    l.color = properties.color(pid::LineColor).value_or(l.color);
    l.width = properties.valueOr(pid::LineWidth, l.width);
    l.on = properties.flagOr(pid::LineBooleans, 3, true);
    return l;
}

ShadowStyle Shape::shadow() const {
    ShadowStyle s;
    s.type = properties.valueOr(pid::ShadowType, s.type);
    s.color = properties.color(pid::ShadowColor).value_or(s.color);
    s.opacity = properties.valueOr(pid::ShadowOpacity, s.opacity);
    s.offsetX = static_cast<std::int32_t>(properties.valueOr(pid::ShadowOffsetX, static_cast<std::uint32_t>(s.offsetX)));
    s.offsetY = static_cast<std::int32_t>(properties.valueOr(pid::ShadowOffsetY, static_cast<std::uint32_t>(s.offsetY)));
    s.on = properties.flagOr(pid::ShadowBooleans, 1, false);
    return s;
}

ThreeDStyle Shape::threeD() const {
    ThreeDStyle t;
    t.on = properties.flagOr(pid::ThreeDObjectBooleans, 3, false);
    t.extrusionColor = properties.color(pid::ExtrusionColor);
    t.objectBooleans = properties.valueOr(pid::ThreeDObjectBooleans, 0);
    t.styleBooleans = properties.valueOr(pid::ThreeDStyleBooleans, 0);
    return t;
}

std::optional<std::uint32_t> Shape::posh() const { return properties.value(pid::Posh); }
std::optional<std::uint32_t> Shape::posrelh() const { return properties.value(pid::Posrelh); }
std::optional<std::uint32_t> Shape::posv() const { return properties.value(pid::Posv); }
std::optional<std::uint32_t> Shape::posrelv() const { return properties.value(pid::Posrelv); }
std::optional<std::uint32_t> Shape::groupShapeBooleans() const { return properties.value(pid::GroupShapeBooleans); }
std::optional<bool> Shape::behindDocument() const { return properties.flag(pid::GroupShapeBooleans, 5); }
std::int32_t Shape::rotation() const { return static_cast<std::int32_t>(properties.valueOr(pid::Rotation, 0)); }
std::optional<std::string> Shape::name() const { return textOf(properties, pid::ShapeName); }

}  // namespace tarnwick::odraw
