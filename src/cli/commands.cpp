#include "cli/commands.h"

#include "cli/json.h"
#include "marking/run.h"
#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "shell/catalog.h"
#include "shell/prepare.h"
#include "shell/shitichuli.h"

namespace tarnwick::cli {
namespace {

platform::ExamFolder folderOf(const CommonOptions& o) {
    return o.examDir.empty() ? platform::defaultExamFolder() : platform::examFolderAt(o.examDir);
}

}  // namespace

int runList(std::ostream& out) {
    for (const shell::Exercise& e : shell::exercises())
        out << e.number << '\t' << e.caption << '\t' << shell::kindName(e.kind) << '\t' << e.document << '\n';
    return kExitOk;
}

int runTasks(std::int16_t number, bool hints, const std::string& examDir, std::ostream& out) {
    shell::CatalogTexts texts;
    shell::proc1(number, texts, examDir.empty() ? platform::defaultExamFolder() : platform::examFolderAt(examDir));
    out << (hints ? texts.HintText : texts.RequirementText);
    return kExitOk;
}

int runPrepare(const CommonOptions& o, std::ostream& out, std::ostream& err) {
    const auto folder = folderOf(o);
    const auto probe = o.skipProbe ? nullptr : platform::systemProbe();
    const shell::PrepareReport r =
        shell::prepareExercise(static_cast<shell::QuestionNumberType>(o.number), folder, probe.get());
    if (r.refused) {
        err << r.refusal << '\n';
        return kExitProbeRefused;
    }
    for (const std::string& f : r.written) out << folder.shownFile(f) << '\n';
    for (const std::string& f : r.failed) err << "未能写入 " << folder.shownFile(f) << '\n';
    return kExitOk;
}

int runMark(const CommonOptions& o, bool json, std::ostream& out, std::ostream& err) {
    const auto folder = folderOf(o);
    const auto probe = o.skipProbe ? nullptr : platform::systemProbe();
    marking::MarkingState state;
    const marking::RunOutcome r =
        marking::runMarking(static_cast<shell::QuestionNumberType>(o.number), folder, probe.get(), state);
    switch (r.end) {
        case marking::RunEnd::ProbeRefused: err << r.message << '\n'; return kExitProbeRefused;
        case marking::RunEnd::FileMissing: err << r.message << '\n'; return kExitFileMissing;
        case marking::RunEnd::Unreadable:
        case marking::RunEnd::NoExercise: err << r.message << '\n'; return kExitCannotMark;
        case marking::RunEnd::Ended: break;
    }
    const auto correct = crlfLines(state.CorrectList);
    const auto wrong = crlfLines(state.WrongList);
    if (json) {
        out << "{\"question\": " << o.number << ", \"score\": " << state.Score
            << ", \"correct\": " << jsonArray(correct) << ", \"wrong\": " << jsonArray(wrong)
            << ", \"verdict\": " << jsonString(r.verdict) << "}\n";
        return kExitOk;
    }
    out << "成绩：" << r.Label5 << "\n\n正确部分\n";
    for (const auto& l : correct) out << l << '\n';
    out << "\n错误部分\n";
    for (const auto& l : wrong) out << l << '\n';
    out << '\n' << r.verdict << '\n';
    return kExitOk;
}

}  // namespace tarnwick::cli
