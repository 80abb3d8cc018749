// The spreadsheet rubrics: items read through the excel:: object model on the first sheet.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "marking/item.h"
#include "marking/rubric.h"
#include "marking/state.h"
#include "model/excel/workbook.h"

namespace tarnwick::marking::excel_rubrics {

// An item read on the first sheet of the saved workbook.
using ExcelItem = Item<excel::Worksheet>;

const std::vector<ExcelItem>& excelSet1Items();  // exercise 3
const std::vector<ExcelItem>& excelSet2Items();  // exercise 4
const std::vector<ExcelItem>& excelSet3Items();  // exercise 8

// Opens the saved workbook (never writing it), empties the lists and records every item on the
// first sheet. A workbook that cannot be read gives its reason as the first wrong line and every
// item wrong.
RubricEnd markWorkbook(const std::filesystem::path& file, std::span<const ExcelItem> items, MarkingState& state);

// Rubric entry points (see marking/rubric.h).
RubricEnd markExcelSet1(const std::filesystem::path& file, MarkingState& state);
RubricEnd markExcelSet2(const std::filesystem::path& file, MarkingState& state);
RubricEnd markExcelSet3(const std::filesystem::path& file, MarkingState& state);

}  // namespace tarnwick::marking::excel_rubrics
