// What every excel:: object holds on to: the read workbook and values derived from it once.
#pragma once

#include <memory>

#include "formats/xls/workbook.h"

namespace tarnwick::excel {

struct BookData {
    xls::Workbook book;
    int digitWidth = 7;  // maximum digit width of the default font (font 0), pixels
};

using BookPtr = std::shared_ptr<const BookData>;

}  // namespace tarnwick::excel
