#include "formats/xls/cell_address.h"

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

std::string cellAddressA1(std::uint32_t row, std::uint32_t col, bool absRow, bool absCol) {
    std::string text;
    if (absCol) text += '$';
    text += columnLetters(col);
    if (absRow) text += '$';
    text += std::to_string(std::uint64_t{row} + 1);
    return text;
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

std::string cellAddressR1C1(std::uint32_t row, std::uint32_t col, bool relRow, bool relCol,
                            std::uint32_t baseRow, std::uint32_t baseCol) {
    const std::int64_t r = relRow ? std::int64_t{row} - baseRow : std::int64_t{row};
    const std::int64_t c = relCol ? std::int64_t{col} - baseCol : std::int64_t{col};
    return r1c1Part('R', r, relRow) + r1c1Part('C', c, relCol);
}

}  // namespace tarnwick::xls
