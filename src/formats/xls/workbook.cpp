#include "formats/xls/workbook.h"

#include <algorithm>

#include "formats/xls/literals.h"

namespace tarnwick::xls {

const Cell* Sheet::cell(std::uint32_t row, std::uint32_t col) const {
    auto it = std::lower_bound(cells.begin(), cells.end(), std::pair{row, col}, [](const Cell& c, const auto& key) {
        return c.row != key.first ? c.row < key.first : c.col < key.second;
    });
    if (it == cells.end() || it->row != row || it->col != col) return nullptr;
    return &*it;
}

const RowInfo* Sheet::rowInfo(std::uint32_t row) const {
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const RowInfo& r, std::uint32_t k) { return r.row < k; });
    if (it == rows.end() || it->row != row) return nullptr;
    return &*it;
}

const ColumnInfo* Sheet::columnInfo(std::uint32_t col) const {
    // Later records win where ranges overlap (they should not).
    for (auto it = columns.rbegin(); it != columns.rend(); ++it)
        if (col >= it->first && col <= it->last) return &*it;
    return nullptr;
}

std::int32_t Workbook::addRunList(std::vector<FormatRun> runs) {
    if (runs.empty()) return -1;
    std::stable_sort(runs.begin(), runs.end(), [](FormatRun a, FormatRun b) { return a.position < b.position; });
    runLists.push_back(std::move(runs));
    return static_cast<std::int32_t>(runLists.size() - 1);
}

const Font* Workbook::font(std::uint16_t index) const {
    if (index == 4) return nullptr;
    const std::size_t i = index > 4 ? index - 1u : index;
    return i < fonts.size() ? &fonts[i] : nullptr;
}

const Xf* Workbook::xf(std::uint16_t index) const { return index < xfs.size() ? &xfs[index] : nullptr; }

const std::array<std::uint32_t, 56>& defaultPalette() {
    static const std::array<std::uint32_t, 56> palette = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
    return palette;
}

std::string Workbook::sheetPrefix(std::uint16_t ixti) const {
    if (ixti >= externSheets.size()) return {};
    const ExternSheet& x = externSheets[ixti];
    if (x.supBook >= supBooks.size()) return {};
    const SupBook& book = supBooks[x.supBook];
    if (book.addIn) return {};
    auto sheetName = [&](std::int16_t i) -> std::optional<std::string> {
        if (i < 0) return std::nullopt;
        const auto k = static_cast<std::size_t>(i);
        if (book.self) return k < sheets.size() ? std::optional(sheets[k].name) : std::nullopt;
        return k < book.sheetNames.size() ? std::optional(book.sheetNames[k]) : std::nullopt;
    };
    const auto first = sheetName(x.firstSheet);
    if (!first) return {};
    std::string part = *first;
    bool quote = sheetNameNeedsQuotes(*first);
    if (x.lastSheet != x.firstSheet) {
        const auto last = sheetName(x.lastSheet);
        if (!last) return {};
        part += ":" + *last;
        quote = quote || sheetNameNeedsQuotes(*last);
    }
    if (book.self) return quote ? quoted(part, '\'') : part;
    // External workbook: [file]Sheet, its stored folder or web address in front as Excel shows a
    // closed source ('C:\dir\[file]Sheet', 'http://host/[file]Sheet'), quoted as a whole when any
    // part needs it; a folder always does.
    std::string file = book.path, folder;
    const std::size_t slash = file.find_last_of("\\/");
    if (slash != std::string::npos) {
        folder = file.substr(0, slash + 1);
        file = file.substr(slash + 1);
        quote = true;
    }
    for (char c : file)
        if (c == ' ' || c == '$' || c == '-' || c == '\'') quote = true;
    std::string whole = folder;
    whole += '[';
    whole += file;
    whole += ']';
    whole += part;
    return quote ? quoted(whole, '\'') : whole;
}

std::string Workbook::definedName(std::uint32_t index) const {
    if (index == 0 || index > names.size()) return {};
    return names[index - 1].name;
}

FormulaEnv Workbook::formulaEnv(std::uint32_t row, std::uint32_t col) const {
    FormulaEnv env;
    env.row = row;
    env.col = col;
    env.sheetPrefix = [this](std::uint16_t ixti) { return sheetPrefix(ixti); };
    env.definedName = [this](std::uint32_t index) { return definedName(index); };
    return env;
}

}  // namespace tarnwick::xls
