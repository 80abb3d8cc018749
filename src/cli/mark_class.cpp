// tarnwick-cli mark-class: a whole class's submissions marked at once.
#include <charconv>
#include <fstream>
#include <iostream>

#include "base/path_text.h"
#include "classroom/class_report.h"
#include "cli/commands.h"
#include "marking/result_json.h"
#include "exercises/exercise_files.h"
#include "resources/embedded.h"

namespace tarnwick::cli {
namespace {

// "k/n" with 1 <= k <= n.
bool parseShard(const std::string& text, int& k, int& n) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) return false;
    const char* b = text.data();
    auto r1 = std::from_chars(b, b + slash, k);
    auto r2 = std::from_chars(b + slash + 1, b + text.size(), n);
    return r1.ec == std::errc() && r1.ptr == b + slash && r2.ec == std::errc() && r2.ptr == b + text.size() && n >= 1 &&
           k >= 1 && k <= n && n <= 100000;
}


// The exercise document as the program writes it: what a student who did nothing hands in.
Bytes startingDocument(const exercises::Exercise& e) {
    for (const exercises::ExerciseFile& f : exercises::exerciseFiles(e.number))
        if (f.fileName == e.document)
            if (const auto bytes = resources::find(f.type, f.name)) return *bytes;
    return {};
}

}  // namespace

int runMarkClass(const MarkClassOptions& o, std::ostream& out, std::ostream& err) {
    const exercises::Exercise* e = exercises::findExercise(o.number);
    int k = 1, n = 1;
    if (!o.shard.empty() && !parseShard(o.shard, k, n)) {
        err << "--shard 的格式应为 k/n（1 ≤ k ≤ n），而不是“" << o.shard << "”。\n";
        return kExitUsage;
    }
    auto listed = classroom::listSubmissions(pathFromUtf8(o.dir), *e);
    if (!listed) {
        err << listed.error().message << '\n';
        return listed.error().kind == ErrorKind::NotFound ? kExitFileMissing : kExitUsage;
    }
    const std::vector<classroom::Submission> share = classroom::shareOf(std::move(*listed), k, n);

    classroom::ClassOptions options;
    options.jobs = o.jobs;
    if (!o.quiet)
        options.progress = [&err](std::size_t done, std::size_t total) {
            if (done == total || done % 20 == 0) err << "\r已评 " << done << " / " << total << std::flush;
        };
    classroom::ClassReport report;
    report.question = o.number;
    report.caption = std::string(e->caption);
    report.results = classroom::markClass(static_cast<exercises::QuestionNumberType>(o.number), share, options);
    if (!o.quiet && !share.empty()) err << '\n';
    const Bytes start = startingDocument(*e);
    report.copies = classroom::findCopies(report.results, start);

    auto writeFile = [&](const std::string& file, auto&& write) {
        std::ofstream f(pathFromUtf8(file), std::ios::binary | std::ios::trunc);
        write(report, f);
        f.close();
        if (!f) {
            err << "无法写入“" << file << "”。\n";
            return false;
        }
        return true;
    };
    bool written = true;
    if (!o.csv.empty()) written &= writeFile(o.csv, classroom::writeCsv);
    if (!o.report.empty()) written &= writeFile(o.report, classroom::writeHtml);
    if (o.json) {
        classroom::writeJsonLines(report, out);
    } else {
        for (const classroom::StudentResult& r : report.results) {
            out << r.submission.student << '\t';
            if (r.outcome.end == marking::RunEnd::Ended) out << r.state.Score;
            out << '\t' << marking::statusName(r.outcome);
            const std::string& why = marking::reasonOf(r.outcome);
            if (!why.empty()) out << '\t' << why;
            out << '\n';
        }
        for (const classroom::CopyFinding& c : report.copies)
            out << "疑似抄袭：" << c.first << (c.second.empty() ? "" : "、" + c.second) << "（" << c.signal << "）\n";
    }
    return written ? kExitOk : kExitNotPrepared;
}

}  // namespace tarnwick::cli
