// The practice program's four native windows around its window model: clicks go to the model's
// handlers, and after each handler (and before each message box) the windows mirror the model.
#pragma once

#include <memory>
#include <string_view>

#include "gui/win32/boxes.h"
#include "gui/win32/window.h"
#include "shell/window_model.h"

namespace tarnwick::gui::win32 {

class PracticeApp {
public:
    // A null prompter in `services` gives message boxes captioned with the program title.
    explicit PracticeApp(shell::Services services);
    ~PracticeApp();
    PracticeApp(const PracticeApp&) = delete;
    PracticeApp& operator=(const PracticeApp&) = delete;

    // Loads and shows the selection window. The message loop ends when the program ends.
    void start();

    shell::WindowModel& model() { return model_; }

    // Brings every window in line with the model (windows are created the first time the model
    // loads them).
    void sync();

private:
    template <class Handler>
    void run(Handler handler);
    void createWindows();
    void xuanzheClick(std::string_view control);
    void mainClick(std::string_view control);
    HWND boxOwner() const;

    MessageBoxPrompter boxes_{std::string(shell::kProgramTitle)};
    shell::WindowModel model_;
    std::unique_ptr<Window> shuoming_;
    std::unique_ptr<Window> xuanzhe_;
    std::unique_ptr<Window> main_;
    std::unique_ptr<Window> yaoqiu_;  // owned by main_; destroyed before it
    bool quitPosted_ = false;
};

}  // namespace tarnwick::gui::win32
