#include "marking/run.h"

#include <filesystem>

#include "marking/rubric_table.h"
#include "platform/file_io.h"
#include "exercises/catalog.h"

namespace tarnwick::marking {

std::string_view markingRefusal(exercises::ExerciseKind kind) {
    switch (kind) {
        case exercises::ExerciseKind::WordProcessing: return "你没有关闭Word现在评分哦！请先关闭再点评分按钮！";
        case exercises::ExerciseKind::Spreadsheet: return "你没有关闭Excel现在评分哦！请先关闭再点评分按钮！";
        case exercises::ExerciseKind::WebPage: return "你没有关闭frontpage不能评分哦！请先关闭再点评分按钮！";
    }
    return "";
}

RunOutcome runMarking(exercises::QuestionNumberType number, const platform::ExamFolder& folder,
                      const platform::AppProbe* probe, MarkingState& state, std::span<const RubricEntry> table) {
    RunOutcome out;
    const exercises::Exercise* exercise = exercises::findExercise(number);
    if (!exercise) return out;

    if (probe && probe->isRunning(exercises::officeAppOf(exercise->kind))) {
        out.end = RunEnd::ProbeRefused;
        out.message = markingRefusal(exercise->kind);
        return out;
    }

    state.Score = 0;
    state.ParagraphIndex = 1;
    state.contentLost = false;

    Rubric rubric = nullptr;
    for (const RubricEntry& entry : table)
        if (entry.number == number) {
            rubric = entry.rubric;
            break;
        }
    if (!rubric) {
        out.message = "这套试题的评分还没有做好。";
        return out;
    }

    // The document is looked up without regard to case, as Windows does on every machine.
    const auto document = platform::findEntryIgnoringCase(folder.path, exercise->document);
    std::error_code ec;
    const std::filesystem::file_status st =
        document ? std::filesystem::status(*document, ec) : std::filesystem::file_status{};
    if (!document || !std::filesystem::exists(st)) {
        out.end = RunEnd::FileMissing;
        out.message = folder.shownFile(exercise->document);
        out.message += exercise->kind == exercises::ExerciseKind::WebPage ? "不存在！请恢复试题后再做！"
                                                                    : "不存在！不要欺骗电脑";
        return out;
    }
    if (!std::filesystem::is_regular_file(st)) {
        out.end = RunEnd::Unreadable;
        out.message = folder.shownFile(exercise->document);
        out.message += std::filesystem::is_directory(st) ? "是一个文件夹，不是试题文件，无法评分。"
                                                         : "不是普通文件（是管道或设备等特殊文件），无法评分。";
        out.unreadable = out.message;
        return out;
    }

    RubricEnd end = rubric(*document, state);
    out.unreadable = std::move(end.unreadable);
    if (!end.marked) {
        out.end = RunEnd::Unreadable;
        out.message = out.unreadable;
        return out;
    }

    out.end = RunEnd::Ended;
    out.Label5 = std::to_string(state.Score);
    out.verdict = state.Score == 100 ? kAllCorrect : kNotYet;
    return out;
}

}  // namespace tarnwick::marking
