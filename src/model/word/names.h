// Names of Word's enumeration values as its dialogs show them, for explanations and inspect.
#pragma once

#include <string>

namespace tarnwick::word {

std::string colorName(double wdColor);        // 红色, 绿色, 橙色, 自动, else #RRGGBB
std::string flagName(double value);           // -1 是, 0 否
std::string underlineName(double value);      // 无, 单线, ...
std::string paragraphAlignmentName(double value);
std::string orientationName(double value);
std::string pageNumberAlignmentName(double value);
std::string wrapTypeName(double value);       // 四周型, 紧密型, ...
std::string shapeTypeName(double value);      // 图片, 艺术字, ...

}  // namespace tarnwick::word
