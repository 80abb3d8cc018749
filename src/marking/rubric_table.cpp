#include "marking/rubric_table.h"

#include "marking/excel/excel_rubric.h"
#include "marking/web/web_rubrics.h"

namespace tarnwick::marking {
namespace {

constexpr RubricEntry kTable[] = {
    {1, nullptr},
    {2, nullptr},
    {7, nullptr},
    {3, &excel_rubrics::markExcelSet1},
    {8, &excel_rubrics::markExcelSet3},
    {4, &excel_rubrics::markExcelSet2},
    {5, &web_rubrics::markWebSet1},
    {6, &web_rubrics::markWebSet2},
};

}  // namespace

std::span<const RubricEntry> rubricTable() { return kTable; }

}  // namespace tarnwick::marking
