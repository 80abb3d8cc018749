// The .xls facts of tests/data/office-corpus/FACTS.tsv, and helpers to check them through the model.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/excel/workbook.h"
#include "support/test_support.h"

namespace tarnwick::excel::facts {

struct Fact {
    std::string file, what, expected, source;
};

// Undoes the escapes of FACTS.tsv (\t \n \r \\ \uXXXX).
inline std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 't') out += '\t';
        else if (c == 'n') out += '\n';
        else if (c == 'r') out += '\r';
        else if (c == '\\') out += '\\';
        else if (c == 'u' && i + 4 < s.size()) {
            const auto cp = static_cast<char32_t>(std::stoul(s.substr(i + 1, 4), nullptr, 16));
            std::string u;
            if (cp < 0x80) u += static_cast<char>(cp);
            else if (cp < 0x800) {
                u += static_cast<char>(0xC0 | (cp >> 6));
                u += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                u += static_cast<char>(0xE0 | (cp >> 12));
                u += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                u += static_cast<char>(0x80 | (cp & 0x3F));
            }
            out += u;
            i += 4;
        } else {
            out += '\\';
            out += c;
        }
    }
    return out;
}

inline std::vector<Fact> xlsFacts() {
    std::istringstream in(test::readBytes(test::corpusPath("FACTS.tsv")));
    std::vector<Fact> facts;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (f.size() < 3 || f[0].rfind("xls/", 0) != 0) continue;
        facts.push_back({f[0], f[1], unescape(f[2]), f.size() > 3 ? f[3] : ""});
    }
    return facts;
}

// Workbooks opened once per file.
class Books {
public:
    const Result<Workbook>& get(const std::string& file) {
        auto it = books_.find(file);
        if (it == books_.end())
            it = books_.emplace(file, std::make_unique<Result<Workbook>>(Workbook::open(test::corpusPath(file)))).first;
        return *it->second;
    }
private:
    std::map<std::string, std::unique_ptr<Result<Workbook>>> books_;
};

// Cell values as POI's text extract writes them.
inline std::string extractValue(const Variant& v) {
    if (v.isBoolean()) return v.asBoolean() ? "TRUE" : "FALSE";
    if (v.isEmpty()) return "";
    return v.describe();
}

// POI's ExcelExtractor rendering: sheet name, then each row's non-empty cells joined by tabs.
// With formulas: the formula text without '=' instead of the value.
inline std::string workbookText(const Workbook& book, bool formulas, bool sheetNames = true) {
    std::string out;
    for (std::uint32_t i = 1; i <= book.SheetCount(); ++i) {
        const Worksheet ws = *book.Sheets(i);
        if (sheetNames) out += ws.data().name + "\n";
        const auto& cells = ws.data().cells;
        std::size_t k = 0;
        while (k < cells.size()) {
            const std::uint16_t row = cells[k].row;
            std::string line;
            bool any = false;
            for (; k < cells.size() && cells[k].row == row; ++k) {
                const auto& c = cells[k];
                const Range r = ws.Cells(c.row + 1u, c.col + 1u);
                std::string text;
                if (formulas && c.formula >= 0) {
                    const Variant f = r.Formula();
                    text = f.isText() ? f.asText().substr(1) : f.describe();
                } else {
                    text = extractValue(r.Value());
                }
                if (text.empty()) continue;
                if (any) line += "\t";
                line += text;
                any = true;
            }
            if (any) out += line + "\n";
        }
    }
    return out;
}

// "A1" -> 1-based row and column.
inline std::pair<std::uint32_t, std::uint32_t> cellOf(const std::string& a1) {
    auto b = parseAddress(a1);
    return {b->firstRow + 1, b->firstCol + 1};
}

}  // namespace tarnwick::excel::facts
