#include "gui/shuoming_window.h"

#include "gui/controls.h"
#include "gui/fonts.h"
#include "gui/twips.h"

namespace tarnwick::gui {

ShuomingWindow::ShuomingWindow() : ModelWindow(nullptr, Qt::Window) {
    setObjectName("shuoming");
    setWindowTitle(QString::fromUtf8("软件使用说明"));
    const TwipScale tw = screenScale();
    resize(tw.size(9390, 5700));

    Text1 = new TextBox(this, "Text1", false);
    Text1->setFont(faceFont(kSong, 14.25));
    tw.place(Text1, 480, 240, 8535, 4575);
    Command1 = makeButton(this, "Command1", "关闭说明", windowFont());
    tw.place(Command1, 3720, 4920, 1695, 495);
}

void ShuomingWindow::mirror(const shell::ShuomingState& state) {
    Text1->showText(state.Text1);
    showIf(state.visible);
}

}  // namespace tarnwick::gui
