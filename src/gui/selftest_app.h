// A self-test marker's windows around its model: clicks go to the model's handlers, and after
// each handler (and before each message box) the windows mirror the model.
#pragma once

#include <functional>
#include <memory>

#include "gui/desktop_services.h"
#include "gui/selftest_windows.h"
#include "selftest/model.h"

namespace tarnwick::gui {

class SelftestApp {
public:
    // A null prompter in `services` gives modal message boxes captioned "提示".
    SelftestApp(const selftest::Program& program, selftest::Services services);
    SelftestApp(const SelftestApp&) = delete;
    SelftestApp& operator=(const SelftestApp&) = delete;

    // Shows the start window.
    void start();

    // Called once when the program ends; the windows are hidden by then.
    std::function<void()> onEnded;

    selftest::SelftestModel& model() { return model_; }
    SelftestDialog* dialog() const { return dialog_.get(); }
    SelftestForm* form() const { return form_.get(); }

    void sync();

private:
    template <class Handler>
    void run(Handler handler);
    QWidget* boxOwner() const;

    MessageBoxPrompter boxes_{std::string(selftest::kBoxCaption)};
    selftest::SelftestModel model_;
    std::unique_ptr<QWidget> taskbarOwner_;  // never shown; owns Dialog
    std::unique_ptr<SelftestDialog> dialog_;
    std::unique_ptr<SelftestForm> form_;
    bool endReported_ = false;
};

// The whole program: the application object, the windows, the workbook beside the executable,
// the desktop's opener; returns the exit status.
int runSelftestProgram(int argc, char** argv, const selftest::Program& program);

}  // namespace tarnwick::gui
