// Fuzzes the workbook reader through the object model: opens the workbook, reads every property
// a rubric reads of every cell and of a few blocks and the charts.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "model/excel/workbook.h"

namespace {

using namespace tarnwick::excel;

void touch(const Variant& v) {
    if (v.isFailed() && v.failure().empty()) __builtin_trap();
}

void readAll(const Range& r) {
    touch(r.Address());
    touch(r.MergeArea().Address());
    touch(r.MergeCells());
    touch(r.HorizontalAlignment());
    touch(r.VerticalAlignment());
    touch(r.RowHeight());
    touch(r.ColumnWidth());
    const Font f = r.Font();
    touch(f.Name());
    touch(f.Size());
    touch(f.Bold());
    touch(f.Italic());
    touch(f.ColorIndex());
    touch(r.Interior().ColorIndex());
    touch(r.Formula());
    touch(r.FormulaR1C1());
    touch(r.HasFormula());
    touch(r.Value());
    touch(r.NumberFormatLocal());
    for (int i = 5; i <= 12; ++i) touch(r.Borders(i).LineStyle());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto book = Workbook::open(tarnwick::Bytes(data, size));
    if (!book) return 0;
    for (std::uint32_t i = 1; i <= book->SheetCount(); ++i) {
        const Worksheet ws = *book->Sheets(i);
        std::size_t n = 0;
        for (const auto& c : ws.data().cells) {
            if (++n > 300) break;
            readAll(ws.Cells(c.row + 1u, c.col + 1u));
        }
        readAll(ws.Range("A1:H21"));
        readAll(ws.Rows("1:1"));
        // Whole columns: the per-column reads only (65536 cells per property is slow here).
        touch(ws.Columns("A:A").ColumnWidth());
        touch(ws.Columns("A:C").RowHeight());
        touch(ws.Columns("B:B").Borders(7).LineStyle());
        const auto charts = ws.ChartObjects();
        const Variant count = charts.Count();
        for (std::uint32_t k = 1; k <= static_cast<std::uint32_t>(count.asNumber()) + 1; ++k) {
            const Chart ch = charts(k).Chart();
            touch(ch.ChartType());
            touch(ch.PlotBy());
            touch(ch.SeriesCollection(1).Formula());
            touch(ch.ChartTitle().Characters().Text());
            touch(ch.Axes(1).AxisTitle().Characters().Text());
            touch(ch.Axes(2).AxisTitle().Characters().Text());
        }
    }
    return 0;
}
