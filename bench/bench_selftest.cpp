// The self-test markers' hand-in: marking in process, and whole `tarnwick-cli selftest … mark`
// processes, on the untouched and the solved workbook of each program.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "selftest/hand_in.h"
#include "spawn.h"


namespace {

namespace fs = std::filesystem;
using namespace tarnwick;

struct Case {
    const selftest::Program* program;
    fs::path file;
    int score;
};

Case caseOf(std::int64_t index) {
    const fs::path start(TARNWICK_SELFTEST_FILES), data = fs::path(TARNWICK_TEST_DATA) / "selftest";
    switch (index) {
        case 0: return {&selftest::vorlane(), start / u8"学生成绩表.xls", 0};
        case 1: return {&selftest::vorlane(), data / "vorlane-solution.xls", 100};
        case 2: return {&selftest::kestrum(), start / u8"水电气费.xls", 5};
        default: return {&selftest::kestrum(), data / "kestrum-solution.xls", 100};
    }
}

const char* const kNames[] = {"vorlane untouched", "vorlane solved", "kestrum untouched", "kestrum solved"};

void BM_SelftestMarkInProcess(benchmark::State& st) {
    const Case c = caseOf(st.range(0));
    st.SetLabel(kNames[st.range(0)]);
    for (auto _ : st) {
        const selftest::MarkOutcome r = selftest::markFile(*c.program, c.file);
        benchmark::DoNotOptimize(r.text);
        if (r.state.Score != c.score) st.SkipWithError("unexpected score");
    }
}
BENCHMARK(BM_SelftestMarkInProcess)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_SelftestCliMarkProcess(benchmark::State& st) {
    const Case c = caseOf(st.range(0));
    st.SetLabel(kNames[st.range(0)]);
    bench::spawnEach(st, {TARNWICK_CLI, "selftest", std::string(c.program->id), "mark", c.file.string()});
}
BENCHMARK(BM_SelftestCliMarkProcess)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// For scale: `cat` of the same workbook as a process.
void BM_SelftestCatProcess(benchmark::State& st) {
    const Case c = caseOf(st.range(0));
    st.SetLabel(kNames[st.range(0)]);
    bench::spawnEach(st, {"/bin/cat", c.file.string()});
}
BENCHMARK(BM_SelftestCatProcess)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
