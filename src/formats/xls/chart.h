// An embedded chart read from its chart sub-stream (BOF of type chart up to its EOF).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "formats/xls/formula.h"
#include "formats/xls/record.h"

namespace tarnwick::xls {

struct ChartSeries {
    // The series formula as Excel writes it: =SERIES(name,categories,values,order), each part a
    // sheet-qualified absolute reference (or a literal), e.g.
    // =SERIES(Sheet1!$I$2,Sheet1!$B$3:$B$17,Sheet1!$I$3:$I$17,1)
    std::string formula;
};

struct ChartInfo {
    int chartType = 0;  // XlChartType: 51 clustered column, 4 line, 5 pie, 57 clustered bar, ...
    std::vector<ChartSeries> series;
    int plotBy = 0;     // XlRowCol: 1 xlRows, 2 xlColumns; 0 when it cannot be derived
    std::optional<std::string> title;              // absent when the chart has no title
    std::optional<std::string> categoryAxisTitle;  // primary category axis
    std::optional<std::string> valueAxisTitle;     // primary value axis
};

// Reads one chart from the records of its sub-stream, BOF and EOF included. `env` supplies the
// sheet names of 3-D references (row and column are not used).
Result<ChartInfo> readChart(std::span<const Record> records, const FormulaEnv& env);

}  // namespace tarnwick::xls
