// Colours of the windows' controls.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace tarnwick::gui {

// A colour stored as 0x00BBGGRR.
inline QColor fromBgr(unsigned value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

inline const QColor kRed = fromBgr(255);           // RGB 255, 0, 0
inline const QColor kGreen = fromBgr(32768);       // RGB 0, 128, 0
inline const QColor kPurple = fromBgr(8388736);    // RGB 128, 0, 128
inline const QColor kLightBlue = fromBgr(16761024);  // RGB 192, 192, 255
inline const QColor kDarkBlue = fromBgr(0x00C00000);   // RGB 0, 0, 192
inline const QColor kMagenta = fromBgr(0x00C000C0);    // RGB 192, 0, 192

// The desktop's highlight colour.
inline QColor highlightColour(const QWidget* w) { return w->palette().color(QPalette::Highlight); }

inline void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

}  // namespace tarnwick::gui
