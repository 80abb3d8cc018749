// Whole processes as benchmarks: each iteration starts the program and waits for its end.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace tarnwick::bench {

// One process per iteration, its output to /dev/null; exit status 0 required.
inline void spawnEach(benchmark::State& st, std::vector<std::string> args) {
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

}  // namespace tarnwick::bench
