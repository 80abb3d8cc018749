#include "model/excel/names.h"

#include "model/common/enum_names.h"
#include "model/excel/variant.h"

namespace tarnwick::excel {

using model::nameIn;

std::string alignmentName(double value) {
    return nameIn({{xl::General, "常规"}, {xl::Left, "靠左"}, {xl::Center, "居中"}, {xl::Right, "靠右"},
                   {xl::Fill, "填充"}, {xl::Justify, "两端对齐"}, {xl::CenterAcrossSelection, "跨列居中"},
                   {xl::Distributed, "分散对齐"}, {xl::Top, "靠上"}, {xl::Bottom, "靠下"}},
                  value);
}

std::string colorIndexName(double value) {
    return nameIn({{xl::ColorIndexNone, "无"}, {xl::ColorIndexAutomatic, "自动"}}, value);
}

std::string lineStyleName(double value) {
    return nameIn({{xl::LineStyleNone, "无"}, {xl::Continuous, "实线"}, {xl::Dash, "虚线"}, {xl::Dot, "点线"},
                   {xl::Double, "双线"}, {xl::DashDot, "点划线"}, {xl::DashDotDot, "双点划线"},
                   {xl::SlantDashDot, "斜点划线"}},
                  value);
}

std::string borderWeightName(double value) {
    return nameIn({{xl::Hairline, "极细"}, {xl::Thin, "细"}, {xl::Medium, "中"}, {xl::Thick, "粗"}}, value);
}

std::string chartTypeName(double value) {
    return nameIn({{51, "簇状柱形图"}, {52, "堆积柱形图"}, {53, "百分比堆积柱形图"}, {54, "三维簇状柱形图"},
                   {-4100, "三维柱形图"}, {57, "簇状条形图"}, {58, "堆积条形图"}, {4, "折线图"}, {65, "数据点折线图"},
                   {5, "饼图"}, {69, "分离型饼图"}, {-4102, "三维饼图"}, {1, "面积图"}, {-4169, "XY 散点图"},
                   {-4120, "圆环图"}, {-4151, "雷达图"}},
                  value);
}

std::string plotByName(double value) { return nameIn({{xl::Rows, "行"}, {xl::Columns, "列"}}, value); }

}  // namespace tarnwick::excel
