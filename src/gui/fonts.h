// The GB2312 faces of the windows, and stand-ins where a desktop lacks them.
#pragma once

#include <QFont>

namespace tarnwick::gui {

inline constexpr const char* kSong = "宋体";
inline constexpr const char* kKai = "楷体_GB2312";
inline constexpr const char* kHei = "黑体";

// For each face that this desktop does not have, registers the first installed stand-in with
// the same proportions (on Debian: AR PL UMing for 宋体, AR PL UKai for 楷体_GB2312, WenQuanYi Zen
// Hei for 黑体). Call once after the application object exists.
void installFontSubstitutes();

// A face at a point size; bold is weight 700, otherwise 400.
QFont faceFont(const char* face, double points, bool bold = false);

// The default font of every window: 宋体 9 pt.
QFont windowFont();

}  // namespace tarnwick::gui
