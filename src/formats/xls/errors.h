// The sentences the workbook reader reports, one per way a workbook cannot be read.
#pragma once

#include <string_view>

#include "base/result.h"

namespace tarnwick::xls {

// "工作簿已损坏，无法读取（<what>）。"
Error damaged(std::string_view what);

Error emptyFile();
Error tooLarge();
Error notCompoundFile();
Error newerFormat();   // an .xlsx (zip) saved under an .xls name
Error excel5Or95();    // BIFF5: Excel 5.0/95
Error excel4OrOlder(); // BIFF2-4: a bare record stream
Error encrypted();
Error noWorkbook();    // a compound file of some other kind

}  // namespace tarnwick::xls
