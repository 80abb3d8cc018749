// The answering window main: start answering, marking, help, requirements, exit, and results.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "gui/text_box.h"
#include "gui/window_base.h"
#include "shell/window_model.h"

namespace tarnwick::gui {

class MainWindow : public ModelWindow {
public:
    MainWindow();

    void mirror(const shell::MainState& state);

    QPushButton* Command1;  // 开始答题
    QPushButton* Command2;  // 开始评分
    QPushButton* Command3;  // 开启帮助 / 关闭帮助
    QPushButton* Command4;  // 答题要求
    QPushButton* Command5;  // 退出
    QLabel* Label4;         // 成绩：
    QLabel* Label5;         // the score
    QGroupBox* Frame1;      // 答题要求
    TextBox* Text1;         // requirement box
    QLabel* Label6;         // 帮助
    TextBox* Text4;         // hint box
    QGroupBox* Frame2;      // 答题结果
    QLabel* Label2[2];      // 正确部分, 错误部分
    TextBox* Text2;         // correct items
    TextBox* Text3;         // wrong items
    QLabel* Label3;         // advice
    QLabel* Label1;         // credits
};

}  // namespace tarnwick::gui
