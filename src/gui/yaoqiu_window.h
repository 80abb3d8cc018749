// The requirements window yaoqiu: the task list beside the office application, always on top.
#pragma once

#include "gui/text_box.h"
#include "gui/window_base.h"
#include "shell/window_model.h"

namespace tarnwick::gui {

class YaoqiuWindow : public ModelWindow {
public:
    // `owner`: the answering window. Owned windows get no taskbar button, and stay shown while
    // their owner is hidden.
    explicit YaoqiuWindow(QWidget* owner);

    void mirror(const shell::YaoqiuState& state);

    TextBox* Text1;
};

}  // namespace tarnwick::gui
