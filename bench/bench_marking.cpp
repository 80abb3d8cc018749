// Whole marking runs: in process, and as a `tarnwick-cli mark` process, for a page and a workbook.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "marking/run.h"
#include "marking/state.h"
#include "marking/web/page_text.h"
#include "marking/web/web_rubrics.h"
#include "shell/prepare.h"
#include "spawn.h"

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

// An exam folder prepared for the exercise, holding its solved document.
fs::path preparedFolder(int exercise) {
    const fs::path dir = fs::temp_directory_path() / ("tarnwick-bench-" + std::to_string(exercise));
    fs::create_directories(dir);
    shell::prepareExercise(static_cast<exercises::QuestionNumberType>(exercise), platform::posixSpelling(dir), nullptr);
    const auto* e = exercises::findExercise(exercise);
    const std::string n = std::to_string(exercise);
    const std::string solution = e->kind == exercises::ExerciseKind::WebPage       ? "web/ex" + n + "-solution.htm"
                                 : e->kind == exercises::ExerciseKind::Spreadsheet ? "solutions/ex" + n + "-solution.xls"
                                                                                   : "word-solutions/ex" + n + "-solution.doc";
    fs::copy_file(fs::path(TARNWICK_TEST_DATA) / solution,
                  dir / fs::path(std::u8string(e->document.begin(), e->document.end())),
                  fs::copy_options::overwrite_existing);
    return dir;
}

void BM_MarkInProcess(benchmark::State& st) {
    const int exercise = static_cast<int>(st.range(0));
    const fs::path dir = preparedFolder(exercise);
    const auto folder = platform::posixSpelling(dir);
    for (auto _ : st) {
        marking::MarkingState state;
        const auto r = marking::runMarking(static_cast<exercises::QuestionNumberType>(exercise), folder, nullptr, state);
        benchmark::DoNotOptimize(r.Label5);
        if (state.Score != 100) st.SkipWithError("the solution did not score 100");
    }
}
BENCHMARK(BM_MarkInProcess)->Arg(5)->Arg(6)->Arg(3)->Arg(4)->Arg(8)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMicrosecond);

void BM_CliMarkProcess(benchmark::State& st) {
    const int exercise = static_cast<int>(st.range(0));
    bench::spawnEach(st, {TARNWICK_CLI, "mark", std::to_string(exercise), "--exam-dir", preparedFolder(exercise).string(),
                          "--skip-probe"});
}
BENCHMARK(BM_CliMarkProcess)->Arg(5)->Arg(3)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatProcess(benchmark::State& st) {
    // For scale: the cost of starting any small process here.
    bench::spawnEach(st, {"/bin/cat", (preparedFolder(5) / "index.htm").string()});
}
BENCHMARK(BM_CatProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
