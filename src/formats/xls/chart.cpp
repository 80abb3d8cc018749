#include "formats/xls/chart.h"

#include "formats/xls/chart_parts.h"
#include "formats/xls/chart_type.h"
#include "formats/xls/literals.h"

namespace tarnwick::xls {
namespace {

// A reference as the series formula spells it: the formula text without its '='.
Result<std::string> referenceText(const DataSource& src, const FormulaEnv& env) {
    auto text = formulaText(src.rgce, src.extra, env, RefStyle::A1);
    if (!text) return text.error();
    const std::string& s = *text;
    return s.starts_with('=') ? s.substr(1) : s;
}

// One argument of =SERIES(...). Literal names are quoted text; literal and generated values or
// categories are left empty.
Result<std::string> seriesField(const DataSource& src, const FormulaEnv& env, bool isName) {
    switch (src.kind) {
        case DataSource::Kind::Reference: return referenceText(src, env);
        case DataSource::Kind::Literal:
            if (isName && src.text) return formulaStringLiteral(*src.text);
            return std::string{};
        default: return std::string{};
    }
}

Result<std::string> seriesFormula(const SeriesParts& s, std::size_t position, const FormulaEnv& env) {
    auto name = seriesField(s.name, env, true);
    if (!name) return name;
    auto categories = seriesField(s.categories, env, false);
    if (!categories) return categories;
    auto values = seriesField(s.values, env, false);
    if (!values) return values;
    const std::size_t order = s.plotOrder ? std::size_t{*s.plotOrder} + 1 : position + 1;
    std::string f = "=SERIES(" + *name + "," + *categories + "," + *values + "," +
                    std::to_string(order);
    if (s.bubbleSizes.kind == DataSource::Kind::Reference) {
        auto sizes = referenceText(s.bubbleSizes, env);
        if (!sizes) return sizes;
        f += "," + *sizes;
    }
    return f + ")";
}

// The text a title shows: its own text, or the reference it is linked to. An automatic chart
// title without text of its own shows the name of the only series.
std::optional<std::string> titleText(const TextParts& t, const ChartParts& parts, const FormulaEnv& env) {
    if (t.deleted()) return std::nullopt;
    if (t.source.text) return t.source.text;
    if (t.source.kind == DataSource::Kind::Reference) {
        if (auto ref = referenceText(t.source, env)) return *ref;
        return std::nullopt;
    }
    if (t.linkedTo == 1 && t.autoText() && parts.series.size() == 1) {
        const DataSource& name = parts.series.front().name;
        if (name.text) return name.text;
        if (name.kind == DataSource::Kind::Reference)
            if (auto ref = referenceText(name, env)) return *ref;
    }
    return std::nullopt;
}

}  // namespace

Result<ChartInfo> readChart(std::span<const Record> records, const FormulaEnv& given) {
    // The formula text calls these back; a caller that leaves them unset must not make it throw.
    FormulaEnv env = given;
    if (!env.sheetPrefix) env.sheetPrefix = [](std::uint16_t) { return std::string{}; };
    if (!env.definedName) env.definedName = [](std::uint32_t) { return std::string{}; };
    auto parts = readChartParts(records);
    if (!parts) return parts.error();
    ChartInfo info;
    info.chartType = chartTypeOf(*parts);
    info.plotBy = plotByOf(*parts);
    info.series.reserve(parts->series.size());
    for (std::size_t i = 0; i < parts->series.size(); ++i) {
        ChartSeries s;
        // A reference that cannot be spelt leaves the formula empty: it then matches nothing.
        if (auto f = seriesFormula(parts->series[i], i, env)) s.formula = std::move(*f);
        info.series.push_back(std::move(s));
    }
    if (parts->title) info.title = titleText(*parts->title, *parts, env);
    if (parts->categoryAxisTitle) info.categoryAxisTitle = titleText(*parts->categoryAxisTitle, *parts, env);
    if (parts->valueAxisTitle) info.valueAxisTitle = titleText(*parts->valueAxisTitle, *parts, env);
    return info;
}

}  // namespace tarnwick::xls
