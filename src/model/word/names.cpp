#include "model/word/names.h"

#include <cstdio>

#include "model/common/enum_names.h"
#include "model/word/constants.h"

namespace tarnwick::word {

using model::nameIn;

std::string colorName(double wdColor) {
    std::string name = nameIn({{wd::ColorAutomatic, "自动"}, {255, "红色"}, {32768, "绿色"}, {26367, "橙色"},
                               {0, "黑色"}, {16777215, "白色"}, {16711680, "蓝色"}, {65535, "黄色"}},
                              wdColor);
    if (!name.empty() || wdColor < 0 || wdColor > 0xFFFFFF) return name;
    const auto v = static_cast<unsigned>(wdColor);
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return buf;
}

std::string flagName(double value) { return nameIn({{wd::True, "是"}, {wd::False, "否"}}, value); }

std::string underlineName(double value) {
    return nameIn({{0, "无下划线"}, {1, "单线"}, {2, "字下加线"}, {3, "双线"}, {4, "点式"}, {6, "粗线"}, {7, "虚线"},
                   {9, "点-短线"}, {10, "点-点-短线"}, {11, "波浪线"}},
                  value);
}

std::string paragraphAlignmentName(double value) {
    return nameIn({{wd::AlignParagraphLeft, "左对齐"},
                   {wd::AlignParagraphCenter, "居中"},
                   {wd::AlignParagraphRight, "右对齐"},
                   {wd::AlignParagraphJustify, "两端对齐"},
                   {4, "分散对齐"}},
                  value);
}

std::string orientationName(double value) {
    return nameIn({{wd::OrientPortrait, "纵向"}, {wd::OrientLandscape, "横向"}}, value);
}

std::string pageNumberAlignmentName(double value) {
    return nameIn({{wd::AlignPageNumberLeft, "左侧"},
                   {wd::AlignPageNumberCenter, "居中"},
                   {wd::AlignPageNumberRight, "右侧"},
                   {wd::AlignPageNumberInside, "内侧"},
                   {wd::AlignPageNumberOutside, "外侧"}},
                  value);
}

std::string wrapTypeName(double value) {
    return nameIn({{0, "四周型"}, {1, "紧密型"}, {2, "穿越型"}, {3, "浮于文字上方"}, {4, "上下型"}, {5, "衬于文字下方"}},
                  value);
}

std::string shapeTypeName(double value) {
    return nameIn({{1, "自选图形"}, {6, "组合"}, {9, "线条"}, {13, "图片"}, {15, "艺术字"}, {17, "文本框"}}, value);
}

}  // namespace tarnwick::word
