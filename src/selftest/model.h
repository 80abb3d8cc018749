// The two windows of a self-test marker as plain state, and their handlers: the start window
// Dialog and the task window Form1. The Qt windows only mirror this state; tests drive the
// handlers directly and answer the boxes.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/openers.h"
#include "platform/prompter.h"
#include "selftest/hand_in.h"
#include "selftest/program.h"

namespace tarnwick::selftest {

// What the handlers reach outside the windows. The opener and the prompter may be null.
struct Services {
    std::filesystem::path programFolder;  // the folder of the running program: the workbook lies there
    platform::DocumentOpener* opener = nullptr;
    platform::Prompter* prompter = nullptr;  // boxes captioned kBoxCaption
};

struct WindowState {
    bool loaded = false;
    bool visible = false;
};

class SelftestModel {
public:
    SelftestModel(const Program& program, Services services);

    // Program start: Dialog loads and shows.
    void start();

    void dialogOkClick();      // 确定: Dialog hides, Form1 shows (not modal)
    void dialogCancelClick();  // 取消: the program ends
    void dialogUnload();       // Dialog's close box: the program ends

    void form1Command2Click();  // 开始答题: the workbook goes to the desktop's spreadsheet application
    // 我想交卷: asks; on 是 marks the workbook, shows the result and ends the program. A workbook
    // that is missing or cannot be marked gets one sentence in a box, and Form1 stays.
    void form1Command1Click();
    void form1Unload();  // Form1's close box: the program ends

    void end();
    bool ended() const { return ended_; }

    const Program& program() const { return program_; }
    std::filesystem::path workbookPath() const;

    WindowState dialog;
    WindowState form1;
    std::optional<MarkOutcome> lastHandIn;  // the last hand-in answered 是

private:
    void tell(std::string_view text);

    const Program& program_;
    Services services_;
    bool ended_ = false;
};

}  // namespace tarnwick::selftest
