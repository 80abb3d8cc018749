// The self-test markers' hand-in: marking in process, and whole `tarnwick-cli selftest … mark`
// processes, on the untouched and the solved workbook of each program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "selftest/hand_in.h"

extern char** environ;

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

// One process to its end, its output to /dev/null; exit status 0 required.
void spawnEach(benchmark::State& st, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : st) {
        pid_t pid;
        if (posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) {
            st.SkipWithError("spawn failed");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) st.SkipWithError("the process failed");
    }
    posix_spawn_file_actions_destroy(&fa);
}

void BM_SelftestCliMarkProcess(benchmark::State& st) {
    const Case c = caseOf(st.range(0));
    st.SetLabel(kNames[st.range(0)]);
    spawnEach(st, {TARNWICK_CLI, "selftest", std::string(c.program->id), "mark", c.file.string()});
}
BENCHMARK(BM_SelftestCliMarkProcess)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// For scale: `cat` of the same workbook as a process.
void BM_SelftestCatProcess(benchmark::State& st) {
    const Case c = caseOf(st.range(0));
    st.SetLabel(kNames[st.range(0)]);
    spawnEach(st, {"/bin/cat", c.file.string()});
}
BENCHMARK(BM_SelftestCatProcess)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
