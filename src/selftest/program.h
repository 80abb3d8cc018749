// What makes one self-test marker: its workbook, its title, its task text, the size and places of
// its task window, and its rubric. Both programs share everything else (their start window, the
// hand-in, the result text).
#pragma once

#include <string_view>

#include "marking/state.h"
#include "model/excel/workbook.h"

namespace tarnwick::selftest {

// Left, top, width, height in twips.
struct TwipRect {
    int left, top, width, height;
};

// The task window Form1: its client area and its four controls.
struct FormLayout {
    int clientWidth, clientHeight;
    TwipRect Label1;    // the program's title
    TwipRect Text1;     // the task text
    TwipRect Command2;  // 开始答题
    TwipRect Command1;  // 我想交卷
};

// Marks the workbook opened for marking: `sheet` is its Worksheets("Sheet1"), the reads called
// active go to the sheet that was active when it was saved.
using Rubric = void (*)(const excel::Workbook& book, const excel::Worksheet& sheet, marking::MarkingState& state);

struct Program {
    std::string_view id;        // "vorlane", "kestrum": the command line's name
    std::string_view title;     // shown in both windows
    std::string_view workbook;  // the file beside the program
    std::string_view taskText;  // Form1's Text1, lines ending in CR LF
    FormLayout form;
    Rubric rubric;
};

const Program& vorlane();
const Program& kestrum();

// The caption of both windows (Form1 adds blanks and the credits).
inline constexpr std::string_view kWindowCaption = "Markhaven";
// The caption of every message box.
inline constexpr std::string_view kBoxCaption = "提示";
// The marking sheet.
inline constexpr std::string_view kMarkingSheet = "Sheet1";

// The start window Dialog: client area and controls, the same in both programs.
inline constexpr int kDialogWidth = 4635, kDialogHeight = 2895;
inline constexpr TwipRect kDialogLabel2{480, 600, 3855, 375};   // the title
inline constexpr TwipRect kDialogLabel1{2400, 1320, 1575, 255};  // credits
inline constexpr TwipRect kDialogOk{840, 2160, 1215, 375};       // 确定
inline constexpr TwipRect kDialogCancel{2520, 2160, 1215, 375};  // 取消

}  // namespace tarnwick::selftest
