// The selection window xuanzhe: pick one of the eight exercises.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "gui/window_base.h"
#include "shell/window_model.h"

namespace tarnwick::gui {

class XuanzheWindow : public ModelWindow {
public:
    // `owner` is a window that is never shown: an owned window gets no taskbar button.
    explicit XuanzheWindow(QWidget* owner = nullptr);

    void mirror(const shell::XuanzheState& state);

    QPushButton* Command5;  // 软件使用说明
    QLabel* Label1;
    std::array<QRadioButton*, 9> Option{};  // Option[1] .. Option[8]; [0] unused
    QPushButton* Command1;  // 确定
    QPushButton* Command2;  // 退出
    QLabel* Label2;         // maker
    QLabel* Label3;         // contact
};

}  // namespace tarnwick::gui
