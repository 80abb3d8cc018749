#include "model/excel/address.h"

namespace tarnwick::excel {
namespace {

using xls::kMaxColumns;
using xls::kMaxRows;

struct Part {
    std::optional<std::uint32_t> row, col;
};

// One side of an address: "A1", "$A$1", "A", "$A", "1", "$1".
std::optional<Part> parsePart(std::string_view s) {
    Part p;
    std::size_t i = 0;
    if (i < s.size() && s[i] == '$') ++i;
    std::uint32_t col = 0;
    std::size_t letters = 0;
    while (i < s.size() && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z'))) {
        const char c = static_cast<char>(s[i] & ~0x20);
        col = col * 26 + static_cast<std::uint32_t>(c - 'A' + 1);
        if (++letters > 3) return std::nullopt;
        ++i;
    }
    if (letters > 0) {
        if (col > kMaxColumns) return std::nullopt;
        p.col = col - 1;
    }
    if (i < s.size() && s[i] == '$') {
        if (letters == 0 && i > 0) return std::nullopt;
        ++i;
    }
    std::uint32_t row = 0;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        row = row * 10 + static_cast<std::uint32_t>(s[i] - '0');
        if (++digits > 6) return std::nullopt;
        ++i;
    }
    if (i != s.size()) return std::nullopt;
    if (digits > 0) {
        if (row < 1 || row > kMaxRows) return std::nullopt;
        p.row = row - 1;
    }
    if (!p.row && !p.col) return std::nullopt;
    return p;
}

}  // namespace

std::optional<Block> parseAddress(std::string_view address) {
    const std::size_t colon = address.find(':');
    const auto a = parsePart(address.substr(0, colon));
    if (!a) return std::nullopt;
    Part b = *a;
    if (colon != std::string_view::npos) {
        const auto second = parsePart(address.substr(colon + 1));
        if (!second) return std::nullopt;
        b = *second;
    }
    Block out;
    const bool aCell = a->row && a->col, bCell = b.row && b.col;
    if (aCell && bCell) {
        out.firstRow = std::min(*a->row, *b.row);
        out.lastRow = std::max(*a->row, *b.row);
        out.firstCol = std::min(*a->col, *b.col);
        out.lastCol = std::max(*a->col, *b.col);
        return out;
    }
    if (colon == std::string_view::npos) return std::nullopt;  // "A" or "1" alone is no address
    if (a->row && !a->col && b.row && !b.col) {
        out.firstRow = std::min(*a->row, *b.row);
        out.lastRow = std::max(*a->row, *b.row);
        out.firstCol = 0;
        out.lastCol = kMaxColumns - 1;
        out.wholeRows = true;
        return out;
    }
    if (a->col && !a->row && b.col && !b.row) {
        out.firstCol = std::min(*a->col, *b.col);
        out.lastCol = std::max(*a->col, *b.col);
        out.firstRow = 0;
        out.lastRow = kMaxRows - 1;
        out.wholeColumns = true;
        return out;
    }
    return std::nullopt;
}

std::optional<Block> parseRows(std::string_view rows) {
    if (rows.find(':') == std::string_view::npos) return parseAddress(std::string(rows) + ":" + std::string(rows));
    auto b = parseAddress(rows);
    if (!b || !b->wholeRows) return std::nullopt;
    return b;
}

std::optional<Block> parseColumns(std::string_view columns) {
    if (columns.find(':') == std::string_view::npos)
        return parseAddress(std::string(columns) + ":" + std::string(columns));
    auto b = parseAddress(columns);
    if (!b || !b->wholeColumns) return std::nullopt;
    return b;
}

std::string absoluteAddress(const Block& b) {
    if (b.wholeRows) return xls::rowA1(b.firstRow, true) + ":" + xls::rowA1(b.lastRow, true);
    if (b.wholeColumns) return xls::columnA1(b.firstCol, true) + ":" + xls::columnA1(b.lastCol, true);
    return xls::rangeAddressA1(b.firstRow, b.firstCol, b.lastRow, b.lastCol, true);
}

}  // namespace tarnwick::excel
