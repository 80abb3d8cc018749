// Vorlane, the first self-test marker: the class mark sheet 学生成绩表.xls, its task text and its
// thirteen items.
#pragma once

#include <string_view>
#include <vector>

#include "selftest/program.h"
#include "selftest/sheets.h"

namespace tarnwick::selftest {

inline constexpr std::string_view kVorlaneWorkbook = "学生成绩表.xls";
extern const std::string_view kVorlaneTaskText;

// The items in the order they run. Item 5 has two rows (the outer edges, then the inside lines
// when the edges are there), item 13 runs only when some average is given.
const std::vector<Row<Sheets>>& vorlaneRows();

void markVorlane(const excel::Workbook& book, const excel::Worksheet& sheet, marking::MarkingState& state);

}  // namespace tarnwick::selftest
