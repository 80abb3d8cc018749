// A self-test marker's two native windows around its model: clicks go to the model's handlers,
// and after each handler (and before each message box) the windows mirror the model.
#pragma once

#include <memory>

#include "gui/win32/boxes.h"
#include "gui/win32/window.h"
#include "selftest/model.h"

namespace tarnwick::gui::win32 {

class SelftestApp {
public:
    // A null prompter in `services` gives message boxes captioned "提示".
    SelftestApp(const selftest::Program& program, selftest::Services services);
    SelftestApp(const SelftestApp&) = delete;
    SelftestApp& operator=(const SelftestApp&) = delete;

    // Shows the start window. The message loop ends when the program ends.
    void start();

    selftest::SelftestModel& model() { return model_; }
    void sync();

private:
    template <class Handler>
    void run(Handler handler);
    HWND boxOwner() const;

    MessageBoxPrompter boxes_{std::string(selftest::kBoxCaption)};
    selftest::SelftestModel model_;
    std::unique_ptr<Window> dialog_;
    std::unique_ptr<Window> form_;
    bool quitPosted_ = false;
};

// The whole program: the windows, the workbook beside the executable, the shell's opener; returns
// the exit status.
int runSelftestProgram(const selftest::Program& program);

}  // namespace tarnwick::gui::win32
