// A1 addresses: parsing "A1", "$A$1", "A1:H1", "1:1", "A:C" into a block of cells, and writing a
// block back as Excel's absolute address text ("$A$1:$H$1", "$A$1", "$1:$1", "$A:$A").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/xls/cell_address.h"

namespace tarnwick::excel {

struct Block {
    std::uint32_t firstRow = 0, lastRow = 0, firstCol = 0, lastCol = 0;  // 0-based, inclusive
    bool wholeRows = false;     // "1:1": every column
    bool wholeColumns = false;  // "A:A": every row
    std::uint64_t cellCount() const {
        return std::uint64_t{lastRow - firstRow + 1} * (lastCol - firstCol + 1);
    }
};

// Parses an A1 address of one cell or one rectangular block (no sheet names, no unions).
std::optional<Block> parseAddress(std::string_view address);
// Parses "1:3" or "2" (rows) and "A:C" or "A" (columns).
std::optional<Block> parseRows(std::string_view rows);
std::optional<Block> parseColumns(std::string_view columns);

// Column letters and the sheet's size are the reader's (formats/xls/cell_address.h).
using xls::columnLetters;
// Excel's Range.Address: "$A$1:$H$1", "$A$1" for one cell, "$1:$3" for rows, "$A:$C" for columns.
std::string absoluteAddress(const Block& b);

}  // namespace tarnwick::excel
