// Cell and range addresses as Excel spells them, in A1 style ("$A$1", "IV65536") and in R1C1
// style ("R20C3", "RC[-1]"), and sheet names before '!'. Rows and columns are 0-based here, as
// the file stores them. The formula text, the chart series and the model's Range.Address all
// spell addresses through these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::xls {

// An Excel 97-2003 sheet: rows 1..65536, columns A..IV.
inline constexpr std::uint32_t kMaxRows = 65536;
inline constexpr std::uint32_t kMaxColumns = 256;

// Column letters of a 0-based column: 0 → "A", 25 → "Z", 26 → "AA", 255 → "IV".
std::string columnLetters(std::uint32_t col);

// The A1 parts of a cell, alone as whole rows and columns are written: rowA1(2, true) == "$3",
// columnA1(2, false) == "C".
std::string rowA1(std::uint32_t row, bool absolute);
std::string columnA1(std::uint32_t col, bool absolute);

// A1 text of a cell, e.g. cellAddressA1(2, 3, false, false) == "D3" and
// cellAddressA1(19, 2, true, true) == "$C$20".
std::string cellAddressA1(std::uint32_t row, std::uint32_t col, bool absRow, bool absCol);

// A1 text of a block: "$A$1:$H$1"; a single cell gives its cell address alone.
std::string rangeAddressA1(std::uint32_t firstRow, std::uint32_t firstCol, std::uint32_t lastRow,
                           std::uint32_t lastCol, bool absolute);

// One half of an R1C1 address: `letter` is 'R' or 'C'. Absolute parts carry the 1-based number
// ("R20"); relative parts carry the offset in brackets ("C[-1]"), or nothing when it is 0 ("R").
std::string r1c1Part(char letter, std::int64_t value, bool relative);

// Whether Excel puts a sheet name in single quotes before '!': when it holds blanks or ASCII
// punctuation other than '_' and '.', starts with a digit, or could be read as a cell address
// within the sheet ("S2", "IV65536") or as an R1C1 address ("R1C1", "rc"). Letters of other
// scripts need no quotes; an empty name does.
bool sheetNameNeedsQuotes(std::string_view name);

}  // namespace tarnwick::xls
