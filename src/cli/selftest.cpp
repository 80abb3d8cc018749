// tarnwick-cli selftest: the two self-test markers without their windows.
#include <filesystem>
#include <span>
#include <system_error>

#include "cli/commands.h"
#include "base/json_text.h"
#include "base/path_text.h"
#include "marking/result_json.h"
#include "platform/file_io.h"
#include "resources/embedded.h"
#include "selftest/hand_in.h"
#include "selftest/program.h"

// The starting workbooks compiled into this program (src/selftest/files/manifest.tsv).
namespace tarnwick::selftest::workbooks {
std::span<const tarnwick::resources::Resource> all();
}

namespace tarnwick::cli {
namespace {

const selftest::Program* programNamed(std::string_view name) {
    for (const selftest::Program* p : {&selftest::vorlane(), &selftest::kestrum()})
        if (p->id == name) return p;
    return nullptr;
}


int usage(std::ostream& err, std::string_view message) {
    err << "tarnwick-cli selftest：" << message << '\n';
    return kExitUsage;
}

int writeWorkbook(const selftest::Program& program, const std::string& dir, std::ostream& out, std::ostream& err) {
    std::span<const unsigned char> bytes;
    for (const resources::Resource& r : selftest::workbooks::all())
        if (r.name == program.id) bytes = r.bytes;
    const std::filesystem::path folder = pathFromUtf8(dir);
    const std::filesystem::path file = folder / pathFromUtf8(program.workbook);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (bytes.empty() || !platform::writeFile(file, bytes)) {
        err << "无法写入工作簿“" << utf8Of(file) << "”。\n";
        return kExitNotPrepared;
    }
    out << utf8Of(file) << '\n';
    return kExitOk;
}

int mark(const selftest::Program& program, const std::string& file, bool json, std::ostream& out, std::ostream& err) {
    const selftest::MarkOutcome r = selftest::markFile(program, pathFromUtf8(file));
    if (r.end != selftest::MarkEnd::Marked) {
        if (json) out << "{\"program\": " << jsonString(program.id) << ", \"reason\": " << jsonString(r.reason) << "}\n";
        err << r.reason << '\n';
        return r.end == selftest::MarkEnd::FileMissing ? kExitFileMissing : kExitCannotMark;
    }
    if (json)
        out << "{\"program\": " << jsonString(program.id) << ", \"score\": " << r.state.Score
            << ", \"faults\": " << jsonArray(crlfLines(r.state.WrongList)) << ", \"text\": " << jsonString(r.text)
            << ", \"items\": " << marking::itemsJson(r.state) << "}\n";
    else
        out << r.text << '\n';
    return kExitOk;
}

}  // namespace

int runSelftest(const SelftestOptions& o, std::ostream& out, std::ostream& err) {
    const selftest::Program* program = programNamed(o.program);
    if (!program) return usage(err, "程序名必须是 vorlane 或 kestrum，而不是“" + o.program + "”。");
    const bool needsPath = o.action == "workbook" || o.action == "mark";
    if (!needsPath && o.action != "tasks")
        return usage(err, "要做的事必须是 tasks、workbook 或 mark，而不是“" + o.action + "”。");
    if (needsPath && !o.path) return usage(err, o.action == "mark" ? "mark 后面要写出要评分的工作簿。" : "workbook 后面要写出文件夹。");
    if (!needsPath && o.path) return usage(err, "tasks 后面不需要别的参数。");
    if (needsPath && o.path->empty()) return usage(err, "文件或文件夹的名字是空的。");
    if (o.json && o.action != "mark") return usage(err, "--json 只用于 mark。");

    if (o.action == "tasks") {
        out << program->taskText;
        return kExitOk;
    }
    if (o.action == "workbook") return writeWorkbook(*program, *o.path, out, err);
    return mark(*program, *o.path, o.json, out, err);
}

}  // namespace tarnwick::cli
