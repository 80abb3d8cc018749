// The instructions window shuoming: a short description of the program.
#pragma once

#include <QPushButton>

#include "gui/text_box.h"
#include "gui/window_base.h"
#include "shell/window_model.h"

namespace tarnwick::gui {

class ShuomingWindow : public ModelWindow {
public:
    ShuomingWindow();

    void mirror(const shell::ShuomingState& state);

    TextBox* Text1;
    QPushButton* Command1;  // 关闭说明
};

}  // namespace tarnwick::gui
