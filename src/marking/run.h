// One marking run: probe, reset, dispatch, file check, the rubric, and the ending as data.
#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "marking/rubric_table.h"
#include "marking/state.h"
#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "exercises/catalog.h"

namespace tarnwick::marking {

enum class RunEnd {
    NoExercise,     // the number matches no rubric; nothing happened
    ProbeRefused,   // the office application is running; message holds the box text
    FileMissing,    // the exercise document is missing; message holds the box text
    Unreadable,     // the document exists but could not be marked at all; message holds the box text
    Ended,          // the run reached its ending; Label5, lists and verdict are set
};

struct RunOutcome {
    RunEnd end = RunEnd::NoExercise;
    std::string message;   // the box of a run that ended early
    std::string Label5;    // the score as text
    std::string verdict;   // the verdict box text
    // Why the document could not be read (also for a run that ended with every item wrong).
    std::string unreadable;
};

inline constexpr std::string_view kAllCorrect = "恭喜你全部正确！";
inline constexpr std::string_view kNotYet = "还没有全正确，继续努力哦！";

std::string_view markingRefusal(exercises::ExerciseKind kind);

// Runs the rubric of `number` in `table` (the real rubrics unless a test gives others) on the
// document in `folder`. `probe` may be null (no probe). `state` keeps the lists of the previous
// run until a rubric empties them.
RunOutcome runMarking(exercises::QuestionNumberType number, const platform::ExamFolder& folder,
                      const platform::AppProbe* probe, MarkingState& state,
                      std::span<const RubricEntry> table = rubricTable());

// Marks one document file with the rubric of `number`, as runMarking marks the exam folder's
// document once it has found it (no probe, no folder): for teachers marking handed-in files.
RunOutcome markDocument(exercises::QuestionNumberType number, const std::filesystem::path& document,
                        MarkingState& state, std::span<const RubricEntry> table = rubricTable());

}  // namespace tarnwick::marking
