// The windows are laid out in twips (1/1440 inch); this turns them into pixels of the screen.
#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace tarnwick::gui {

class TwipScale {
public:
    // `dpi`: logical dots per inch of the screen (96 gives 15 twips to the pixel).
    explicit TwipScale(double dpi) : dpi_(dpi) {}

    int px(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
    QSize size(int width, int height) const { return {px(width), px(height)}; }
    // Left, top, width, height in twips.
    QRect rect(int left, int top, int width, int height) const {
        return {px(left), px(top), px(width), px(height)};
    }
    void place(QWidget* w, int left, int top, int width, int height) const {
        w->setGeometry(rect(left, top, width, height));
    }

private:
    double dpi_;
};

// The scale of the primary screen (96 dpi when there is none).
TwipScale screenScale();

}  // namespace tarnwick::gui
