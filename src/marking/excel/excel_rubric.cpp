#include "marking/excel/excel_rubric.h"

namespace tarnwick::marking::excel_rubrics {

RubricEnd markWorkbook(const std::filesystem::path& file, std::span<const ExcelItem> items, MarkingState& state) {
    auto allWrong = [&](const std::string& reason) {
        state.clearLists();
        state.addWrongLine(reason);
        recordAllWrong(items, state, reason);
        return RubricEnd::markedUnread(reason);
    };
    auto book = excel::Workbook::open(file);
    if (!book) return allWrong(book.error().message);
    auto sheet = book->Sheets(1);
    if (!sheet) return allWrong(sheet.error().message);
    state.clearLists();
    runItems(items, *sheet, state);
    return RubricEnd::read();
}

RubricEnd markExcelSet1(const std::filesystem::path& file, MarkingState& state) {
    return markWorkbook(file, excelSet1Items(), state);
}

RubricEnd markExcelSet2(const std::filesystem::path& file, MarkingState& state) {
    return markWorkbook(file, excelSet2Items(), state);
}

RubricEnd markExcelSet3(const std::filesystem::path& file, MarkingState& state) {
    return markWorkbook(file, excelSet3Items(), state);
}

}  // namespace tarnwick::marking::excel_rubrics
