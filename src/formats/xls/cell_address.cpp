#include "formats/xls/cell_address.h"

#include <cstddef>

namespace tarnwick::xls {

std::string columnLetters(std::uint32_t col) {
    // Bijective base 26: A..Z, AA..ZZ, AAA.. (columns beyond IV only occur in newer formats).
    std::string letters;
    std::uint64_t n = std::uint64_t{col} + 1;
    while (n > 0) {
        const auto rem = static_cast<char>((n - 1) % 26);
        letters.insert(letters.begin(), static_cast<char>('A' + rem));
        n = (n - 1) / 26;
    }
    return letters;
}

std::string rowA1(std::uint32_t row, bool absolute) {
    std::string text(absolute ? "$" : "");
    return text += std::to_string(std::uint64_t{row} + 1);
}

std::string columnA1(std::uint32_t col, bool absolute) {
    std::string text(absolute ? "$" : "");
    return text += columnLetters(col);
}

std::string cellAddressA1(std::uint32_t row, std::uint32_t col, bool absRow, bool absCol) {
    return columnA1(col, absCol) + rowA1(row, absRow);
}

std::string rangeAddressA1(std::uint32_t firstRow, std::uint32_t firstCol, std::uint32_t lastRow,
                           std::uint32_t lastCol, bool absolute) {
    std::string text = cellAddressA1(firstRow, firstCol, absolute, absolute);
    if (firstRow != lastRow || firstCol != lastCol) {
        text += ':';
        text += cellAddressA1(lastRow, lastCol, absolute, absolute);
    }
    return text;
}

std::string r1c1Part(char letter, std::int64_t value, bool relative) {
    std::string text(1, letter);
    if (!relative) {
        text += std::to_string(value + 1);
    } else if (value != 0) {
        text += '[';
        text += std::to_string(value);
        text += ']';
    }
    return text;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "A1".."IV65536" (letters then digits, within the sheet's size).
bool looksLikeA1(std::string_view s) {
    std::size_t i = 0;
    std::uint32_t col = 0;
    while (i < s.size() && isLetter(s[i])) {
        col = col * 26 + static_cast<std::uint32_t>((s[i] | 0x20) - 'a' + 1);
        if (++i > 3) return false;
    }
    if (i == 0 || i == s.size() || col > kMaxColumns) return false;
    std::uint64_t row = 0;
    for (; i < s.size(); ++i) {
        if (!isDigit(s[i])) return false;
        row = row * 10 + static_cast<std::uint64_t>(s[i] - '0');
        if (row > kMaxRows) return false;
    }
    return row >= 1;
}

// "R", "C", "R1", "C3", "RC", "R1C1", "RC2", ... (any case).
bool looksLikeR1C1(std::string_view s) {
    std::size_t i = 0;
    const auto digits = [&] { while (i < s.size() && isDigit(s[i])) ++i; };
    bool any = false;
    if (i < s.size() && (s[i] | 0x20) == 'r') {
        ++i;
        digits();
        any = true;
    }
    if (i < s.size() && (s[i] | 0x20) == 'c') {
        ++i;
        digits();
        any = true;
    }
    return any && i == s.size();
}

}  // namespace

bool sheetNameNeedsQuotes(std::string_view name) {
    if (name.empty() || isDigit(name[0]) || looksLikeA1(name) || looksLikeR1C1(name)) return true;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && !isLetter(c) && !isDigit(c) && c != '_' && c != '.') return true;
    }
    return false;
}

}  // namespace tarnwick::xls
