// The two windows of the self-test markers vorlane and kestrum: the start window Dialog and the
// task window Form1, laid out in twips as the program's constants give them.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "gui/text_box.h"
#include "gui/window_base.h"
#include "selftest/model.h"
#include "selftest/program.h"

namespace tarnwick::gui {

class SelftestDialog : public ModelWindow {
public:
    // `owner` is a window that is never shown: an owned window gets no taskbar button.
    SelftestDialog(const selftest::Program& program, QWidget* owner);

    void mirror(const selftest::WindowState& state);

    QLabel* Label2;              // the program's title
    QLabel* Label1;              // credits
    QPushButton* OKButton;       // 确定
    QPushButton* CancelButton;   // 取消
};

class SelftestForm : public ModelWindow {
public:
    explicit SelftestForm(const selftest::Program& program);

    void mirror(const selftest::WindowState& state);

    QLabel* Label1;         // the program's title
    TextBox* Text1;         // the task text
    QPushButton* Command2;  // 开始答题
    QPushButton* Command1;  // 我想交卷
};

// Form1's caption: the windows' caption, a run of blanks, the credits.
QString selftestFormCaption();

}  // namespace tarnwick::gui
