// What Excel reports for a chart's ChartType and PlotBy, derived from the chart's parts.
#pragma once

#include "formats/xls/chart_parts.h"

namespace tarnwick::xls {

// XlChartType of the chart group that holds the first series (the first chart group when the
// chart has no series); 0 when the chart has no chart group or its type is not recognised.
int chartTypeOf(const ChartParts& parts);

// XlRowCol from the value references of the series: 2 xlColumns, 1 xlRows, 0 when the series
// do not tell (no references, blocks of several rows and columns, or mixed directions).
int plotByOf(const ChartParts& parts);

}  // namespace tarnwick::xls
