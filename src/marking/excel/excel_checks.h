// The checks the spreadsheet rubrics' rows share, each a comparison of the excel:: model's reads
// that says what it read and expected.
#pragma once

#include "model/common/check.h"
#include "model/excel/workbook.h"

namespace tarnwick::marking::excel_rubrics {

// A1's merged block is `address` ("$A$1:$H$1").
model::Check mergedOver(const excel::Worksheet& s, const char* address);
// Every cell of `range` is aligned so, both ways.
model::Check aligned(const excel::Worksheet& s, const char* range, int horizontal, int vertical);
// Cell a holds formula fa and cell b formula fb (as Excel shows them in A1 style).
model::Check formulas(const excel::Worksheet& s, const char* a, const char* fa, const char* b, const char* fb);
// Cells a and b show numbers with format `code` (NumberFormatLocal).
model::Check formats(const excel::Worksheet& s, const char* a, const char* b, const char* code);

}  // namespace tarnwick::marking::excel_rubrics
