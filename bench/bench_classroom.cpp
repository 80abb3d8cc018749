// A class of 1 000 handed-in workbooks marked at once, as `tarnwick-cli mark-class` marks them.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "classroom/class_marking.h"
#include "classroom/copies.h"
#include "resources/embedded.h"

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

// 1 000 files: the first spreadsheet exercise's solution and its variants, in turn.
fs::path classOfThousand() {
    const fs::path dir = fs::temp_directory_path() / "tarnwick-bench-class";
    if (fs::exists(dir / "s0999.xls")) return dir;
    fs::create_directories(dir);
    std::vector<fs::path> sources{fs::path(TARNWICK_TEST_DATA) / "solutions/ex3-solution.xls"};
    for (const auto& e : fs::directory_iterator(fs::path(TARNWICK_TEST_DATA) / "solutions/variants"))
        if (e.path().filename().string().starts_with("ex3-")) sources.push_back(e.path());
    for (int i = 0; i < 1000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%04d.xls", i);
        fs::copy_file(sources[static_cast<std::size_t>(i) % sources.size()], dir / name, fs::copy_options::overwrite_existing);
    }
    return dir;
}

void BM_MarkClassOfThousand(benchmark::State& st) {
    const fs::path dir = classOfThousand();
    const auto* e = exercises::findExercise(3);
    const auto start = resources::find("XLS", "101");
    for (auto _ : st) {
        auto list = classroom::listSubmissions(dir, *e);
        if (!list || list->size() != 1000) {
            st.SkipWithError("the class folder was not made");
            break;
        }
        const auto results = classroom::markClass(3, *list, classroom::ClassOptions{static_cast<unsigned>(st.range(0)), nullptr});
        const auto copies = classroom::findCopies(results, *start);
        benchmark::DoNotOptimize(copies.size());
    }
}
BENCHMARK(BM_MarkClassOfThousand)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
