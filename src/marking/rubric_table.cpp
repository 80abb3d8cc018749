#include "marking/rubric_table.h"

#include "marking/excel/excel_rubric.h"
#include "marking/web/web_rubrics.h"
#include "marking/word/word_rubrics.h"

namespace tarnwick::marking {
namespace {

constexpr RubricEntry kTable[] = {
    {1, &word_rubrics::markWordSet1},
    {2, &word_rubrics::markWordSet2},
    {7, &word_rubrics::markWordSet3},
    {3, &excel_rubrics::markExcelSet1},
    {8, &excel_rubrics::markExcelSet3},
    {4, &excel_rubrics::markExcelSet2},
    {5, &web_rubrics::markWebSet1},
    {6, &web_rubrics::markWebSet2},
};

}  // namespace

std::span<const RubricEntry> rubricTable() { return kTable; }

}  // namespace tarnwick::marking
