#include "marking/run.h"

#include <filesystem>

#include "base/path_text.h"
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

namespace {

Rubric rubricOf(exercises::QuestionNumberType number, std::span<const RubricEntry> table) {
    for (const RubricEntry& entry : table)
        if (entry.number == number) return entry.rubric;
    return nullptr;
}

// Marks an existing document with the rubric; `shown` is how messages name the document.
RunOutcome markExisting(Rubric rubric, const std::filesystem::path& document, const std::string& shown,
                        MarkingState& state) {
    RunOutcome out;
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(document, ec);
    if (!std::filesystem::is_regular_file(st)) {
        out.end = RunEnd::Unreadable;
        out.message = shown;
        out.message += std::filesystem::is_directory(st) ? "是一个文件夹，不是试题文件，无法评分。"
                                                         : "不是普通文件（是管道或设备等特殊文件），无法评分。";
        out.unreadable = out.message;
        return out;
    }
    RubricEnd end = rubric(document, state);
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

void reset(MarkingState& state) {
    state.Score = 0;
    state.ParagraphIndex = 1;
    state.contentLost = false;
}

const char* kNoRubric = "这套试题的评分还没有做好。";

}  // namespace

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

    reset(state);
    const Rubric rubric = rubricOf(number, table);
    if (!rubric) {
        out.message = kNoRubric;
        return out;
    }

    // The document is looked up without regard to case, as Windows does on every machine.
    const auto document = platform::findEntryIgnoringCase(folder.path, exercise->document);
    std::error_code ec;
    if (!document || !std::filesystem::exists(std::filesystem::status(*document, ec))) {
        out.end = RunEnd::FileMissing;
        out.message = folder.shownFile(exercise->document);
        out.message += exercise->kind == exercises::ExerciseKind::WebPage ? "不存在！请恢复试题后再做！"
                                                                    : "不存在！不要欺骗电脑";
        return out;
    }
    return markExisting(rubric, *document, folder.shownFile(exercise->document), state);
}

RunOutcome markDocument(exercises::QuestionNumberType number, const std::filesystem::path& document,
                        MarkingState& state, std::span<const RubricEntry> table) {
    RunOutcome out;
    if (!exercises::findExercise(number)) return out;
    reset(state);
    const Rubric rubric = rubricOf(number, table);
    if (!rubric) {
        out.message = kNoRubric;
        return out;
    }
    std::error_code ec;
    const std::string shown = utf8Of(document);
    if (!std::filesystem::exists(std::filesystem::status(document, ec))) {
        out.end = RunEnd::FileMissing;
        out.message = shown + "不存在。";
        return out;
    }
    return markExisting(rubric, document, shown, state);
}

}  // namespace tarnwick::marking
