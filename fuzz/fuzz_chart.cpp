// Fuzzes the chart reader over a chart sub-stream's records (BOF of type chart to EOF).
#include <cstddef>
#include <cstdint>

#include "formats/xls/chart.h"
#include "formats/xls/chart_parts.h"
#include "formats/xls/record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    auto records = xls::splitRecords(Bytes(data, size), 100'000);
    if (!records) return 0;
    xls::FormulaEnv env;
    env.sheetPrefix = [](std::uint16_t ixti) { return ixti == 0 ? std::string("Sheet1") : std::string(); };
    auto info = xls::readChart(*records, env);
    if (info) {
        auto parts = xls::readChartParts(*records);
        // Both readings take the same records: they must agree on the series.
        if (!parts || parts->series.size() != info->series.size()) __builtin_trap();
        if (info->plotBy < 0 || info->plotBy > 2) __builtin_trap();
    }
    return 0;
}
