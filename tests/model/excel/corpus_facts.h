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
#include "support/corpus_facts.h"
#include "support/test_support.h"

namespace tarnwick::excel::facts {

using Fact = test::CorpusFact;

inline std::vector<Fact> xlsFacts() { return test::corpusFacts("xls/"); }

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
