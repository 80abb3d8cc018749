#include "cli/commands.h"

#include "base/json_text.h"
#include "marking/result_json.h"
#include "marking/run.h"
#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "exercises/catalog.h"
#include "shell/prepare.h"
#include "exercises/shitichuli.h"

namespace tarnwick::cli {
namespace {

Result<platform::ExamFolder> folderOf(const std::optional<std::string>& examDir) {
    if (!examDir) return platform::defaultExamFolder();
    if (examDir->empty())
        return Error{ErrorKind::NotFound, "--exam-dir 后面的文件夹是空的：请写明考试文件夹，或去掉这个选项以使用默认的考试文件夹。"};
    return platform::examFolderAt(*examDir);
}

int exitStatusOf(const marking::RunOutcome& r) {
    switch (r.end) {
        case marking::RunEnd::ProbeRefused: return kExitProbeRefused;
        case marking::RunEnd::FileMissing: return kExitFileMissing;
        case marking::RunEnd::Unreadable:
        case marking::RunEnd::NoExercise: return kExitCannotMark;
        case marking::RunEnd::Ended: return r.unreadable.empty() ? kExitOk : kExitCannotMark;
    }
    return kExitOk;
}

}  // namespace

int runList(bool json, std::ostream& out) {
    if (json) {
        out << "[";
        bool first = true;
        for (const exercises::Exercise& e : exercises::catalog()) {
            out << (first ? "\n" : ",\n") << "  {\"number\": " << e.number << ", \"caption\": " << jsonString(e.caption)
                << ", \"kind\": " << jsonString(exercises::kindName(e.kind)) << ", \"document\": " << jsonString(e.document) << "}";
            first = false;
        }
        out << "\n]\n";
        return kExitOk;
    }
    for (const exercises::Exercise& e : exercises::catalog())
        out << e.number << '\t' << e.caption << '\t' << exercises::kindName(e.kind) << '\t' << e.document << '\n';
    return kExitOk;
}

int runTasks(std::int16_t number, bool hints, const std::optional<std::string>& examDir, std::ostream& out,
             std::ostream& err) {
    const auto folder = folderOf(examDir);
    if (!folder) {
        err << folder.error().message << '\n';
        return kExitUsage;
    }
    exercises::CatalogTexts texts;
    exercises::proc1(number, texts, *folder);
    out << (hints ? texts.HintText : texts.RequirementText);
    return kExitOk;
}

int runPrepare(const CommonOptions& o, std::ostream& out, std::ostream& err) {
    const auto folder = folderOf(o.examDir);
    if (!folder) {
        err << folder.error().message << '\n';
        return kExitUsage;
    }
    const auto probe = o.skipProbe ? nullptr : platform::systemProbe();
    const shell::PrepareReport r =
        shell::prepareExercise(static_cast<exercises::QuestionNumberType>(o.number), *folder, probe.get());
    if (r.refused) {
        err << r.refusal << '\n';
        return kExitProbeRefused;
    }
    if (!r.problem.empty()) {
        err << r.problem << '\n';
        return kExitNotPrepared;
    }
    for (const std::string& f : r.written) out << folder->shownFile(f) << '\n';
    if (!r.failed.empty()) {
        err << shell::notWrittenMessage(r, *folder) << '\n';
        return kExitNotPrepared;
    }
    return kExitOk;
}

int runMark(const CommonOptions& o, bool json, bool explain, std::ostream& out, std::ostream& err) {
    const auto folder = folderOf(o.examDir);
    if (!folder) {
        err << folder.error().message << '\n';
        return kExitUsage;
    }
    const auto probe = o.skipProbe ? nullptr : platform::systemProbe();
    marking::MarkingState state;
    const marking::RunOutcome r =
        marking::runMarking(static_cast<exercises::QuestionNumberType>(o.number), *folder, probe.get(), state);
    const bool ended = r.end == marking::RunEnd::Ended;
    const auto correct = crlfLines(state.CorrectList);
    const auto wrong = crlfLines(state.WrongList);
    if (json) {
        // One object for every outcome; the results only when the run reached its ending.
        out << marking::resultJson(o.number, r, state) << "\n";
        if (!ended) err << r.message << '\n';
        return exitStatusOf(r);
    }
    if (!ended) {
        err << r.message << '\n';
        return exitStatusOf(r);
    }
    out << "成绩：" << r.Label5 << "\n\n正确部分\n";
    for (const auto& l : correct) out << l << '\n';
    out << "\n错误部分\n";
    if (explain) {
        // Each wrong item followed by what it read and what it wanted; lines that are no item
        // (a document that could not be read) stand alone.
        const auto items = marking::itemsOfLines(wrong, state.items, true);
        for (std::size_t k = 0; k < wrong.size(); ++k) {
            out << wrong[k] << '\n';
            const std::string why = items[k] ? marking::explanation(*items[k]) : std::string();
            if (!why.empty()) out << "    " << why << '\n';
        }
    } else {
        for (const auto& l : wrong) out << l << '\n';
    }
    out << '\n' << r.verdict << '\n';
    return exitStatusOf(r);
}

}  // namespace tarnwick::cli
