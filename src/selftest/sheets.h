// What the self-test rubrics read through and how their rows run: the marking sheet, the sheet
// that the application's unqualified reads act on, rows that run only under a condition, and
// Visual Basic's ordering of two cell values.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "marking/item.h"
#include "marking/state.h"
#include "model/excel/workbook.h"

namespace tarnwick::selftest {

using excel::Variant;

// The application's unqualified Range, Rows, Columns and Cells, which act on the active sheet.
// When the workbook names no sheet as active, or the active sheet is not a worksheet (a chart
// sheet), every read through them fails, as it does in Excel.
class ActiveSheet {
public:
    explicit ActiveSheet(const Result<excel::Worksheet>& active);

    excel::Range Range(std::string_view address) const;
    excel::Range Rows(std::string_view rows) const;
    excel::Range Columns(std::string_view columns) const;
    excel::Range Cells(std::uint32_t row, std::uint32_t column) const;

private:
    std::optional<excel::Worksheet> sheet_;
    std::string failure_;
};

// What a sheet item reads through: "sheet" items the marking sheet, "active" items the active one.
struct Sheets {
    excel::Worksheet sheet;  // Worksheets("Sheet1")
    ActiveSheet active;
};

// A row of a rubric table: its item, and for a row that runs only under a condition (an item
// skipped, or the second of two messages of one item), that condition.
template <class Doc>
struct Row {
    Row(marking::Item<Doc> i, bool (*when)(const Doc&) = nullptr) : item(std::move(i)), runsWhen(when) {}
    marking::Item<Doc> item;
    bool (*runsWhen)(const Doc&);
};

// Runs the rows in order; each row that runs is recorded through the one item runner.
template <class Doc>
void runRows(std::span<const Row<Doc>> rows, const Doc& doc, marking::MarkingState& state) {
    for (const Row<Doc>& row : rows)
        if (!row.runsWhen || row.runsWhen(doc)) marking::runItem(row.item, doc, state);
}

// A counting item: whether `passes(i)` holds for every i from `first` to `last`. Every cell is
// looked at (the count is compared at the end), as the items count them; the first that fails
// says what it read, and how many held.
template <class F>
model::Check everyOne(std::uint32_t first, std::uint32_t last, F&& passes) {
    std::uint32_t count = 0;
    std::optional<model::Check> firstFailure;
    for (std::uint32_t i = first; i <= last; ++i) {
        model::Check c = passes(i);
        if (c.passed) {
            ++count;
        } else if (!firstFailure) {
            c.read = "第一处不符（" + std::to_string(i) + "）：" + c.read;
            firstFailure = std::move(c);
        }
    }
    const std::uint32_t all = last - first + 1;
    if (count == all) return model::Check(true, "全部 " + std::to_string(all) + " 处符合", "");
    return model::Check(false, std::to_string(count) + "/" + std::to_string(all) + " 处符合，" + firstFailure->read,
                        firstFailure->expected);
}

// Visual Basic's `a < b` on two values read from cells: numbers (Empty as 0, True as -1)
// numerically, texts (Empty as "") by their UTF-16 code units, any number less than any text.
// False when either is Null (the comparison is Null); nullopt when it cannot be made (a cell's
// error value, a failed read): the program would have stopped there.
std::optional<bool> lessThan(const Variant& a, const Variant& b);

// A number format of one decimal: "0.0", or one that starts "0.0_" or "0.0;_".
model::Check oneDecimalFormat(const Variant& format);
// A number format of two decimals: "0.00", or one that starts "0.00_" or "0.00;_".
model::Check twoDecimalFormat(const Variant& format);

// A cell address: the column letters followed by the row number ("H", 3 -> "H3").
std::string cellAddress(std::string_view column, std::uint32_t row);

}  // namespace tarnwick::selftest
