// The values of excel:: reads (the shared Variant) and the constants Excel's reads return.
#pragma once

#include <cstdint>
#include <string>

#include "base/number_text.h"
#include "model/common/variant.h"

namespace tarnwick::excel {

using model::Variant;

// A cell's error value by its BIFF code, with the text Excel shows for it.
Variant cellErrorValue(std::uint8_t code);

// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A" by BIFF code.
std::string errorText(std::uint8_t code);

// Excel's constants that the reads return.
namespace xl {
inline constexpr int General = 1, Left = -4131, Center = -4108, Right = -4152, Fill = 5, Justify = -4130,
                     CenterAcrossSelection = 7, Distributed = -4117, Top = -4160, Bottom = -4107;
inline constexpr int ColorIndexAutomatic = -4105, ColorIndexNone = -4142;
inline constexpr int LineStyleNone = -4142, Continuous = 1, Dash = -4115, Dot = -4118, Double = -4119,
                     DashDot = 4, DashDotDot = 5, SlantDashDot = 13;
inline constexpr int Hairline = 1, Thin = 2, Medium = -4138, Thick = 4;
inline constexpr int DiagonalDown = 5, DiagonalUp = 6, EdgeLeft = 7, EdgeTop = 8, EdgeBottom = 9, EdgeRight = 10,
                     InsideVertical = 11, InsideHorizontal = 12;
inline constexpr int Category = 1, Value = 2, Primary = 1;
inline constexpr int Rows = 1, Columns = 2;
}  // namespace xl

}  // namespace tarnwick::excel
