// The practice program's windows around its window model: clicks go to the model's handlers,
// and after each handler (and before each message box) the windows mirror the model.
#pragma once

#include <functional>
#include <memory>

#include "gui/desktop_services.h"
#include "gui/main_window.h"
#include "gui/shuoming_window.h"
#include "gui/xuanzhe_window.h"
#include "gui/yaoqiu_window.h"
#include "shell/window_model.h"

namespace tarnwick::gui {

class PracticeApp {
public:
    // A null prompter in `services` gives modal message boxes.
    explicit PracticeApp(shell::Services services);
    ~PracticeApp();
    PracticeApp(const PracticeApp&) = delete;
    PracticeApp& operator=(const PracticeApp&) = delete;

    // Loads and shows the selection window.
    void start();

    // Called once when the program ends (a 退出 button, or closing the selection window before a
    // choice, or closing the answering window). The windows are hidden by then.
    std::function<void()> onEnded;

    shell::WindowModel& model() { return model_; }
    // The windows once created (a window is created the first time the model loads it).
    XuanzheWindow* xuanzhe() const { return xuanzhe_.get(); }
    MainWindow* main() const { return main_.get(); }
    YaoqiuWindow* yaoqiu() const { return yaoqiu_.get(); }
    ShuomingWindow* shuoming() const { return shuoming_.get(); }

    // Brings every window in line with the model.
    void sync();

private:
    template <class Handler>
    void run(Handler handler);
    void createWindows();
    QWidget* boxOwner() const;

    MessageBoxPrompter boxes_{std::string(shell::kProgramTitle)};
    shell::WindowModel model_;
    std::unique_ptr<ShuomingWindow> shuoming_;
    std::unique_ptr<QWidget> taskbarOwner_;  // never shown; owns the selection window
    std::unique_ptr<XuanzheWindow> xuanzhe_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<YaoqiuWindow> yaoqiu_;  // owned by main_ as a window; destroyed before it
    bool endReported_ = false;
};

}  // namespace tarnwick::gui
