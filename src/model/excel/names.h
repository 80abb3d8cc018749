// Names of Excel's enumeration values as its dialogs show them, for explanations and inspect.
#pragma once

#include <string>

namespace tarnwick::excel {

std::string alignmentName(double value);   // 居中, 靠下, ...
std::string colorIndexName(double value);  // 无, 自动 (other indexes have no name)
std::string lineStyleName(double value);   // 实线, 虚线, ...
std::string borderWeightName(double value);
std::string chartTypeName(double value);   // 簇状柱形图, ...
std::string plotByName(double value);      // 行, 列

}  // namespace tarnwick::excel
