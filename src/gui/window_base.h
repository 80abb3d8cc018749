// What the four windows share: the default font, a close-box callback, and placing on screen.
#pragma once

#include <QCloseEvent>
#include <QWidget>
#include <functional>

namespace tarnwick::gui {

class ModelWindow : public QWidget {
public:
    ModelWindow(QWidget* parent, Qt::WindowFlags flags);

    // Called when the user closes the window with its close box (or the system closes it).
    std::function<void()> onClose;

    // Shows the window, centred on its screen the first time when `centred`.
    void showOnce(bool centred);
    // Shown (centred the first time) or hidden, as the model says.
    void showIf(bool visible);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool placed_ = false;
};

}  // namespace tarnwick::gui
