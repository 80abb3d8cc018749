// The handlers' message boxes as Windows shows them: MessageBoxW, modal over the whole program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/prompter.h"

namespace tarnwick::gui::win32 {

class MessageBoxPrompter : public platform::Prompter {
public:
    explicit MessageBoxPrompter(std::string caption) : caption_(std::move(caption)) {}

    // Called before each box: brings the windows up to date so that the box appears over what
    // the handler has done so far; returns the window that owns the box (may be null).
    std::function<HWND()> beforeBox;

    void info(std::string_view text) override;   // 确定 only
    bool yesNo(std::string_view text) override;  // 是 and 否; true for 是

private:
    int show(std::string_view text, UINT buttons);
    std::string caption_;
};

}  // namespace tarnwick::gui::win32
