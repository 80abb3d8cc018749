// ColumnWidth in characters of the standard font, as Excel reports it, from the widths a .xls
// file stores (1/256 of the default font's maximum digit width, cell padding included).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick::excel {

// Maximum digit width in pixels at 96 dpi of a font given its name and height in twips, the
// way Excel measures it on a Windows screen (see docs/reading-model/excel.md).
int maxDigitWidth(std::string_view fontName, std::uint16_t heightTwips);

// Padding pixels Excel adds to a column: a margin on each side plus the grid line.
int columnPadding(int digitWidth);

// A COLINFO width (1/256 characters, padding included) as Excel's ColumnWidth.
double columnWidthFromStored(std::uint32_t stored, int digitWidth);
// A STANDARDWIDTH (1/256 of the number of digits that fit, no padding) as Excel's ColumnWidth:
// snapped to whole pixels of the digit width.
double columnWidthFromStandard(std::uint32_t stored, int digitWidth);
// The width of columns without their own record when only DEFCOLWIDTH (characters) is known:
// Excel widens such a column to a multiple of 8 pixels.
double columnWidthFromDefault(std::uint32_t characters, int digitWidth);

// Excel's stored width for a ColumnWidth typed into the user interface (the inverse, for tests
// and tools).
std::uint32_t storedFromColumnWidth(double characters, int digitWidth);

}  // namespace tarnwick::excel
