#include "gui/yaoqiu_window.h"

#include "gui/fonts.h"
#include "gui/twips.h"

namespace tarnwick::gui {

YaoqiuWindow::YaoqiuWindow(QWidget* owner) : ModelWindow(owner, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName("yaoqiu");
    setWindowTitle(QString::fromUtf8("操作要求"));
    const TwipScale tw = screenScale();
    resize(tw.size(6075, 3840));

    Text1 = new TextBox(this, "Text1", false);
    Text1->setFont(faceFont(kSong, 10.5));
    QPalette face = Text1->palette();
    face.setColor(QPalette::Base, palette().color(QPalette::Button));  // the desktop's button face
    Text1->setPalette(face);
    tw.place(Text1, 240, 120, 5655, 3615);
}

void YaoqiuWindow::mirror(const shell::YaoqiuState& state) {
    Text1->showText(state.Text1);
    if (state.topmost != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, state.topmost);  // hides the window
        if (shown) show();
    }
    if (state.visible) {
        const bool shown = isVisible();
        showOnce(false);
        if (!shown) {
            raise();
            activateWindow();
        }
    } else if (isVisible()) {
        hide();
    }
}

}  // namespace tarnwick::gui
