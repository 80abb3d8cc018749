// Opening a workbook of about 16 KB and making every read a spreadsheet rubric makes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/excel/workbook.h"

namespace {

using namespace tarnwick::excel;

std::vector<std::uint8_t> load(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FormulaRefs.xls of the Office corpus (tests/data/office-corpus): 17 KB, written by Excel.
const std::vector<std::uint8_t>& sample() {
    static const std::vector<std::uint8_t> bytes =
        load(std::filesystem::path(TARNWICK_TEST_DATA) / "office-corpus/xls/FormulaRefs.xls");
    return bytes;
}

int readRubricProperties(const Workbook& book) {
    int passed = 0;
    const Worksheet ws = *book.Sheets(1);
    auto count = [&](const Variant& v) { passed += v.isFailed() ? 0 : 1; };
    const Range a1 = ws.Range("A1");
    count(a1.MergeArea().Address());
    count(ws.Range("A1:H1").HorizontalAlignment());
    count(ws.Range("A1:F21").VerticalAlignment());
    count(a1.RowHeight());
    count(a1.ColumnWidth());
    count(ws.Rows("1:1").RowHeight());
    count(ws.Columns("A:A").ColumnWidth());
    const Font f = a1.Font();
    count(f.Name());
    count(f.Size());
    count(f.Bold());
    count(f.Italic());
    count(f.ColorIndex());
    count(ws.Range("A2:I17").Interior().ColorIndex());
    count(ws.Range("A45:B45").MergeCells());
    for (int i = 7; i <= 12; ++i) count(ws.Range("A2:I45").Borders(i).LineStyle());
    for (std::uint32_t row = 3; row <= 42; ++row) {
        const Range h = ws.Cells(row, 8), c = ws.Cells(row, 9);
        count(h.FormulaR1C1());
        count(c.FormulaR1C1());
        count(c.NumberFormatLocal());
        count(c.Value());
    }
    for (const char* a : {"G3", "G21", "H3", "H21", "G22", "D22", "F22"}) {
        const Range r = ws.Range(a);
        count(r.Formula());
        count(r.Value());
        count(r.HasFormula());
        count(r.NumberFormatLocal());
    }
    const auto charts = ws.ChartObjects();
    count(charts.Count());
    return passed;
}

void BM_OpenWorkbook(benchmark::State& state) {
    const auto& bytes = sample();
    for (auto _ : state) {
        auto book = Workbook::open(tarnwick::Bytes(bytes));
        benchmark::DoNotOptimize(book.ok());
    }
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_OpenWorkbook)->Unit(benchmark::kMicrosecond);

void BM_OpenAndReadRubricProperties(benchmark::State& state) {
    const auto& bytes = sample();
    for (auto _ : state) {
        auto book = Workbook::open(tarnwick::Bytes(bytes));
        if (!book) {
            state.SkipWithError(book.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(readRubricProperties(*book));
    }
}
BENCHMARK(BM_OpenAndReadRubricProperties)->Unit(benchmark::kMicrosecond);

void BM_OpenFileAndRead(benchmark::State& state) {
    const auto path = std::filesystem::path(TARNWICK_TEST_DATA) / "office-corpus/xls/FormulaRefs.xls";
    for (auto _ : state) {
        auto book = Workbook::open(path);
        if (!book) {
            state.SkipWithError(book.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(readRubricProperties(*book));
    }
}
BENCHMARK(BM_OpenFileAndRead)->Unit(benchmark::kMicrosecond);

}  // namespace
