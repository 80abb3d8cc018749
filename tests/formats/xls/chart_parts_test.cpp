// Charts built record by record: chart types, titles, series order, plot-by and damaged records.
#include "formats/xls/chart_parts.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "formats/xls/chart.h"
#include "formats/xls/chart_type.h"

namespace tarnwick::xls {
namespace {

using Body = std::vector<std::uint8_t>;

void put16(Body& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
Body u16s(std::initializer_list<std::uint16_t> values) {
    Body b;
    for (auto v : values) put16(b, v);
    return b;
}
Body zeros(std::size_t n) { return Body(n, 0); }

// Cells of one area, 0-based.
struct Cells {
    std::uint16_t r1, r2, c1, c2;
};

Body area3d(Cells a) {
    Body b{0x3B};
    for (auto v : {std::uint16_t{0}, a.r1, a.r2, a.c1, a.c2}) put16(b, v);
    return b;
}

// A chart sub-stream written record by record.
class ChartBuilder {
public:
    ChartBuilder() { add(0x0809, u16s({0x0600, 0x0020, 0, 0, 0, 0, 0, 0})); }

    ChartBuilder& add(std::uint16_t type, const Body& body) {
        put16(bytes_, type);
        put16(bytes_, static_cast<std::uint16_t>(body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        return *this;
    }
    ChartBuilder& begin() { return add(0x1033, {}); }
    ChartBuilder& end() { return add(0x1034, {}); }
    ChartBuilder& chart() { return add(0x1002, zeros(16)); }
    ChartBuilder& eof() { return add(0x000A, {}); }
    ChartBuilder& series() { return add(0x1003, u16s({1, 1, 15, 15, 1, 0})); }
    ChartBuilder& brai(std::uint8_t id, std::uint8_t kind, const Body& rgce = {}) {
        Body b{id, kind, 0, 0, 0, 0};
        put16(b, static_cast<std::uint16_t>(rgce.size()));
        b.insert(b.end(), rgce.begin(), rgce.end());
        return add(0x1051, b);
    }
    ChartBuilder& seriesText(const std::string& latin) {
        Body b{0, 0, static_cast<std::uint8_t>(latin.size()), 0};
        b.insert(b.end(), latin.begin(), latin.end());
        return add(0x100D, b);
    }
    ChartBuilder& dataFormat(std::uint16_t xi, std::uint16_t yi, std::uint16_t iss) {
        return add(0x1006, u16s({xi, yi, iss, 0}));
    }
    ChartBuilder& markerFormat(std::uint16_t imk, std::uint16_t flags) {
        Body b = zeros(8);
        put16(b, imk);
        put16(b, flags);
        Body rest = zeros(8);
        b.insert(b.end(), rest.begin(), rest.end());
        return add(0x1009, b);
    }
    ChartBuilder& lineFormat(std::uint16_t lns) { return add(0x1007, u16s({0, 0, lns, 0, 0, 0})); }
    ChartBuilder& text(std::uint16_t flags = 0) {
        Body b = zeros(24);
        put16(b, flags);
        Body rest = zeros(6);
        b.insert(b.end(), rest.begin(), rest.end());
        return add(0x1025, b);
    }
    ChartBuilder& objectLink(std::uint16_t obj) { return add(0x1027, u16s({obj, 0, 0})); }
    ChartBuilder& title(std::uint16_t linkObj, const std::string& s, std::uint16_t flags = 0) {
        return text(flags).begin().brai(0, 1).seriesText(s).objectLink(linkObj).end();
    }
    ChartBuilder& axisParent(std::uint16_t iax) {
        Body b = u16s({iax});
        Body rest = zeros(16);
        b.insert(b.end(), rest.begin(), rest.end());
        return add(0x1041, b);
    }
    ChartBuilder& chartFormat(std::uint16_t icrt) {
        Body b = zeros(18);
        put16(b, icrt);
        return add(0x1014, b);
    }

    std::span<const Record> records() {
        auto split = splitRecords(Bytes(bytes_));
        EXPECT_TRUE(split.ok());
        records_ = split ? std::move(*split) : std::vector<Record>{};
        return records_;
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<Record> records_;
};

struct SeriesSpec {
    std::optional<Cells> values;
    std::optional<Cells> categories;
    std::string name;                  // literal name; empty for none
    std::optional<std::uint16_t> order;
    std::uint16_t group = 0;
};

// Series, optionally formatted, then one chart group with the given type record and extras.
struct ChartSpec {
    std::vector<SeriesSpec> series{{Cells{2, 16, 8, 8}, Cells{2, 16, 1, 1}, "", 0}};
    std::uint16_t typeRecord = 0x1017;
    Body typeBody = u16s({0, 150, 0});
    std::optional<Body> chart3d;       // Chart3d body
    std::optional<std::uint16_t> seriesMarker;  // MarkerFormat imk of each series (flags 0)
    std::optional<std::uint16_t> seriesLine;    // LineFormat lns of each series
    std::optional<std::uint16_t> pieExplode;
    std::function<void(ChartBuilder&)> titles;  // records at chart level, after the series
    std::function<void(ChartBuilder&)> axisTitles;  // records inside the primary axis group
};

void build(ChartBuilder& b, const ChartSpec& spec) {
    b.chart().begin();
    for (const SeriesSpec& s : spec.series) {
        b.series().begin();
        if (s.name.empty()) b.brai(0, 0);
        else b.brai(0, 1).seriesText(s.name);
        if (s.values) b.brai(1, 2, area3d(*s.values));
        else b.brai(1, 1);
        if (s.categories) b.brai(2, 2, area3d(*s.categories));
        else b.brai(2, 0);
        b.brai(3, 1);
        if (s.order || spec.seriesMarker || spec.seriesLine || spec.pieExplode) {
            b.dataFormat(0xFFFF, 0, s.order.value_or(0)).begin();
            if (spec.seriesLine) b.lineFormat(*spec.seriesLine);
            if (spec.pieExplode) b.add(0x100B, u16s({*spec.pieExplode}));
            if (spec.seriesMarker) b.markerFormat(*spec.seriesMarker, 0);
            b.end();
        }
        b.add(0x1045, u16s({s.group}));
        b.end();
    }
    if (spec.titles) spec.titles(b);
    b.axisParent(0).begin();
    b.add(0x101D, zeros(18)).begin().end();
    if (spec.axisTitles) spec.axisTitles(b);
    b.chartFormat(0).begin().add(spec.typeRecord, spec.typeBody);
    b.add(0x1022, zeros(10));
    if (spec.chart3d) b.add(0x103A, *spec.chart3d);
    b.end().end();
    b.end().eof();
}

Result<ChartInfo> readSpec(const ChartSpec& spec, ChartBuilder& b) {
    build(b, spec);
    return readChart(b.records(), FormulaEnv{});
}

// --- Chart types -----------------------------------------------------------------------------

struct TypeCase {
    const char* what;
    std::uint16_t typeRecord;
    Body typeBody;
    std::optional<Body> chart3d;
    std::optional<std::uint16_t> marker, line, explode;
    int expected;
};

Body chart3d(std::uint16_t rot, std::uint16_t elev, std::uint16_t flags) {
    return u16s({rot, elev, 30, 100, 100, 150, flags});
}

TEST(ChartType, FromTheGroupTypeRecordAndItsFlags) {
    const std::uint16_t kTranspose = 1, kStacked = 2, kPercent = 4;
    std::vector<TypeCase> cases = {
        {"column", 0x1017, u16s({0, 150, 0}), {}, {}, {}, {}, 51},
        {"stacked column", 0x1017, u16s({0, 150, kStacked}), {}, {}, {}, {}, 52},
        {"100% column", 0x1017, u16s({0, 150, kStacked | kPercent}), {}, {}, {}, {}, 53},
        {"bar", 0x1017, u16s({0, 150, kTranspose}), {}, {}, {}, {}, 57},
        {"stacked bar", 0x1017, u16s({0, 150, kTranspose | kStacked}), {}, {}, {}, {}, 58},
        {"100% bar", 0x1017, u16s({0, 150, kTranspose | kStacked | kPercent}), {}, {}, {}, {}, 59},
        {"3-D clustered column", 0x1017, u16s({0, 150, 0}), chart3d(20, 15, 0x0002), {}, {}, {}, 54},
        {"3-D column", 0x1017, u16s({0, 150, 0}), chart3d(20, 15, 0x0000), {}, {}, {}, -4100},
        {"3-D stacked column", 0x1017, u16s({0, 150, kStacked}), chart3d(20, 15, 0x0002), {}, {}, {}, 55},
        {"3-D clustered bar", 0x1017, u16s({0, 150, kTranspose}), chart3d(20, 15, 0x0002), {}, {}, {}, 60},
        {"line, automatic markers", 0x1018, u16s({0}), {}, {}, {}, {}, 65},
        {"line, no markers", 0x1018, u16s({0}), {}, std::uint16_t{0}, {}, {}, 4},
        {"stacked line, no markers", 0x1018, u16s({1}), {}, std::uint16_t{0}, {}, {}, 63},
        {"100% line with markers", 0x1018, u16s({3}), {}, std::uint16_t{2}, {}, {}, 67},
        {"3-D line", 0x1018, u16s({0}), chart3d(20, 15, 0), {}, {}, {}, -4101},
        {"pie", 0x1019, u16s({0, 0, 0}), {}, {}, {}, {}, 5},
        {"exploded pie", 0x1019, u16s({0, 0, 0}), {}, {}, {}, std::uint16_t{25}, 69},
        {"doughnut", 0x1019, u16s({0, 50, 0}), {}, {}, {}, {}, -4120},
        {"3-D pie", 0x1019, u16s({0, 0, 0}), chart3d(0, 15, 0), {}, {}, {}, -4102},
        {"area", 0x101A, u16s({0}), {}, {}, {}, {}, 1},
        {"stacked area", 0x101A, u16s({1}), {}, {}, {}, {}, 76},
        {"scatter, markers only", 0x101B, u16s({100, 1, 0}), {}, std::uint16_t{2}, std::uint16_t{5}, {}, -4169},
        {"scatter with lines", 0x101B, u16s({100, 1, 0}), {}, std::uint16_t{2}, std::uint16_t{0}, {}, 74},
        {"bubble", 0x101B, u16s({100, 1, 1}), {}, {}, {}, {}, 15},
        {"radar without markers", 0x103E, u16s({0, 0}), {}, std::uint16_t{0}, {}, {}, -4151},
        {"filled radar", 0x1040, u16s({0, 0}), {}, {}, {}, {}, 82},
        {"surface", 0x103F, u16s({1}), chart3d(20, 15, 0), {}, {}, {}, 83},
        {"wireframe surface", 0x103F, u16s({0}), chart3d(20, 15, 0), {}, {}, {}, 84},
        {"bar of pie", 0x1061, Body(22, 0), {}, {}, {}, {}, 71},
    };
    cases.back().typeBody[0] = 2;  // BopPop pst: bar of pie
    for (const TypeCase& k : cases) {
        SCOPED_TRACE(k.what);
        ChartSpec spec;
        spec.typeRecord = k.typeRecord;
        spec.typeBody = k.typeBody;
        spec.chart3d = k.chart3d;
        spec.seriesMarker = k.marker;
        spec.seriesLine = k.line;
        spec.pieExplode = k.explode;
        ChartBuilder b;
        auto info = readSpec(spec, b);
        ASSERT_TRUE(info.ok()) << info.error().message;
        EXPECT_EQ(info->chartType, k.expected);
    }
}

TEST(ChartType, CylinderShapeOfA3DColumnChart) {
    // A Chart3DBarShape with an elliptic base and no taper in the series format: cylinders.
    ChartBuilder b;
    b.chart().begin().series().begin().brai(0, 0).brai(1, 2, area3d({2, 16, 8, 8}));
    b.dataFormat(0xFFFF, 0, 0).begin().add(0x105F, Body{1, 0}).end();
    b.add(0x1045, u16s({0})).end();
    b.axisParent(0).begin().chartFormat(0).begin().add(0x1017, u16s({0, 150, 0}));
    b.add(0x103A, chart3d(20, 15, 0x0002)).end().end().end().eof();
    auto info = readChart(b.records(), FormulaEnv{});
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->chartType, 98);  // xlCylinderColClustered
}

TEST(ChartType, TakenFromTheGroupOfTheFirstSeries) {
    // Two groups: a line group drawn first and a column group that holds the first series.
    ChartBuilder b;
    b.chart().begin().series().begin().brai(1, 2, area3d({2, 16, 8, 8})).add(0x1045, u16s({1})).end();
    b.axisParent(0).begin();
    b.chartFormat(0).begin().add(0x1018, u16s({0})).end();
    b.chartFormat(1).begin().add(0x1017, u16s({0, 150, 0})).end();
    b.end().end().eof();
    auto info = readChart(b.records(), FormulaEnv{});
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->chartType, 51);
}

// --- Titles ----------------------------------------------------------------------------------

TEST(ChartTitles, ChartAndAxisTitlesByTheirLink) {
    ChartSpec spec;
    spec.titles = [](ChartBuilder& b) { b.title(1, "Total per household"); };
    spec.axisTitles = [](ChartBuilder& b) { b.title(3, "Name").title(2, "Total"); };
    ChartBuilder b;
    auto info = readSpec(spec, b);
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->title, std::optional<std::string>("Total per household"));
    EXPECT_EQ(info->categoryAxisTitle, std::optional<std::string>("Name"));
    EXPECT_EQ(info->valueAxisTitle, std::optional<std::string>("Total"));
}

TEST(ChartTitles, AbsentWhenNoTextIsLinkedToThem) {
    ChartSpec spec;
    // Default text formats and a data label are Text records too, but not titles.
    spec.titles = [](ChartBuilder& b) {
        b.add(0x1024, u16s({2})).text(0x0030).begin().brai(0, 0).end();
        b.title(4, "a data label");
    };
    ChartBuilder b;
    auto info = readSpec(spec, b);
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_FALSE(info->title.has_value());
    EXPECT_FALSE(info->categoryAxisTitle.has_value());
    EXPECT_FALSE(info->valueAxisTitle.has_value());
}

TEST(ChartTitles, SecondaryAxisTitlesAreNotThePrimaryOnes) {
    ChartBuilder b;
    b.chart().begin().series().begin().brai(1, 2, area3d({2, 16, 8, 8})).end();
    b.axisParent(0).begin().chartFormat(0).begin().add(0x1017, u16s({0, 150, 0})).end().end();
    b.axisParent(1).begin().title(2, "secondary").chartFormat(1).begin().add(0x1018, u16s({0})).end().end();
    b.end().eof();
    auto info = readChart(b.records(), FormulaEnv{});
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_FALSE(info->valueAxisTitle.has_value());
}

TEST(ChartTitles, DeletedTitleIsAbsentAndAutomaticTitleShowsTheSeriesName) {
    {
        ChartSpec spec;
        spec.titles = [](ChartBuilder& b) { b.title(1, "gone", 0x0040); };
        ChartBuilder b;
        auto info = readSpec(spec, b);
        ASSERT_TRUE(info.ok());
        EXPECT_FALSE(info->title.has_value());
    }
    {
        ChartSpec spec;
        spec.series[0].name = "Total";
        spec.titles = [](ChartBuilder& b) { b.text(0x0010).begin().brai(0, 0).objectLink(1).end(); };
        ChartBuilder b;
        auto info = readSpec(spec, b);
        ASSERT_TRUE(info.ok());
        EXPECT_EQ(info->title, std::optional<std::string>("Total"));
    }
}

TEST(ChartTitles, WideCharactersAreDecoded) {
    // A title stored as UTF-16: "户主".
    ChartBuilder w;
    w.chart().begin().series().begin().brai(1, 2, area3d({2, 16, 8, 8})).end();
    w.text().begin().brai(0, 1).add(0x100D, Body{0, 0, 2, 1, 0x37, 0x62, 0x3B, 0x4E}).objectLink(1).end();
    w.axisParent(0).begin().chartFormat(0).begin().add(0x1017, u16s({0, 150, 0})).end().end();
    w.end().eof();
    auto info = readChart(w.records(), FormulaEnv{});
    ASSERT_TRUE(info.ok()) << info.error().message;
    EXPECT_EQ(info->title, std::optional<std::string>("户主"));
}

// --- Series ----------------------------------------------------------------------------------

TEST(ChartSeriesParts, TwoSeriesWithOrderAndTrendlinesLeftOut) {
    ChartBuilder b;
    b.chart().begin();
    b.series().begin().brai(0, 1).seriesText("B").brai(1, 2, area3d({2, 16, 3, 3}));
    b.dataFormat(0xFFFF, 0, 1).begin().end().add(0x1045, u16s({0})).end();
    b.series().begin().brai(0, 1).seriesText("A").brai(1, 2, area3d({2, 16, 2, 2}));
    b.dataFormat(0xFFFF, 1, 0).begin().end().add(0x1045, u16s({0})).end();
    // A trendline is a Series with SerParent: not a member of the series collection.
    b.series().begin().brai(1, 0).add(0x104A, u16s({1})).end();
    b.axisParent(0).begin().chartFormat(0).begin().add(0x1017, u16s({0, 150, 0})).end().end();
    b.end().eof();
    auto parts = readChartParts(b.records());
    ASSERT_TRUE(parts.ok()) << parts.error().message;
    ASSERT_EQ(parts->series.size(), 2u);
    EXPECT_EQ(parts->series[0].name.text, std::optional<std::string>("B"));
    EXPECT_EQ(parts->series[0].plotOrder, std::optional<std::uint16_t>(1));
    EXPECT_EQ(parts->series[1].recordIndex, 1u);
    EXPECT_EQ(parts->series[1].plotOrder, std::optional<std::uint16_t>(0));
    EXPECT_EQ(plotByOf(*parts), 2);
}

TEST(ChartSeriesParts, FormulaWithoutReferencesNeedsNoRenderer) {
    // Name given as text (with a quote inside), values typed in: nothing to render.
    ChartSpec spec;
    SeriesSpec literal;
    literal.name = "say \"hi\"";
    literal.order = 2;
    spec.series = {literal};
    ChartBuilder b;
    auto info = readSpec(spec, b);
    ASSERT_TRUE(info.ok()) << info.error().message;
    ASSERT_EQ(info->series.size(), 1u);
    EXPECT_EQ(info->series[0].formula, "=SERIES(\"say \"\"hi\"\"\",,,3)");
    EXPECT_EQ(info->plotBy, 0);
}

TEST(ChartSeriesParts, ReferenceAreasOfUnionsAndPlainAreas) {
    // (Sheet!$B$3:$B$5,Sheet!$B$7:$B$9) as PtgMemFunc, two PtgArea3d, PtgUnion, then PtgParen.
    Body rgce{0x29, 23, 0};
    Body a1 = area3d({2, 4, 1, 1}), a2 = area3d({6, 8, 1, 1});
    rgce.insert(rgce.end(), a1.begin(), a1.end());
    rgce.insert(rgce.end(), a2.begin(), a2.end());
    rgce.push_back(0x10);
    rgce.push_back(0x15);
    auto areas = referenceAreas(rgce);
    ASSERT_TRUE(areas.has_value());
    ASSERT_EQ(areas->size(), 2u);
    EXPECT_EQ((*areas)[1], (SheetArea{true, 0, 6, 8, 1, 1}));
    // Relative-reference flags in the column field are not part of the column.
    Body ref{0x3A, 0, 0, 1, 0, 0x08, 0xC0};
    auto one = referenceAreas(ref);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ((*one)[0].firstCol, 8);
    // Anything but references: no areas.
    EXPECT_FALSE(referenceAreas(Body{0x1E, 5, 0}).has_value());   // PtgInt
    EXPECT_FALSE(referenceAreas(Body{0x3B, 0, 0}).has_value());   // cut short
    EXPECT_FALSE(referenceAreas(Body{}).has_value());
}

// --- Plot by ---------------------------------------------------------------------------------

int plotByFor(std::vector<SeriesSpec> series) {
    ChartSpec spec;
    spec.series = std::move(series);
    ChartBuilder b;
    auto info = readSpec(spec, b);
    EXPECT_TRUE(info.ok());
    return info ? info->plotBy : -1;
}

SeriesSpec at(Cells values) {
    SeriesSpec s;
    s.values = values;
    return s;
}

TEST(ChartPlotBy, FromTheShapeOfTheValueRanges) {
    // Two series in columns C and D, rows 3 to 17.
    EXPECT_EQ(plotByFor({at({2, 16, 2, 2}), at({2, 16, 3, 3})}), 2);
    // Two series in rows 3 and 4, columns C to H.
    EXPECT_EQ(plotByFor({at({2, 2, 2, 7}), at({3, 3, 2, 7})}), 1);
    // One cell per series, side by side in a row: each column is a series.
    EXPECT_EQ(plotByFor({at({2, 2, 2, 2}), at({2, 2, 3, 3})}), 2);
    // One cell per series, one under the other: each row is a series.
    EXPECT_EQ(plotByFor({at({2, 2, 2, 2}), at({3, 3, 2, 2})}), 1);
    // A single one-cell series.
    EXPECT_EQ(plotByFor({at({2, 2, 2, 2})}), 2);
    // A block of several rows and columns, or series that disagree: undecided.
    EXPECT_EQ(plotByFor({at({2, 16, 2, 3})}), 0);
    EXPECT_EQ(plotByFor({at({2, 16, 2, 2}), at({2, 2, 2, 7})}), 0);
    // Values typed in: nothing to go by.
    EXPECT_EQ(plotByFor({SeriesSpec{}}), 0);
}

// --- Damaged records -------------------------------------------------------------------------

TEST(ChartDamaged, RefusedWithAMessage) {
    auto refused = [](ChartBuilder& b, const char* what) {
        SCOPED_TRACE(what);
        auto info = readChart(b.records(), FormulaEnv{});
        ASSERT_FALSE(info.ok());
        EXPECT_FALSE(info.error().message.empty());
    };
    {
        ChartBuilder b;
        b.chart().begin().end();  // no EOF
        refused(b, "missing EOF");
    }
    {
        ChartBuilder b;
        b.chart().begin().end().end().eof();
        refused(b, "End without Begin");
    }
    {
        ChartBuilder b;
        b.chart().begin().eof();
        refused(b, "Begin without End");
    }
    {
        ChartBuilder b;
        b.begin().end().eof();
        refused(b, "no Chart record");
    }
    {
        ChartBuilder b;
        b.chart().begin().add(0x1003, u16s({1, 1})).begin().end().end().eof();
        refused(b, "short Series record");
    }
    {
        ChartBuilder b;
        b.chart().begin().series().begin().add(0x1051, Body{1, 2, 0, 0, 0, 0, 40, 0, 0x3B}).end().end().eof();
        refused(b, "BRAI formula longer than its record");
    }
    {
        ChartBuilder b;
        b.chart().begin().series().begin().add(0x100D, Body{0, 0, 9, 0, 'a'}).end().end().eof();
        refused(b, "SeriesText shorter than its count");
    }
    {
        ChartBuilder b;
        b.chart();
        for (int i = 0; i < 100; ++i) b.begin();
        for (int i = 0; i < 100; ++i) b.end();
        b.eof();
        refused(b, "nesting too deep");
    }
    {
        ChartBuilder b;
        b.bytes()[6] = 0x10;  // BOF of a worksheet, not of a chart
        b.chart().begin().end().eof();
        refused(b, "not a chart sub-stream");
    }
    EXPECT_FALSE(readChart(std::span<const Record>{}, FormulaEnv{}).ok());
}

}  // namespace
}  // namespace tarnwick::xls
