// The hand-in's marking: the saved workbook read by our own reader, its rubric run, and the
// result text shown to the student.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "marking/state.h"
#include "selftest/program.h"

namespace tarnwick::selftest {

// The question before marking, in a box with 是 and 否.
inline constexpr std::string_view kHandInQuestion = "Excel文件是否已经存盘并关闭？？？";

enum class MarkEnd {
    Marked,       // the rubric ran: `state` and `text` hold the result
    FileMissing,  // no workbook at the path
    Unreadable,   // not a workbook we can read, or no sheet named Sheet1
};

struct MarkOutcome {
    MarkEnd end = MarkEnd::Marked;
    std::string reason;           // FileMissing, Unreadable: one sentence for the student
    marking::MarkingState state;  // Marked: the hand-in score and the fault list
    std::string text;             // Marked: the result text
};

// Marks `file` with the program's rubric. The file is only read.
MarkOutcome markFile(const Program& program, const std::filesystem::path& file);

// The faults, each on its own line ending in CR LF, then "你的得分为 N分".
std::string resultText(const marking::MarkingState& state);

}  // namespace tarnwick::selftest
