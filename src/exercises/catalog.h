// The eight exercises of the practice program.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/probe.h"

namespace tarnwick::exercises {

using QuestionNumberType = std::int16_t;

enum class ExerciseKind { WordProcessing, Spreadsheet, WebPage };

struct Exercise {
    QuestionNumberType number;   // 1 to 8
    std::string_view option;     // option button of the selection window
    std::string_view caption;    // e.g. "Word第一套试题"
    ExerciseKind kind;
    std::string_view document;   // file name of the exercise document in the exam folder
    int items;                   // numbered tasks in the requirement text
};

// The catalog in number order (1 to 8).
std::span<const Exercise> catalog();
// The exercise of a number, or nullptr for anything but 1 to 8.
const Exercise* findExercise(int number);

std::string_view kindName(ExerciseKind kind);  // "word processing", "spreadsheet", "web page"

// The office application a student works in for an exercise of this kind (probed before
// preparing and marking).
platform::OfficeApp officeAppOf(ExerciseKind kind);

// The contact e-mail address of the first web exercise (task text, rubric pattern, messages).
inline constexpr std::string_view kContactEmail = "guanliyuan@tarnwick.example";

}  // namespace tarnwick::exercises
