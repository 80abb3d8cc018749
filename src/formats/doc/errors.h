// The sentences the Word document reader reports, one per way a document cannot be read.
#pragma once

#include <string_view>

#include "base/result.h"

namespace tarnwick::doc {

// "文档已损坏，无法读取（<what>）。"
Error damaged(std::string_view what);

Error emptyFile();
Error tooLarge();
Error notCompoundFile();
Error newerFormat();     // a .docx (zip) saved under a .doc name
Error rtfFile();         // an RTF file with a .doc name
Error htmlFile();        // a web page with a .doc name
Error xmlFile();         // a Word 2003 XML document with a .doc name
Error word6Or95();       // Word 6.0/95
Error word2OrOlder();    // Word for Windows 2.0 and older, not a compound file
Error encrypted();
Error excelWorkbook();   // a compound file holding a workbook
Error powerPointFile();  // a compound file holding a presentation
Error noWordDocument();  // a compound file of some other kind

}  // namespace tarnwick::doc
