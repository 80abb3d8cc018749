#include "marking/excel/excel_rubric.h"

namespace tarnwick::marking::excel_rubrics {

void markWorkbook(const std::filesystem::path& file, std::span<const ExcelItem> items, MarkingState& state) {
    auto allWrong = [&](const std::string& reason) {
        state.clearLists();
        state.addWrongLine(reason);
        for (const ExcelItem& item : items) state.RecordItem(item.points, false, item.correct, item.wrong);
    };
    auto book = excel::Workbook::open(file);
    if (!book) return allWrong(book.error().message);
    auto sheet = book->Sheets(1);
    if (!sheet) return allWrong(sheet.error().message);
    state.clearLists();
    for (const ExcelItem& item : items) state.RecordItem(item.points, item.passes(*sheet), item.correct, item.wrong);
}

std::optional<std::string> markExcelSet1(const std::filesystem::path& file, MarkingState& state) {
    markWorkbook(file, excelSet1Items(), state);
    return std::nullopt;
}

std::optional<std::string> markExcelSet2(const std::filesystem::path& file, MarkingState& state) {
    markWorkbook(file, excelSet2Items(), state);
    return std::nullopt;
}

std::optional<std::string> markExcelSet3(const std::filesystem::path& file, MarkingState& state) {
    markWorkbook(file, excelSet3Items(), state);
    return std::nullopt;
}

}  // namespace tarnwick::marking::excel_rubrics
