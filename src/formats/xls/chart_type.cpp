#include "formats/xls/chart_type.h"

#include "formats/xls/record_types.h"

namespace tarnwick::xls {
namespace {

// XlChartType constants used here.
enum : int {
    xlArea = 1, xlLine = 4, xlPie = 5, xlBubble = 15, xlColumnClustered = 51, xlColumnStacked = 52,
    xlColumnStacked100 = 53, xl3DColumnClustered = 54, xl3DColumnStacked = 55,
    xl3DColumnStacked100 = 56, xlBarClustered = 57, xlBarStacked = 58, xlBarStacked100 = 59,
    xl3DBarClustered = 60, xl3DBarStacked = 61, xl3DBarStacked100 = 62, xlLineStacked = 63,
    xlLineStacked100 = 64, xlLineMarkers = 65, xlLineMarkersStacked = 66,
    xlLineMarkersStacked100 = 67, xlPieOfPie = 68, xlPieExploded = 69, xl3DPieExploded = 70,
    xlBarOfPie = 71, xlXYScatterSmooth = 72, xlXYScatterSmoothNoMarkers = 73,
    xlXYScatterLines = 74, xlXYScatterLinesNoMarkers = 75, xlAreaStacked = 76,
    xlAreaStacked100 = 77, xl3DAreaStacked = 78, xl3DAreaStacked100 = 79, xlDoughnutExploded = 80,
    xlRadarMarkers = 81, xlRadarFilled = 82, xlSurface = 83, xlSurfaceWireframe = 84,
    xlSurfaceTopView = 85, xlSurfaceTopViewWireframe = 86, xlBubble3DEffect = 87,
    xlCylinderColClustered = 98, xlConeColClustered = 105, xlPyramidColClustered = 112,
    xl3DArea = -4098, xl3DColumn = -4100, xl3DLine = -4101, xl3DPie = -4102, xlDoughnut = -4120,
    xlRadar = -4151, xlXYScatter = -4169,
};

const ChartGroupParts* groupOfFirstSeries(const ChartParts& parts) {
    if (parts.groups.empty()) return nullptr;
    if (!parts.series.empty()) {
        for (const ChartGroupParts& g : parts.groups)
            if (g.drawingOrder == parts.series.front().chartGroup) return &g;
    }
    return &parts.groups.front();
}

// The look of the first series of the group, falling back to the group's default format.
struct Look {
    bool markers = true;
    bool lines = true;
    bool smoothed = false;
    bool bubbles3d = false;
    bool exploded = false;
    std::optional<std::uint8_t> riser, taper;
};

Look lookOf(const ChartParts& parts, const ChartGroupParts& g) {
    const SeriesLook* s = nullptr;
    for (const SeriesParts& sp : parts.series)
        if (sp.chartGroup == g.drawingOrder) {
            s = &sp.look;
            break;
        }
    Look l;
    const SeriesLook& d = g.look;
    if (s && s->marker.present) l.markers = s->marker.visible;
    else if (d.marker.present) l.markers = d.marker.visible;
    if (s && s->lineVisible) l.lines = *s->lineVisible;
    else if (d.lineVisible) l.lines = *d.lineVisible;
    l.smoothed = (s && s->smoothed) || d.smoothed;
    l.bubbles3d = (s && s->bubbles3d) || d.bubbles3d;
    l.exploded = (s && s->pieExplode > 0) || d.pieExplode > 0;
    l.riser = s && s->barRiser ? s->barRiser : d.barRiser;
    l.taper = s && s->barTaper ? s->barTaper : d.barTaper;
    return l;
}

int barType(const ChartGroupParts& g, const Look& look) {
    const bool bar = (g.typeFlags & 0x0001) != 0;  // fTranspose: horizontal bars
    const bool stacked = (g.typeFlags & 0x0002) != 0;
    const bool percent = stacked && (g.typeFlags & 0x0004) != 0;
    const int variant = percent ? 2 : stacked ? 1 : 0;
    if (!g.is3d) return (bar ? xlBarClustered : xlColumnClustered) + variant;
    const bool clustered = (g.chart3dFlags & 0x0002) != 0;  // fCluster
    const std::uint8_t riser = look.riser.value_or(0), taper = look.taper.value_or(0);
    int shapeBase = 0;  // first constant of the cylinder, cone or pyramid family
    if (riser == 1 && taper == 0) shapeBase = xlCylinderColClustered;
    else if (riser == 1) shapeBase = xlConeColClustered;
    else if (taper != 0) shapeBase = xlPyramidColClustered;
    if (shapeBase != 0) {
        // Each family runs ColClustered, ColStacked, ColStacked100, BarClustered, BarStacked,
        // BarStacked100, Col (the one with a series axis).
        if (!bar && !stacked && !clustered) return shapeBase + 6;
        return shapeBase + (bar ? 3 : 0) + variant;
    }
    if (bar) return xl3DBarClustered + variant;
    if (!stacked && !clustered) return xl3DColumn;
    return xl3DColumnClustered + variant;
}

int lineType(const ChartGroupParts& g, const Look& look) {
    if (g.is3d) return xl3DLine;
    const bool stacked = (g.typeFlags & 0x0001) != 0;
    const bool percent = stacked && (g.typeFlags & 0x0002) != 0;
    if (look.markers) return percent ? xlLineMarkersStacked100 : stacked ? xlLineMarkersStacked : xlLineMarkers;
    return percent ? xlLineStacked100 : stacked ? xlLineStacked : xlLine;
}

int pieType(const ChartGroupParts& g, const Look& look) {
    if (g.donutHole > 0) return look.exploded ? xlDoughnutExploded : xlDoughnut;
    if (g.is3d) return look.exploded ? xl3DPieExploded : xl3DPie;
    return look.exploded ? xlPieExploded : xlPie;
}

int areaType(const ChartGroupParts& g) {
    const bool stacked = (g.typeFlags & 0x0001) != 0;
    const bool percent = stacked && (g.typeFlags & 0x0002) != 0;
    if (g.is3d) return percent ? xl3DAreaStacked100 : stacked ? xl3DAreaStacked : xl3DArea;
    return percent ? xlAreaStacked100 : stacked ? xlAreaStacked : xlArea;
}

int scatterType(const ChartGroupParts& g, const Look& look) {
    if ((g.typeFlags & 0x0001) != 0) return look.bubbles3d ? xlBubble3DEffect : xlBubble;
    if (!look.lines) return xlXYScatter;
    if (look.smoothed) return look.markers ? xlXYScatterSmooth : xlXYScatterSmoothNoMarkers;
    return look.markers ? xlXYScatterLines : xlXYScatterLinesNoMarkers;
}

int surfaceType(const ChartGroupParts& g) {
    const bool filled = (g.typeFlags & 0x0001) != 0;
    // Seen from straight above: the contour variants.
    const bool topView = g.is3d && g.elevation == 90 && g.rotation == 0;
    if (topView) return filled ? xlSurfaceTopView : xlSurfaceTopViewWireframe;
    return filled ? xlSurface : xlSurfaceWireframe;
}

enum class Direction { None, Single, Vertical, Horizontal, Block };

Direction directionOf(const DataSource& values) {
    if (values.kind != DataSource::Kind::Reference || values.areas.empty()) return Direction::None;
    bool tall = false, wide = false;
    for (const SheetArea& a : values.areas) {
        if (a.lastRow != a.firstRow) tall = true;
        if (a.lastCol != a.firstCol) wide = true;
    }
    if (tall && wide) return Direction::Block;
    // Several single cells side by side run in the direction they are laid out in.
    if (!tall && !wide && values.areas.size() > 1) {
        const SheetArea& f = values.areas.front();
        bool sameRow = true, sameCol = true;
        for (const SheetArea& a : values.areas) {
            sameRow = sameRow && a.firstRow == f.firstRow;
            sameCol = sameCol && a.firstCol == f.firstCol;
        }
        if (sameCol && !sameRow) return Direction::Vertical;
        if (sameRow && !sameCol) return Direction::Horizontal;
        return Direction::Block;
    }
    if (tall) {
        for (const SheetArea& a : values.areas)
            if (a.firstCol != values.areas.front().firstCol) return Direction::Block;
        return Direction::Vertical;
    }
    if (wide) {
        for (const SheetArea& a : values.areas)
            if (a.firstRow != values.areas.front().firstRow) return Direction::Block;
        return Direction::Horizontal;
    }
    return Direction::Single;
}

}  // namespace

int chartTypeOf(const ChartParts& parts) {
    const ChartGroupParts* g = groupOfFirstSeries(parts);
    if (!g) return 0;
    const Look look = lookOf(parts, *g);
    switch (g->typeRecord) {
        case rt::Bar: return barType(*g, look);
        case rt::Line: return lineType(*g, look);
        case rt::Pie: return pieType(*g, look);
        case rt::Area: return areaType(*g);
        case rt::Scatter: return scatterType(*g, look);
        case rt::Radar: return look.markers ? xlRadarMarkers : xlRadar;
        case rt::RadarArea: return xlRadarFilled;
        case rt::Surf: return surfaceType(*g);
        case rt::BopPop: return g->pieOfPieType == 2 ? xlBarOfPie : xlPieOfPie;
        default: return 0;
    }
}

int plotByOf(const ChartParts& parts) {
    bool vertical = false, horizontal = false;
    std::vector<const SheetArea*> singles;  // the cell of each one-cell series
    for (const SeriesParts& s : parts.series) {
        switch (directionOf(s.values)) {
            case Direction::None: break;
            case Direction::Block: return 0;
            case Direction::Vertical: vertical = true; break;
            case Direction::Horizontal: horizontal = true; break;
            case Direction::Single: singles.push_back(&s.values.areas.front()); break;
        }
    }
    if (vertical && horizontal) return 0;
    if (vertical) return 2;
    if (horizontal) return 1;
    if (singles.empty()) return 0;
    // Only one-cell series: each series is a column of a one-row source when they sit side by
    // side in a row, a row of a one-column source when they sit one under the other.
    bool sameRow = true, sameCol = true;
    for (const SheetArea* a : singles) {
        sameRow = sameRow && a->firstRow == singles.front()->firstRow;
        sameCol = sameCol && a->firstCol == singles.front()->firstCol;
    }
    if (singles.size() == 1 || (sameRow && !sameCol)) return 2;
    if (sameCol && !sameRow) return 1;
    return 0;
}

}  // namespace tarnwick::xls
