// The parts of an embedded chart as its records store them: series with their data references,
// chart groups with their type records, and the title texts. chart.h turns these into what Excel
// reports; tests and plot-by use the raw references here, independently of formula text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/xls/record.h"

namespace tarnwick::xls {

// One rectangle of cells named by a reference token (0-based, inclusive).
struct SheetArea {
    bool hasSheet = false;     // a 3-D reference (PtgRef3d/PtgArea3d) with an EXTERNSHEET index
    std::uint16_t ixti = 0;
    std::uint32_t firstRow = 0, lastRow = 0;
    std::uint16_t firstCol = 0, lastCol = 0;
    bool operator==(const SheetArea&) const = default;
};

// One BRAI record: where a part of a series (or a text) takes its data from.
struct DataSource {
    enum class Kind { Absent, Auto, Literal, Reference };
    Kind kind = Kind::Absent;  // Absent: no BRAI for this part; Auto: generated (rt = 0)
    Bytes rgce;                // the reference formula when kind is Reference
    Bytes extra;               // bytes after rgce in the record (normally none)
    // The areas that rgce names, in order, when it holds only cell references (possibly joined
    // by unions and parentheses); empty otherwise.
    std::vector<SheetArea> areas;
    std::optional<std::string> text;  // SeriesText that follows the BRAI (a literal name/title)
};

struct MarkerLook {
    bool present = false;      // a MarkerFormat record was found
    bool visible = true;       // markers drawn (automatic, or a marker type other than none)
};

// Formatting of a series as a whole (its DataFormat with xi = 0xFFFF), or a chart group's
// default format: the records that the chart type depends on.
struct SeriesLook {
    MarkerLook marker;
    std::optional<bool> lineVisible;   // LineFormat present: false when its pattern is "none"
    bool smoothed = false;             // SerFmt fSmoothedLine
    bool bubbles3d = false;            // SerFmt f3DBubbles
    std::uint16_t pieExplode = 0;      // PieFormat pcExplode
    std::optional<std::uint8_t> barRiser, barTaper;  // Chart3DBarShape
};

struct SeriesParts {
    DataSource name, values, categories, bubbleSizes;
    std::size_t recordIndex = 0;       // 0-based index among all Series records of the chart
    std::optional<std::uint16_t> plotOrder;  // DataFormat iss of the series-wide format
    std::uint16_t chartGroup = 0;      // SerToCrt id
    SeriesLook look;
};

// One chart group (ChartFormat with the record that says its type).
struct ChartGroupParts {
    std::uint16_t drawingOrder = 0;    // ChartFormat icrt, what SerToCrt refers to
    std::uint16_t axisGroup = 0;       // AxisParent iax: 0 primary, 1 secondary
    std::uint16_t typeRecord = 0;      // 0x1017 Bar, 0x1018 Line, 0x1019 Pie, ...; 0 when none
    std::uint16_t typeFlags = 0;       // the type record's flag word
    std::uint16_t donutHole = 0;       // Pie pcDonut
    std::uint8_t pieOfPieType = 0;     // BopPop pst
    bool is3d = false;                 // a Chart3d record in the group
    std::uint16_t rotation = 0, elevation = 0, chart3dFlags = 0;
    SeriesLook look;                   // the group's default data format
};

// A Text record linked to the chart or an axis (ObjectLink), with its text source.
struct TextParts {
    std::uint16_t linkedTo = 0;        // ObjectLink wLinkObj: 1 chart, 2 value axis, 3 category axis
    std::uint16_t axisGroup = 0;
    std::uint16_t flags = 0;           // the Text record's flag word
    DataSource source;                 // BRAI with id 0 and its SeriesText
    bool autoText() const { return (flags & 0x0010) != 0; }
    bool deleted() const { return (flags & 0x0040) != 0; }
};

struct ChartParts {
    std::vector<SeriesParts> series;   // series of the chart in record order (no trendlines or
                                       // error bars)
    std::vector<ChartGroupParts> groups;
    std::optional<TextParts> title, categoryAxisTitle, valueAxisTitle;  // primary axes only
};

// Reads the records of one chart sub-stream, from its BOF (type chart) to its EOF.
Result<ChartParts> readChartParts(std::span<const Record> records);

// Cell areas named by a parsed reference formula, or nothing when it holds anything other than
// references, unions and parentheses.
std::optional<std::vector<SheetArea>> referenceAreas(Bytes rgce);

}  // namespace tarnwick::xls
