// Marking a page in process, and a whole `tarnwick-cli mark 5` process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "marking/run.h"
#include "marking/state.h"
#include "marking/web/page_text.h"
#include "marking/web/web_rubrics.h"
#include "shell/prepare.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

fs::path preparedFolder(int exercise) {
    const fs::path dir = fs::temp_directory_path() / ("tarnwick-bench-" + std::to_string(exercise));
    fs::create_directories(dir);
    shell::prepareExercise(static_cast<shell::QuestionNumberType>(exercise), platform::posixSpelling(dir), nullptr);
    fs::copy_file(fs::path(TARNWICK_TEST_DATA) / ("web/ex" + std::to_string(exercise) + "-solution.htm"),
                  dir / "index.htm", fs::copy_options::overwrite_existing);
    return dir;
}

void BM_MarkPageInProcess(benchmark::State& st) {
    const fs::path dir = preparedFolder(5);
    const auto folder = platform::posixSpelling(dir);
    for (auto _ : st) {
        marking::MarkingState state;
        const auto r = marking::runMarking(5, folder, nullptr, state);
        benchmark::DoNotOptimize(r.Label5);
        if (state.Score != 100) st.SkipWithError("solution page did not score 100");
    }
}
BENCHMARK(BM_MarkPageInProcess)->Unit(benchmark::kMicrosecond);

void BM_CliMarkProcess(benchmark::State& st) {
    const fs::path dir = preparedFolder(5);
    const std::string cli = TARNWICK_CLI, sub = "mark", num = "5", opt = "--exam-dir", d = dir.string(),
                      skip = "--skip-probe";
    char* argv[] = {const_cast<char*>(cli.c_str()), const_cast<char*>(sub.c_str()), const_cast<char*>(num.c_str()),
                    const_cast<char*>(opt.c_str()),  const_cast<char*>(d.c_str()),   const_cast<char*>(skip.c_str()),
                    nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : st) {
        pid_t pid;
        if (posix_spawn(&pid, cli.c_str(), &fa, nullptr, argv, environ) != 0) {
            st.SkipWithError("spawn failed");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) st.SkipWithError("tarnwick-cli failed");
    }
    posix_spawn_file_actions_destroy(&fa);
}
BENCHMARK(BM_CliMarkProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatProcess(benchmark::State& st) {
    // For scale: the cost of starting any small process here.
    const fs::path dir = preparedFolder(5);
    const std::string cat = "/bin/cat", file = (dir / "index.htm").string();
    char* argv[] = {const_cast<char*>(cat.c_str()), const_cast<char*>(file.c_str()), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : st) {
        pid_t pid;
        if (posix_spawn(&pid, cat.c_str(), &fa, nullptr, argv, environ) != 0) break;
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&fa);
}
BENCHMARK(BM_CatProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
