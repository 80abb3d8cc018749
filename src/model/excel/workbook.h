// excel::Workbook and excel::Worksheet: a saved .xls opened by the project's own reader and read
// through Excel's object-model names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "model/excel/book_data.h"
#include "model/excel/chart.h"
#include "model/excel/range.h"

namespace tarnwick::excel {

class Worksheet {
public:
    Worksheet(BookPtr book, const xls::Sheet* sheet) : book_(std::move(book)), sheet_(sheet) {}

    Variant Name() const { return Variant::text(sheet_->name); }
    excel::Range Range(std::string_view address) const;
    excel::Range Cells(std::uint32_t row, std::uint32_t column) const;  // 1-based
    excel::Range Rows(std::string_view rows) const;                     // "1:1", "2"
    excel::Range Rows(std::uint32_t row) const;
    excel::Range Columns(std::string_view columns) const;               // "A:A", "B"
    excel::Range Columns(std::uint32_t column) const;
    excel::ChartObjects ChartObjects() const { return excel::ChartObjects(book_, sheet_); }
    ChartObject ChartObjects(std::uint32_t index) const { return ChartObjects().Item(index); }

    // Width of the columns that have no width of their own, in characters.
    Variant StandardWidth() const;
    // Height of the rows that have no height of their own, in points.
    Variant StandardHeight() const { return Variant::number(sheet_->defaultRowHeight / 20.0); }

    const xls::Sheet& data() const { return *sheet_; }

private:
    BookPtr book_;
    const xls::Sheet* sheet_;
};

class Workbook {
public:
    // Reads the whole file (at most 64 MB) and the workbook in it.
    static Result<Workbook> open(const std::filesystem::path& file);
    static Result<Workbook> open(Bytes bytes);

    std::size_t SheetCount() const { return book_->book.sheets.size(); }
    // Sheets by 1-based position (any kind of sheet); Worksheets by name, without regard to case.
    Result<Worksheet> Sheets(std::uint32_t index) const;
    Result<Worksheet> Worksheets(std::string_view name) const;
    Result<Worksheet> Worksheets(std::uint32_t index) const;
    // The sheet that was active when the workbook was saved (any kind of sheet), as Excel makes
    // it active on opening; an error when the workbook's window record names no sheet of it.
    Result<Worksheet> ActiveSheet() const;

    const xls::Workbook& data() const { return book_->book; }
    int digitWidth() const { return book_->digitWidth; }

private:
    explicit Workbook(BookPtr book) : book_(std::move(book)) {}
    BookPtr book_;
};

inline constexpr std::uintmax_t kMaxWorkbookBytes = 64u * 1024 * 1024;

}  // namespace tarnwick::excel
