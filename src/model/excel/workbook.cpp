#include "model/excel/workbook.h"

#include "base/read_file.h"
#include "base/utf.h"
#include "model/excel/column_width.h"

namespace tarnwick::excel {

Result<Workbook> Workbook::open(Bytes bytes) {
    auto book = xls::readWorkbook(bytes);
    if (!book) return book.error();
    auto data = std::make_shared<BookData>();
    data->book = std::move(*book);
    if (const xls::Font* f = data->book.font(0))
        data->digitWidth = maxDigitWidth(f->name, f->height);
    return Workbook(std::move(data));
}

Result<Workbook> Workbook::open(const std::filesystem::path& file) {
    auto bytes = readWholeFile(file, kMaxWorkbookBytes,
                               {"找不到工作簿文件。", "工作簿的位置上是一个文件夹或特殊文件，不是普通文件。",
                                "没有读取工作簿文件的权限。", "工作簿文件太大（超过 64 MB），不像是练习用的工作簿。",
                                "无法打开工作簿文件（可能正被其他程序占用）。", "无法完整读取工作簿文件。",
                                "工作簿太大或已损坏，无法读取。"});
    if (!bytes) return bytes.error();
    return open(Bytes(bytes.value()));
}

Result<Worksheet> Workbook::Sheets(std::uint32_t index) const {
    if (index < 1 || index > book_->book.sheets.size())
        return Error{ErrorKind::NotFound, "工作簿中没有第 " + std::to_string(index) + " 个工作表。"};
    return Worksheet(book_, &book_->book.sheets[index - 1]);
}

Result<Worksheet> Workbook::Worksheets(std::string_view name) const {
    for (const xls::Sheet& s : book_->book.sheets)
        if (s.type == xls::SheetType::Worksheet && equalsIgnoreAsciiCase(s.name, name)) return Worksheet(book_, &s);
    return Error{ErrorKind::NotFound, "工作簿中没有名为“" + std::string(name) + "”的工作表。"};
}

Result<Worksheet> Workbook::Worksheets(std::uint32_t index) const {
    std::uint32_t n = 0;
    for (const xls::Sheet& s : book_->book.sheets)
        if (s.type == xls::SheetType::Worksheet && ++n == index) return Worksheet(book_, &s);
    return Error{ErrorKind::NotFound, "工作簿中没有第 " + std::to_string(index) + " 个工作表。"};
}

Result<Worksheet> Workbook::ActiveSheet() const {
    const std::size_t index = book_->book.activeSheet;
    if (index >= book_->book.sheets.size())
        return Error{ErrorKind::NotFound, "工作簿记录的活动工作表（第 " + std::to_string(index + 1) + " 个）不存在。"};
    return Worksheet(book_, &book_->book.sheets[index]);
}

Variant Worksheet::StandardWidth() const {
    if (sheet_->standardWidth) return Variant::number(columnWidthFromStandard(*sheet_->standardWidth, book_->digitWidth));
    return Variant::number(columnWidthFromDefault(sheet_->defaultColumnWidth.value_or(8), book_->digitWidth));
}

excel::Range Worksheet::Range(std::string_view address) const {
    auto b = parseAddress(address);
    if (!b) return excel::Range::failedRange("单元格地址“" + std::string(address) + "”无效。");
    return excel::Range(book_, sheet_, *b);
}

excel::Range Worksheet::Cells(std::uint32_t row, std::uint32_t column) const {
    if (row < 1 || column < 1 || row > xls::kMaxRows || column > xls::kMaxColumns)
        return excel::Range::failedRange("单元格位置超出工作表。");
    return excel::Range(book_, sheet_, Block{row - 1, row - 1, column - 1, column - 1, false, false});
}

excel::Range Worksheet::Rows(std::string_view rows) const {
    auto b = parseRows(rows);
    if (!b) return excel::Range::failedRange("行地址“" + std::string(rows) + "”无效。");
    return excel::Range(book_, sheet_, *b);
}

excel::Range Worksheet::Rows(std::uint32_t row) const { return Rows(std::to_string(row)); }

excel::Range Worksheet::Columns(std::string_view columns) const {
    auto b = parseColumns(columns);
    if (!b) return excel::Range::failedRange("列地址“" + std::string(columns) + "”无效。");
    return excel::Range(book_, sheet_, *b);
}

excel::Range Worksheet::Columns(std::uint32_t column) const {
    if (column < 1 || column > xls::kMaxColumns) return excel::Range::failedRange("列号超出工作表。");
    return Columns(columnLetters(column - 1));
}

}  // namespace tarnwick::excel
