// Reading a BIFF8 workbook: the checks for other formats and the container, the records of the
// "Workbook" stream split (record.h), the globals (globals_reader.cpp), then each sheet
// (sheet_reader.cpp).
//
// Short records. Every record is read by a parse function over a bounds-checked reader. A record
// too short for the fields the reader takes from it, or for a count or length it declares, is
// short; what then happens depends on what the record holds:
// - A short CELL record is skipped and the rest of the sheet is read: NUMBER, RK, MULRK, LABELSST,
//   LABEL, RSTRING, BOOLERR, BLANK, MULBLANK, FORMULA, SHRFMLA, ARRAY, STRING (the formula's text
//   result stays empty), and with them the row and column records ROW, COLINFO, DEFCOLWIDTH,
//   STANDARDWIDTH, DEFAULTROWHEIGHT and OBJ (not counted as a chart). MULRK and MULBLANK hold as
//   many whole items as their length gives.
// - A short STRUCTURAL record is an error, ErrorKind::Damaged: BOF (of the globals, of a sheet or
//   of a sub-stream inside one), BOUNDSHEET8, SST, FONT, XF, PALETTE, DATEMODE, CODEPAGE,
//   EXTERNSHEET, SUPBOOK, NAME, MERGEDCELLS. What follows depends on them: read without one, the
//   workbook would answer wrongly without a word (a lost XF or NAME shifts the index of every
//   one after it).
// Four tolerances, because files in the wild have them: a short FORMAT is skipped (a fuzzed
// Excel file of the corpus that Apache POI opens has one; the number format then reads as
// failed, or as the built-in code, never as another format), an SST that holds fewer strings than
// its count keeps the strings it has, a SUPBOOK may end before its ctab sheet names, and a
// WINDOW1 too short for the current tab leaves the first sheet active (only the first WINDOW1 is
// read). Records the reader does not use (DIMENSIONS among them) are not looked at, and neither
// are those past a cap (4096 fonts; 65536 XFs, SUPBOOKs, names).
#include <new>
#include <stdexcept>
#include <unordered_set>

#include "formats/cfb/compound_file.h"
#include "formats/xls/errors.h"
#include "formats/xls/globals_reader.h"
#include "formats/xls/record.h"
#include "formats/xls/record_types.h"
#include "formats/xls/sheet_reader.h"
#include "formats/xls/workbook.h"

namespace tarnwick::xls {
namespace {

bool isBiff2To4Bof(std::uint16_t type) { return type == rt::Bof2 || type == rt::Bof3 || type == rt::Bof4; }

Result<Workbook> readStream(Bytes stream, const ReadLimits& limits) {
    auto split = splitRecords(stream);
    if (!split) return split.error();
    const std::span<const Record> records = *split;
    if (records.empty() || records[0].type != rt::Bof) {
        if (!records.empty() && isBiff2To4Bof(records[0].type)) return excel4OrOlder();
        return damaged("工作簿数据不以 BOF 记录开头");
    }
    auto globalsBof = parseBof(records[0]);
    if (!globalsBof) return globalsBof.error();
    if (globalsBof->version == bof::Biff5) return excel5Or95();
    if (globalsBof->version != bof::Biff8) return damaged("不认识的 BIFF 版本");
    if (globalsBof->type != bof::Globals) return damaged("第一个子流不是工作簿全局数据");

    Workbook book;
    book.palette = defaultPalette();
    std::vector<std::uint32_t> sheetOffsets;
    auto globals = readGlobals(records, matchingEof(records, 0), limits, book, sheetOffsets);
    if (!globals) return globals.error();

    // Excel writes every sheet's sub-stream once; two entries at one offset only come from damage
    // (and would have the same cells read again for each of them).
    std::unordered_set<std::uint32_t> seenOffsets;
    std::size_t cellBudget = limits.maxCells;
    for (std::size_t k = 0; k < book.sheets.size(); ++k) {
        Sheet& sheet = book.sheets[k];
        const std::size_t bof = recordAt(records, sheetOffsets[k]);
        if (bof == kNoRecord || records[bof].type != rt::Bof) return damaged("工作表“" + sheet.name + "”的位置不正确");
        if (sheet.type != SheetType::Worksheet && sheet.type != SheetType::ChartSheet && sheet.type != SheetType::MacroSheet)
            continue;
        if (!seenOffsets.insert(sheetOffsets[k]).second)
            return damaged("工作表“" + sheet.name + "”与另一个工作表指向同一位置");
        auto sheetBof = parseBof(records[bof]);
        if (!sheetBof) return sheetBof.error();
        if (sheetBof->type == bof::Chart) {
            // A chart sheet: its one chart is the whole sub-stream.
            const std::size_t end = matchingEof(records, bof);
            sheet.charts.push_back(readChart(records.subspan(bof, end - bof + 1), book.formulaEnv(0, 0)));
            continue;
        }
        auto ok = readSheet(records, bof, book, sheet, cellBudget);
        if (!ok) return ok.error();
    }
    return book;
}

// The "Workbook" stream of a whole file, after the checks for other formats.
Result<std::vector<std::uint8_t>> workbookStream(Bytes file) {
    if (file.empty()) return emptyFile();
    if (file.size() >= 4 && file[0] == 'P' && file[1] == 'K' && file[2] == 0x03 && file[3] == 0x04) return newerFormat();
    std::uint16_t firstType = 0;
    if (readLE(file, 0, firstType) && isBiff2To4Bof(firstType)) return excel4OrOlder();
    if (firstType == rt::Bof) return excel5Or95();  // a bare BIFF5 stream, outside a compound file
    auto cf = cfb::CompoundFile::open(file);
    if (!cf) {
        if (cf.error().kind == ErrorKind::NotCompoundFile) return notCompoundFile();
        return cf.error();
    }
    if (!cf->hasStream("Workbook")) {
        if (cf->hasStream("Book")) return excel5Or95();
        return noWorkbook();
    }
    return cf->stream("Workbook");
}

}  // namespace

Result<Workbook> readWorkbookStream(Bytes stream, const ReadLimits& limits) {
    return guardedRead([&] { return readStream(stream, limits); }, tooLarge);
}

Result<Workbook> readWorkbook(Bytes file, const ReadLimits& limits) {
    auto stream = guardedRead([&] { return workbookStream(file); }, tooLarge);
    if (!stream) return stream.error();
    return readWorkbookStream(*stream, limits);
}

}  // namespace tarnwick::xls
