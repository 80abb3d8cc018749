// Placeholder until the chart reader lands.
#include "formats/xls/chart.h"

namespace tarnwick::xls {

Result<ChartInfo> readChart(std::span<const Record>, const FormulaEnv&) { return Error{"暂时无法读取图表。"}; }

}  // namespace tarnwick::xls
