// What each window shows of its model's state: the controls the handlers change, with their text,
// visibility and enabled state, and the window's own visibility and place in the z-order. The
// native windows apply a view after every handler; tests read the views without any window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "selftest/model.h"
#include "shell/window_model.h"

namespace tarnwick::gui::win32 {

struct ControlState {
    std::string name;
    std::string text;  // UTF-8, lines ending in CR LF (see editText)
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool operator==(const ControlState&) const = default;
};

struct WindowView {
    bool visible = false;
    bool topmost = false;
    std::vector<ControlState> controls;  // only the controls the handlers change

    const ControlState* find(std::string_view name) const;
};

WindowView viewOf(const shell::XuanzheState& state);
WindowView viewOf(const shell::MainState& state);
WindowView viewOf(const shell::YaoqiuState& state);
WindowView viewOf(const shell::ShuomingState& state);
WindowView viewOf(const selftest::WindowState& state);  // Dialog and Form1

// A model text as an edit control needs it: every line break (CR LF, a lone CR or a lone LF) as
// CR LF.
std::string editText(std::string_view text);

}  // namespace tarnwick::gui::win32
