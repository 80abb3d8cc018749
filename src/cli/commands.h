// The commands of tarnwick-cli, callable from tests with their own streams.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace tarnwick::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitProbeRefused = 3;
inline constexpr int kExitFileMissing = 4;
inline constexpr int kExitCannotMark = 5;
inline constexpr int kExitNotPrepared = 6;  // prepare: folder refused, files missing from this build, or not written

struct CommonOptions {
    int number = 0;
    std::optional<std::string> examDir;  // not given: the default exam folder; given empty: a usage error
    bool skipProbe = false;
};

int runList(bool json, std::ostream& out);
int runTasks(std::int16_t number, bool hints, const std::optional<std::string>& examDir, std::ostream& out,
             std::ostream& err);
int runPrepare(const CommonOptions& options, std::ostream& out, std::ostream& err);
// With `explain`, each wrong line is followed by what the item read and what it expected.
int runMark(const CommonOptions& options, bool json, bool explain, std::ostream& out, std::ostream& err);
// Inspects a workbook or a document: a .doc name, or a compound file with a Word document in it,
// goes to runInspectDocument.
int runInspect(const std::string& file, bool json, std::ostream& out, std::ostream& err);
int runInspectDocument(const std::string& file, bool json, std::ostream& out, std::ostream& err);

// selftest PROGRAM ACTION [PATH] [--json]: PROGRAM vorlane or kestrum; ACTION tasks (the task
// text), workbook DIR (the starting workbook written into DIR), mark FILE.
struct SelftestOptions {
    std::string program, action;
    std::optional<std::string> path;
    bool json = false;
};
int runSelftest(const SelftestOptions& options, std::ostream& out, std::ostream& err);

struct MarkClassOptions {
    int number = 0;
    std::string dir;     // one entry per student
    std::string csv;     // write the CSV here (empty: none)
    std::string report;  // write the HTML report here (empty: none)
    bool json = false;   // JSON lines on standard output instead of the plain list
    unsigned jobs = 0;   // 0: one thread per core
    std::string shard;   // "k/n": mark only that share
    bool quiet = false;  // no progress line
};
// Exit 0 when the class was marked (any scores), 4 when DIR does not exist, 2 for usage, 6 when
// a report file could not be written.
int runMarkClass(const MarkClassOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tarnwick::cli
