// A worksheet (or macro sheet) sub-stream: its cells, formulas, rows, columns, merged blocks and
// the charts embedded in it.
#pragma once

#include <cstddef>
#include <span>

#include "base/result.h"
#include "formats/xls/record.h"
#include "formats/xls/workbook.h"

namespace tarnwick::xls {

// Reads the sub-stream whose BOF is records[bof] into `sheet`. `book` holds the globals already
// read (shared strings, references for chart formulas) and takes the formatting runs of the
// sheet's own strings. `cellBudget` is what the workbook may still add in cells and formula
// definitions; it is shared by all sheets. A short cell record is skipped, a short structural
// record is Damaged (see the policy at the top of workbook_reader.cpp).
Result<bool> readSheet(std::span<const Record> records, std::size_t bof, Workbook& book, Sheet& sheet,
                       std::size_t& cellBudget);

}  // namespace tarnwick::xls
