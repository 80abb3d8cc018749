// Kestrum, the second self-test marker: the household charges 水电气费.xls, its task text, its ten
// sheet items with the chart count, and the chart items run for every chart of the sheet.
#pragma once

#include <string_view>
#include <vector>

#include "selftest/program.h"
#include "selftest/sheets.h"

namespace tarnwick::selftest {

inline constexpr std::string_view kKestrumWorkbook = "水电气费.xls";
inline constexpr std::string_view kKestrumChartTitle = "信息苑小区21栋3单元5月份每户总付费";
extern const std::string_view kKestrumTaskText;

// Items 1 to 10, then item 11 (no chart: a fault without points).
const std::vector<Row<Sheets>>& kestrumSheetRows();
// Items 12 to 17 on one chart. A title item has two rows: one for a missing (or empty) title,
// then, when there is one, one for its text.
const std::vector<Row<excel::Chart>>& kestrumChartRows();

// Item 13's test on a series formula: its category range is $B$3:$B$17 and its value range
// $I$3:$I$17.
bool seriesOverNamesAndTotals(const Variant& seriesFormula);

void markKestrum(const excel::Workbook& book, const excel::Worksheet& sheet, marking::MarkingState& state);

}  // namespace tarnwick::selftest
