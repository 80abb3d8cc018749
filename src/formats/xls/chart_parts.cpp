#include "formats/xls/chart_parts.h"

#include "base/utf.h"
#include "formats/xls/record_types.h"

namespace tarnwick::xls {
namespace {


constexpr std::size_t kMaxDepth = 64;
constexpr std::size_t kMaxSeries = 1024;   // Excel allows 255 series in a chart
constexpr std::size_t kMaxGroups = 64;     // at most 4 chart groups per axis group in practice
constexpr std::size_t kMaxAreas = 1024;

Error damaged() { return Error{ErrorKind::Damaged, "图表记录已损坏，无法读取图表。"}; }

bool isTypeRecord(std::uint16_t t) {
    switch (t) {
        case rt::Bar: case rt::Line: case rt::Pie: case rt::Area: case rt::Scatter:
        case rt::Radar: case rt::RadarArea: case rt::Surf: case rt::BopPop:
            return true;
        default:
            return false;
    }
}

// [MS-XLS] SeriesText: reserved id, then a ShortXLUnicodeString (cch, fHighByte, characters).
bool readSeriesText(Bytes data, std::string& out) {
    ByteReader r(data);
    std::uint16_t id;
    std::uint8_t cch, flags;
    if (!r.u16(id) || !r.u8(cch) || !r.u8(flags)) return false;
    Bytes chars;
    const bool wide = (flags & 0x01) != 0;
    if (!r.bytes(wide ? std::size_t{cch} * 2 : cch, chars)) return false;
    out = wide ? utf16leToUtf8(chars.data(), chars.size()) : latin1ToUtf8(chars.data(), chars.size());
    return true;
}

// [MS-XLS] 2.4.29 BRAI: id, rt, flags, ifmt, then a ChartParsedFormula (cce, rgce).
bool readBrai(Bytes data, std::uint8_t& id, DataSource& out) {
    ByteReader r(data);
    std::uint8_t kind;
    std::uint16_t flags, ifmt, cce;
    if (!r.u8(id) || !r.u8(kind) || !r.u16(flags) || !r.u16(ifmt) || !r.u16(cce)) return false;
    Bytes rgce;
    if (!r.bytes(cce, rgce)) return false;
    out = DataSource{};
    switch (kind) {
        case 0: out.kind = DataSource::Kind::Auto; break;
        case 1: out.kind = DataSource::Kind::Literal; break;
        case 2: out.kind = DataSource::Kind::Reference; break;
        default: return false;
    }
    if (out.kind == DataSource::Kind::Reference) {
        out.rgce = rgce;
        r.bytes(r.remaining(), out.extra);
        if (auto areas = referenceAreas(rgce)) out.areas = std::move(*areas);
    }
    return true;
}

// A Begin ... End block and the record it belongs to (the one just before its Begin).
struct Frame {
    std::uint16_t owner = 0;
};

class Reader {
public:
    Result<ChartParts> run(std::span<const Record> records) {
        if (records.empty() || records.front().type != rt::Bof) return damaged();
        std::uint16_t bofType = 0;
        if (!readLE(records.front().data, 2, bofType) || bofType != bof::Chart) return damaged();
        bool ended = false, sawChart = false;
        for (std::size_t i = 1; i < records.size(); ++i) {
            const Record& rec = records[i];
            if (rec.type == rt::Eof) {
                ended = true;
                break;
            }
            if (rec.type == rt::Bof) return damaged();  // charts hold no nested sub-streams
            if (rec.type == rt::Chart) sawChart = true;
            if (!step(rec)) return damaged();
        }
        if (!ended || !sawChart || !stack_.empty()) return damaged();
        return std::move(parts_);
    }

private:
    std::uint16_t top() const { return stack_.empty() ? 0 : stack_.back().owner; }
    // Directly inside the block of the series (or title text) being read.
    bool inSeriesBlock() const { return inSeries_ && top() == rt::Series && stack_.size() == seriesDepth_; }
    bool inTextBlock() const { return textOpen_ && top() == rt::Text && stack_.size() == textDepth_; }
    bool inside(std::uint16_t owner) const {
        for (const Frame& f : stack_)
            if (f.owner == owner) return true;
        return false;
    }

    bool step(const Record& rec) {
        const Bytes d = rec.data;
        switch (rec.type) {
            case rt::Begin:
                if (stack_.size() >= kMaxDepth) return false;
                stack_.push_back({last_});
                last_ = 0;
                return true;
            case rt::End:
                if (stack_.empty()) return false;
                leave(stack_.back().owner);
                last_ = stack_.back().owner;
                stack_.pop_back();
                return true;
            default:
                break;
        }
        last_ = rec.type;
        switch (rec.type) {
            case rt::Series:
                if (top() != rt::Chart) return true;
                if (d.size() < 8) return false;
                if (seriesCount_ >= kMaxSeries) return false;
                current_ = SeriesParts{};
                current_.recordIndex = seriesCount_++;
                inSeries_ = true;
                seriesDepth_ = stack_.size() + 1;
                excluded_ = false;
                return true;
            case rt::SerParent:
                if (inSeriesBlock()) excluded_ = true;
                return true;
            case rt::SerToCrt:
                if (inSeriesBlock()) return readLE(d, 0, current_.chartGroup);
                return true;
            case rt::Brai: return brai(d);
            case rt::SeriesText: return seriesText(d);
            case rt::DataFormat: return dataFormat(d);
            case rt::MarkerFormat: {
                SeriesLook* look = formatTarget();
                if (!look) return true;
                std::uint16_t imk, flags;
                if (!readLE(d, 8, imk) || !readLE(d, 10, flags)) return false;
                look->marker.present = true;
                look->marker.visible = (flags & 0x0001) != 0 || imk != 0;
                return true;
            }
            case rt::LineFormat: {
                SeriesLook* look = formatTarget();
                if (!look) return true;
                std::uint16_t lns;
                if (!readLE(d, 4, lns)) return false;
                look->lineVisible = lns != 5;
                return true;
            }
            case rt::SerFmt: {
                SeriesLook* look = formatTarget();
                if (!look) return true;
                std::uint16_t flags;
                if (!readLE(d, 0, flags)) return false;
                look->smoothed = (flags & 0x0001) != 0;
                look->bubbles3d = (flags & 0x0002) != 0;
                return true;
            }
            case rt::PieFormat: {
                SeriesLook* look = formatTarget();
                if (!look) return true;
                return readLE(d, 0, look->pieExplode);
            }
            case rt::Chart3DBarShape: {
                SeriesLook* look = formatTarget();
                if (!look) return true;
                std::uint8_t riser, taper;
                if (!readLE(d, 0, riser) || !readLE(d, 1, taper)) return false;
                look->barRiser = riser;
                look->barTaper = taper;
                return true;
            }
            case rt::AxisParent:
                if (top() != rt::Chart) return true;
                return readLE(d, 0, axisGroup_);
            case rt::ChartFormat: {
                if (top() != rt::AxisParent) return true;
                if (parts_.groups.size() >= kMaxGroups) return false;
                ChartGroupParts g;
                if (!readLE(d, 18, g.drawingOrder)) return false;
                g.axisGroup = axisGroup_;
                parts_.groups.push_back(g);
                return true;
            }
            case rt::Chart3d: {
                ChartGroupParts* g = openGroup();
                if (!g) return true;
                if (!readLE(d, 0, g->rotation) || !readLE(d, 2, g->elevation) ||
                    !readLE(d, 12, g->chart3dFlags))
                    return false;
                g->is3d = true;
                return true;
            }
            case rt::Text: {
                // Titles are Text records of the chart itself or of an axis group.
                if (top() != rt::Chart && top() != rt::AxisParent) return true;
                TextParts t;
                if (!readLE(d, 24, t.flags)) return false;
                t.axisGroup = top() == rt::AxisParent ? axisGroup_ : 0;
                text_ = t;
                textOpen_ = true;
                textDepth_ = stack_.size() + 1;
                return true;
            }
            case rt::ObjectLink:
                if (!inTextBlock()) return true;
                return readLE(d, 0, text_.linkedTo);
            default:
                if (isTypeRecord(rec.type)) return typeRecord(rec.type, d);
                return true;
        }
    }

    // The chart group whose ChartFormat block is open.
    ChartGroupParts* openGroup() {
        if (top() != rt::ChartFormat || parts_.groups.empty()) return nullptr;
        return &parts_.groups.back();
    }

    bool typeRecord(std::uint16_t type, Bytes d) {
        ChartGroupParts* g = openGroup();
        if (!g) return true;
        if (g->typeRecord != 0) return false;  // one type record per chart group
        g->typeRecord = type;
        switch (type) {
            case rt::Bar: return readLE(d, 4, g->typeFlags);
            case rt::Pie: return readLE(d, 2, g->donutHole) && readLE(d, 4, g->typeFlags);
            case rt::Scatter: return readLE(d, 4, g->typeFlags);
            case rt::BopPop: return readLE(d, 0, g->pieOfPieType);
            case rt::Line: case rt::Area: case rt::Radar: case rt::RadarArea: case rt::Surf:
                return readLE(d, 0, g->typeFlags);
            default: return true;
        }
    }

    // The look that formatting records apply to: the series-wide data format of the open series,
    // or the default data format of the open chart group. Per-point formats are not read.
    SeriesLook* formatTarget() {
        if (top() != rt::DataFormat || !formatWide_) return nullptr;
        if (stack_.size() < 2) return nullptr;
        const std::uint16_t outer = stack_[stack_.size() - 2].owner;
        if (outer == rt::Series && inSeries_ && stack_.size() == seriesDepth_ + 1) return &current_.look;
        if (outer == rt::ChartFormat && !parts_.groups.empty()) return &parts_.groups.back().look;
        return nullptr;
    }

    bool dataFormat(Bytes d) {
        if (top() != rt::Series && top() != rt::ChartFormat) return true;
        std::uint16_t xi, yi, iss;
        if (!readLE(d, 0, xi) || !readLE(d, 2, yi) || !readLE(d, 4, iss)) return false;
        formatWide_ = xi == 0xFFFF;
        if (formatWide_ && inSeriesBlock()) current_.plotOrder = iss;
        return true;
    }

    bool brai(Bytes d) {
        std::uint8_t id = 0;
        DataSource src;
        if (inSeriesBlock()) {
            if (!readBrai(d, id, src)) return false;
            if (src.areas.size() > kMaxAreas) return false;
            DataSource* slot = id == 0   ? &current_.name
                               : id == 1 ? &current_.values
                               : id == 2 ? &current_.categories
                               : id == 3 ? &current_.bubbleSizes
                                         : nullptr;
            if (!slot) return false;
            *slot = std::move(src);
            return true;
        }
        if (inTextBlock()) {
            if (!readBrai(d, id, src)) return false;
            if (id != 0) return true;
            text_.source = std::move(src);
        }
        return true;
    }

    bool seriesText(Bytes d) {
        if (!inSeriesBlock() && !inTextBlock()) return true;
        std::string text;
        if (!readSeriesText(d, text)) return false;
        // The text belongs to the name (or the Text's BRAI) read just before it.
        DataSource* target = inTextBlock() ? &text_.source : &current_.name;
        target->text = std::move(text);
        return true;
    }

    void leave(std::uint16_t owner) {
        if (owner == rt::Series && inSeries_ && stack_.size() == seriesDepth_) {
            if (!excluded_) parts_.series.push_back(std::move(current_));
            current_ = SeriesParts{};
            inSeries_ = false;
        } else if (owner == rt::Text && textOpen_ && stack_.size() == textDepth_) {
            textOpen_ = false;
            if (text_.axisGroup != 0) return;  // titles of secondary axes are not asked for
            switch (text_.linkedTo) {
                case 1: if (stack_.size() == 2) parts_.title = text_; break;
                case 2: parts_.valueAxisTitle = text_; break;
                case 3: parts_.categoryAxisTitle = text_; break;
                default: break;
            }
        } else if (owner == rt::DataFormat) {
            formatWide_ = false;
        }
    }

    ChartParts parts_;
    std::vector<Frame> stack_;
    std::uint16_t last_ = 0;
    std::uint16_t axisGroup_ = 0;
    std::size_t seriesCount_ = 0, seriesDepth_ = 0, textDepth_ = 0;
    SeriesParts current_;
    bool inSeries_ = false, excluded_ = false, formatWide_ = false, textOpen_ = false;
    TextParts text_;
};

}  // namespace

std::optional<std::vector<SheetArea>> referenceAreas(Bytes rgce) {
    std::vector<SheetArea> areas;
    ByteReader r(rgce);
    while (!r.atEnd()) {
        std::uint8_t ptg;
        if (!r.u8(ptg)) return std::nullopt;
        if (ptg == 0x10 || ptg == 0x15) continue;  // PtgUnion, PtgParen
        if (ptg < 0x20 || ptg >= 0x80) return std::nullopt;
        SheetArea a;
        std::uint16_t row1, row2, col1, col2;
        switch (ptg & 0x1F) {
            case 0x06:  // PtgMemArea: the references follow as a sub-expression
                if (!r.skip(6)) return std::nullopt;
                continue;
            case 0x09:  // PtgMemFunc
                if (!r.skip(2)) return std::nullopt;
                continue;
            case 0x04:  // PtgRef
                if (!r.u16(row1) || !r.u16(col1)) return std::nullopt;
                row2 = row1, col2 = col1;
                break;
            case 0x05:  // PtgArea
                if (!r.u16(row1) || !r.u16(row2) || !r.u16(col1) || !r.u16(col2)) return std::nullopt;
                break;
            case 0x1A:  // PtgRef3d
                if (!r.u16(a.ixti) || !r.u16(row1) || !r.u16(col1)) return std::nullopt;
                a.hasSheet = true;
                row2 = row1, col2 = col1;
                break;
            case 0x1B:  // PtgArea3d
                if (!r.u16(a.ixti) || !r.u16(row1) || !r.u16(row2) || !r.u16(col1) || !r.u16(col2))
                    return std::nullopt;
                a.hasSheet = true;
                break;
            default:
                return std::nullopt;
        }
        if (areas.size() >= kMaxAreas) return std::nullopt;
        a.firstRow = row1;
        a.lastRow = row2;
        a.firstCol = static_cast<std::uint16_t>(col1 & 0x3FFF);
        a.lastCol = static_cast<std::uint16_t>(col2 & 0x3FFF);
        areas.push_back(a);
    }
    if (areas.empty()) return std::nullopt;
    return areas;
}

Result<ChartParts> readChartParts(std::span<const Record> records) { return Reader{}.run(records); }

}  // namespace tarnwick::xls
