#include "gui/window_base.h"

#include <QScreen>

#include "gui/fonts.h"

namespace tarnwick::gui {

ModelWindow::ModelWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setFont(windowFont());
}

void ModelWindow::showOnce(bool centred) {
    if (!placed_ && centred) {
        if (const QScreen* s = screen()) {
            QRect frame = rect();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    placed_ = true;
    if (!isVisible()) show();
}

void ModelWindow::showIf(bool visible) {
    if (visible)
        showOnce(true);
    else if (isVisible())
        hide();
}

void ModelWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClose) onClose();
}

}  // namespace tarnwick::gui
