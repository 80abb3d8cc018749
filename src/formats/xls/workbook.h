// A BIFF8 workbook as read from its "Workbook" stream: the globals (fonts, formats, cell styles,
// palette, shared strings, sheet list, references) and every worksheet's cells and layout.
// Values are stored as the file has them; the excel:: object model turns them into what Excel
// reports.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/xls/cell_address.h"
#include "formats/xls/chart.h"
#include "formats/xls/formula.h"
#include "formats/xls/unicode_string.h"

namespace tarnwick::xls {

struct Font {
    std::string name;
    std::uint16_t height = 200;   // twips
    bool italic = false;
    bool strikeOut = false;
    std::uint16_t color = 0x7FFF; // palette index; 0x7FFF automatic
    std::uint16_t weight = 400;   // 700 bold
    std::uint8_t underline = 0;
    std::uint16_t script = 0;
};


// Line styles as stored (0 none, 1 thin, 2 medium, 3 dashed, 4 dotted, 5 thick, 6 double,
// 7 hair, 8 medium dashed, 9 dash-dot, 10 medium dash-dot, 11 dash-dot-dot,
// 12 medium dash-dot-dot, 13 slanted dash-dot).
struct Xf {
    std::uint16_t font = 0;
    std::uint16_t format = 0;
    bool isStyle = false;
    std::uint16_t parent = 0;
    std::uint8_t hAlign = 0;  // 0 general, 1 left, 2 centre, 3 right, 4 fill, 5 justify,
                              // 6 centre across selection, 7 distributed
    std::uint8_t vAlign = 2;  // 0 top, 1 centre, 2 bottom, 3 justify, 4 distributed
    bool wrap = false;
    std::uint8_t rotation = 0;
    std::uint8_t indent = 0;
    std::uint8_t borderLeft = 0, borderRight = 0, borderTop = 0, borderBottom = 0, borderDiagonal = 0;
    std::uint8_t diagonals = 0;  // bit 0 down (top-left to bottom-right), bit 1 up
    std::uint8_t colorLeft = 0, colorRight = 0, colorTop = 0, colorBottom = 0, colorDiagonal = 0;
    std::uint8_t fillPattern = 0;  // 0 none, 1 solid, ...
    std::uint8_t fillFore = 64, fillBack = 65;
};

enum class ValueKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

struct Cell {
    std::uint16_t row = 0;  // 0-based
    std::uint16_t col = 0;  // 0-based
    std::uint16_t xf = 15;
    ValueKind kind = ValueKind::Empty;  // Empty: a BLANK/MULBLANK cell (format only)
    double number = 0;      // Number; Boolean as 0/1
    std::uint8_t code = 0;  // Error: BIFF error code (0x07 #DIV/0!, ...)
    std::string text;       // Text
    std::int32_t formula = -1;  // index into Sheet::formulas, -1 when the cell holds a constant
    std::int32_t runs = -1;     // Text: index into Workbook::runLists, -1 when the text has no runs
};

struct Formula {
    std::vector<std::uint8_t> rgce;   // the cell's own tokens, or the shared/array tokens
    std::vector<std::uint8_t> extra;  // data after rgce (array constants)
    bool shared = false;              // tokens come from SHRFMLA/ARRAY (PtgRefN/PtgAreaN relative to the cell)
    bool array = false;               // an array formula (ARRAY record)
    bool unresolved = false;          // PtgExp whose shared/array record was not found
};

struct RowInfo {
    std::uint16_t row = 0;
    std::uint16_t height = 255;  // twips
    bool customHeight = false;
    bool hidden = false;
    bool hasFormat = false;      // fGhostDirty: the row's cells without records take xf
    std::uint16_t xf = 15;
};

struct ColumnInfo {
    std::uint16_t first = 0, last = 0;
    std::uint16_t width = 0;  // 1/256 of the width of a digit of the default font, padding included
    std::uint16_t xf = 15;
    bool hidden = false;
};

struct MergedRange {
    std::uint16_t firstRow = 0, lastRow = 0, firstCol = 0, lastCol = 0;  // 0-based, inclusive
    bool contains(std::uint32_t r, std::uint32_t c) const {
        return r >= firstRow && r <= lastRow && c >= firstCol && c <= lastCol;
    }
};

enum class SheetType : std::uint8_t { Worksheet = 0, MacroSheet = 1, ChartSheet = 2, VBModule = 6 };

struct Sheet {
    std::string name;
    SheetType type = SheetType::Worksheet;
    std::uint8_t visibility = 0;  // 0 visible, 1 hidden, 2 very hidden
    std::vector<Cell> cells;      // sorted by row, then column; one per position
    std::vector<Formula> formulas;
    std::vector<RowInfo> rows;    // sorted by row
    std::vector<ColumnInfo> columns;
    std::vector<MergedRange> merges;
    std::optional<std::uint16_t> defaultColumnWidth;   // DEFCOLWIDTH, characters
    std::optional<std::uint16_t> standardWidth;        // STANDARDWIDTH, 1/256 characters, no padding
    std::uint16_t defaultRowHeight = 255;              // twips
    bool hasDefaultRowHeight = false;
    std::vector<Result<ChartInfo>> charts;             // embedded charts in sheet order
    std::uint32_t chartObjects = 0;                    // OBJ records of chart type

    const Cell* cell(std::uint32_t row, std::uint32_t col) const;
    const RowInfo* rowInfo(std::uint32_t row) const;
    const ColumnInfo* columnInfo(std::uint32_t col) const;
};

struct ExternSheet {
    std::uint16_t supBook = 0;
    std::int16_t firstSheet = 0, lastSheet = 0;
};

struct SupBook {
    bool self = false;       // this workbook
    bool addIn = false;
    std::string path;        // external workbook, decoded
    std::vector<std::string> sheetNames;
};

struct DefinedName {
    std::string name;
    std::uint16_t sheet = 0;  // 0 global, else 1-based sheet index
    bool builtIn = false;
};

struct Workbook {
    std::vector<Font> fonts;                    // in record order (the index 4 gap is handled by font())
    std::map<std::uint16_t, std::string> formats;
    std::vector<Xf> xfs;
    std::array<std::uint32_t, 56> palette{};    // 0xRRGGBB for indexes 8..63
    bool date1904 = false;
    std::uint16_t codePage = 1200;
    std::vector<std::string> sharedStrings;
    std::vector<std::int32_t> sharedStringRuns;  // per shared string: index into runLists or -1
    std::vector<std::vector<FormatRun>> runLists; // formatting runs of rich strings, sorted by position
    std::vector<Sheet> sheets;
    std::vector<SupBook> supBooks;
    std::vector<ExternSheet> externSheets;
    std::vector<DefinedName> names;
    // The sheet that was active when the workbook was saved: itabCur of the first WINDOW1 record,
    // an index into `sheets` as stored (0 when there is no such record; not checked against the
    // number of sheets).
    std::uint16_t activeSheet = 0;

    // Keeps a rich string's formatting runs, sorted by position: their index in runLists, -1 for
    // a string without runs.
    std::int32_t addRunList(std::vector<FormatRun> runs);

    // Font by the index an XF stores (there is no font 4); nullptr when out of range.
    const Font* font(std::uint16_t index) const;
    const Xf* xf(std::uint16_t index) const;
    // The sheet part of a 3-D reference through EXTERNSHEET, quoted when Excel would; empty when
    // it cannot be told.
    std::string sheetPrefix(std::uint16_t ixti) const;
    std::string definedName(std::uint32_t index) const;
    // Formula environment for the cell at (row, col), both 0-based. The workbook must outlive it.
    FormulaEnv formulaEnv(std::uint32_t row, std::uint32_t col) const;
};

// Excel 97's default colour palette, 0xRRGGBB for indexes 8..63.
const std::array<std::uint32_t, 56>& defaultPalette();

// What one workbook may hold before it counts as damaged: a real workbook has at most a few
// hundred sheets and Excel 97-2003 holds 65536 x 256 cells per sheet, but a small damaged file
// can announce far more than that.
struct ReadLimits {
    std::size_t maxSheets = 4096;
    std::size_t maxCells = 8'000'000;  // cell records and shared/array formula definitions, all sheets together
};

// Reads a workbook from a whole .xls file. Refuses files that are not BIFF8 (newer .xlsx, Excel
// 5.0/95 and older) and encrypted files, each with its own message. Never throws: running out of
// memory is an error result too.
Result<Workbook> readWorkbook(Bytes file, const ReadLimits& limits = {});
// Reads the records of a "Workbook" stream.
Result<Workbook> readWorkbookStream(Bytes stream, const ReadLimits& limits = {});

}  // namespace tarnwick::xls
