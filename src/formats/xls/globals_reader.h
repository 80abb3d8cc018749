// The workbook globals sub-stream: fonts, number formats, cell formats (XF), palette, date
// system, shared strings, the sheet list, the references of 3-D formulas and the defined names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "formats/xls/record.h"
#include "formats/xls/workbook.h"

namespace tarnwick::xls {

// Reads the globals from records[1] up to records[end] (the EOF that closes them) into `book`;
// `sheetOffsets` gets the stream offset of each sheet's BOF, in BOUNDSHEET order. A short record
// of these is Damaged (see the policy at the top of workbook_reader.cpp); FILEPASS is Encrypted.
Result<bool> readGlobals(std::span<const Record> records, std::size_t end, const ReadLimits& limits,
                         Workbook& book, std::vector<std::uint32_t>& sheetOffsets);

}  // namespace tarnwick::xls
