#include "selftest/vorlane.h"

namespace tarnwick::selftest {

const std::string_view kVorlaneTaskText =
    "\r\n"
    "打开文件\"学生成绩表.xls\"，完成以下操作后存盘。\r\n"
    "\r\n"
    "1、将第1行的行高设置为30\r\n"
    "\r\n"
    "2、将标题行的水平对齐和垂直对齐方式均设置为“居中”\r\n"
    "\r\n"
    "3、将单元格区域\"A45：B45\"设置为合并居中\r\n"
    "\r\n"
    "4、为“A2：I45”单元格区域加上“所有框线”\r\n"
    "\r\n"
    "5、用函数法计算每个同学的总分和平均分，平均分保留一位小数\r\n"
    "\r\n"
    "6、用函数法计算各学科的班平均分，并保留两位小数。\r\n"
    "\r\n"
    "7、用函数法计算各学科的科目最高分和科目最低分。\r\n"
    "\r\n"
    "8、按总分由高到低排序\r\n";

namespace {

namespace xl = excel::xl;
using S = Sheets;

// A line is there when the block reads one line style other than none; a style that differs
// across the block (Null) or a read that fails counts as a missing line.
bool drawn(const Variant& lineStyle) { return lineStyle.isNumber() && !(lineStyle == xl::LineStyleNone); }

bool outerEdges(const S& s) {
    const excel::Range r = s.active.Range("A2:I45");
    return drawn(r.Borders(xl::EdgeTop).LineStyle()) && drawn(r.Borders(xl::EdgeBottom).LineStyle()) &&
           drawn(r.Borders(xl::EdgeLeft).LineStyle()) && drawn(r.Borders(xl::EdgeRight).LineStyle());
}

bool insideLines(const S& s) {
    const excel::Range r = s.active.Range("A2:I45");
    return drawn(r.Borders(xl::InsideVertical).LineStyle()) && drawn(r.Borders(xl::InsideHorizontal).LineStyle());
}

// Formulas of one column, rows 3 to 42, through Range("H3") ... Range("H42").
model::Check columnFormulas(const S& s, const char* column, const char* r1c1) {
    return everyOne(3, 42, [&](std::uint32_t row) { return s.sheet.Range(cellAddress(column, row)).FormulaR1C1() == r1c1; });
}

// Formulas of one summary row, columns C to G, through Cells(row, 3) ... Cells(row, 7).
model::Check rowFormulas(const S& s, std::uint32_t row, const char* r1c1) {
    return everyOne(3, 7, [&](std::uint32_t col) { return s.sheet.Cells(row, col).FormulaR1C1() == r1c1; });
}

// How many of the averages I3:I42 read as the empty text; nullopt when a value cannot be compared.
std::optional<int> emptyAverages(const S& s) {
    const excel::Range averages = s.active.Range("I3:I42");
    if (averages.failed()) return std::nullopt;
    int empty = 0;
    for (std::uint64_t k = 1; k <= averages.Count(); ++k) {
        const Variant v = averages.Item(k).Value();
        if (v.isFailed() || v.isCellError()) return std::nullopt;
        if (v == "") ++empty;
    }
    return empty;
}

// Item 13 runs unless all 40 averages are empty (a count that fails runs it: it then fails).
bool averagesGiven(const S& s) {
    const auto empty = emptyAverages(s);
    return !empty || *empty < 40;
}

// No average less than the one below it; the first such pair ends the comparison.
bool sortedByAverage(const S& s) {
    if (!emptyAverages(s)) return false;
    for (std::uint32_t row = 3; row <= 41; ++row) {
        const auto less = lessThan(s.active.Cells(row, 9).Value(), s.active.Cells(row + 1, 9).Value());
        if (!less || *less) return false;
    }
    return true;
}

}  // namespace

const std::vector<Row<Sheets>>& vorlaneRows() {
    static const std::vector<Row<Sheets>> rows = {
        {{10, [](const S& s) { return s.active.Rows("1:1").RowHeight() == 30; }, "", "第1行的行高应设置为30"}},
        {{5, [](const S& s) { return s.active.Range("A1:I1").HorizontalAlignment() == xl::Center; }, "",
          "标题行的水平对齐方式应设为‘居中’"}},
        {{5, [](const S& s) { return s.active.Range("A1:I1").VerticalAlignment() == xl::Center; }, "",
          "标题行的垂直对齐方式应设为‘居中’"}},
        {{10, [](const S& s) { return s.active.Range("A45:B45").MergeCells() == true; }, "", "A45:B45单元格应合并居中"}},
        {{0, outerEdges, "", "A2:I45区域没加表格边框线"}},
        {{10, insideLines, "", "A2:I45区域内侧没加框线"}, outerEdges},
        {{5, [](const S& s) { return columnFormulas(s, "H", "=SUM(RC[-5]:RC[-1])"); }, "", "总分不对"}},
        {{5, [](const S& s) { return columnFormulas(s, "I", "=AVERAGE(RC[-6]:RC[-2])"); }, "", "平均分不对"}},
        {{10,
          [](const S& s) {
              return everyOne(3, 42, [&](std::uint32_t row) { return oneDecimalFormat(s.sheet.Cells(row, 9).NumberFormatLocal()); });
          },
          "", "平均分应保留1位小数"}},
        {{5, [](const S& s) { return rowFormulas(s, 43, "=AVERAGE(R[-40]C:R[-1]C)"); }, "", "班平均分不对"}},
        {{5,
          [](const S& s) {
              return everyOne(3, 7, [&](std::uint32_t col) { return twoDecimalFormat(s.sheet.Cells(43, col).NumberFormatLocal()); });
          },
          "", "班平均分应保留2位小数"}},
        {{10, [](const S& s) { return rowFormulas(s, 44, "=MAX(R[-41]C:R[-2]C)"); }, "", "科目最高分不对"}},
        {{10, [](const S& s) { return rowFormulas(s, 45, "=MIN(R[-42]C:R[-3]C)"); }, "", "科目最低分不对"}},
        {{10, sortedByAverage, "", "排序不对"}, averagesGiven},
    };
    return rows;
}

void markVorlane(const excel::Workbook& book, const excel::Worksheet& sheet, marking::MarkingState& state) {
    const Sheets sheets{sheet, ActiveSheet(book.ActiveSheet())};
    runRows(std::span<const Row<Sheets>>(vorlaneRows()), sheets, state);
}

const Program& vorlane() {
    static const Program program{
        "vorlane",
        "Vorlane",
        kVorlaneWorkbook,
        kVorlaneTaskText,
        FormLayout{9570, 8235, {2400, 840, 4815, 495}, {960, 1800, 7575, 4575}, {2160, 6960, 2055, 615}, {5280, 6960, 2055, 615}},
        &markVorlane,
    };
    return program;
}

}  // namespace tarnwick::selftest
