// tarnwick-cli inspect: what the workbook reader sees in a .xls file, through the same reads the
// rubrics make.
#include <sstream>

#include "cli/commands.h"
#include "base/json_text.h"
#include "base/path_text.h"
#include "base/utf.h"
#include "model/excel/names.h"
#include "model/excel/workbook.h"

namespace tarnwick::cli {
namespace {

using excel::Variant;

std::string jsonValue(const Variant& v) {
    switch (v.kind()) {
        case Variant::Kind::Empty: return "\"\"";
        case Variant::Kind::Null: return "null";
        case Variant::Kind::Number: return generalNumberText(v.asNumber());
        case Variant::Kind::Text: return jsonString(v.asText());
        case Variant::Kind::Boolean: return v.asBoolean() ? "true" : "false";
        case Variant::Kind::CellError: return jsonString(excel::errorText(v.errorCode()));
        case Variant::Kind::Failed: return "{\"error\": " + jsonString(v.failure()) + "}";
    }
    return "null";
}

std::string text(const Variant& v) { return v.describe(); }

// A number read with the name Excel's dialogs give it in front: "居中(-4108)".
std::string named(const Variant& v) {
    if (!v.isNumber() || !v.names()) return v.describe();
    const std::string name = v.names()(v.asNumber());
    return name.empty() ? v.describe() : name + "(" + v.describe() + ")";
}

// A title read: its text, or that the chart has none (which is not a failure to read).
std::string titleText(const excel::Title& t) { return t.exists() ? text(t.Text()) : "（没有标题）"; }
std::string titleJson(const excel::Title& t) { return t.exists() ? jsonValue(t.Text()) : "null"; }

struct CellReport {
    std::string address;
    Variant value, formula, formulaR1C1, hasFormula, format, fontName, fontSize, bold, italic, fontColor,
        hAlign, vAlign, interior;
    Variant borders[4];  // left, top, bottom, right
    Variant weights[4];
};

CellReport cellReport(const excel::Range& r) {
    CellReport c;
    c.address = r.Address().asText();
    c.value = r.Value();
    c.hasFormula = r.HasFormula();
    if (c.hasFormula == true) {
        c.formula = r.Formula();
        c.formulaR1C1 = r.FormulaR1C1();
    }
    c.format = r.NumberFormatLocal();
    const excel::Font f = r.Font();
    c.fontName = f.Name();
    c.fontSize = f.Size();
    c.bold = f.Bold();
    c.italic = f.Italic();
    c.fontColor = f.ColorIndex();
    c.hAlign = r.HorizontalAlignment();
    c.vAlign = r.VerticalAlignment();
    c.interior = r.Interior().ColorIndex();
    const int sides[4] = {excel::xl::EdgeLeft, excel::xl::EdgeTop, excel::xl::EdgeBottom, excel::xl::EdgeRight};
    for (int i = 0; i < 4; ++i) {
        c.borders[i] = r.Borders(sides[i]).LineStyle();
        c.weights[i] = r.Borders(sides[i]).Weight();
    }
    return c;
}

bool hasContent(const xls::Cell& c) { return c.kind != xls::ValueKind::Empty || c.formula >= 0; }

double defaultWidth(const excel::Worksheet& ws) { return ws.StandardWidth().asNumber(); }

void writeText(const excel::Workbook& book, const std::string& file, std::ostream& out) {
    out << "工作簿：" << file << "\n";
    out << "工作表数：" << book.SheetCount() << (book.data().date1904 ? "（1904 日期系统）" : "") << "\n";
    for (std::uint32_t i = 1; i <= book.SheetCount(); ++i) {
        const excel::Worksheet ws = *book.Sheets(i);
        const xls::Sheet& s = ws.data();
        out << "\n工作表 " << i << "：" << s.name;
        if (s.type == xls::SheetType::ChartSheet) out << "（图表工作表）";
        if (s.visibility) out << "（隐藏）";
        out << "\n";
        for (const xls::Cell& cell : s.cells) {
            if (!hasContent(cell)) continue;
            const CellReport c = cellReport(ws.Cells(cell.row + 1u, cell.col + 1u));
            out << "  " << c.address << "  值=" << text(c.value);
            if (c.hasFormula == true) out << "  公式=" << text(c.formula) << "  R1C1=" << text(c.formulaR1C1);
            out << "  格式=" << text(c.format) << "  字体=" << text(c.fontName) << " " << text(c.fontSize)
                << (c.bold == true ? " 加粗" : "") << (c.italic == true ? " 倾斜" : "") << " 颜色="
                << named(c.fontColor) << "  水平=" << named(c.hAlign)
                << " 垂直=" << named(c.vAlign) << "  填充=" << named(c.interior)
                << "  边框(左上下右)=";
            for (int k = 0; k < 4; ++k) {
                out << (k ? "," : "") << named(c.borders[k]);
                if (!(c.borders[k] == excel::xl::LineStyleNone)) out << "/" << named(c.weights[k]);
            }
            out << "\n";
        }
        for (const xls::MergedRange& m : s.merges) {
            excel::Block b{m.firstRow, m.lastRow, m.firstCol, m.lastCol, false, false};
            out << "  合并：" << excel::absoluteAddress(b) << "\n";
        }
        const double defaultHeight = s.defaultRowHeight / 20.0;
        for (const xls::RowInfo& r : s.rows) {
            const Variant h = ws.Rows(r.row + 1u).RowHeight();
            if (!(h == defaultHeight)) out << "  行高：第 " << r.row + 1 << " 行 = " << text(h) << "（默认 " << generalNumberText(defaultHeight) << "）\n";
        }
        const double dw = defaultWidth(ws);
        for (const xls::ColumnInfo& ci : s.columns)
            for (std::uint32_t c = ci.first; c <= ci.last; ++c) {
                const Variant w = ws.Columns(c + 1).ColumnWidth();
                if (!(w == dw)) out << "  列宽：" << excel::columnLetters(c) << " = " << text(w) << "（默认 " << generalNumberText(dw) << "）\n";
            }
        const auto charts = ws.ChartObjects();
        const auto count = static_cast<std::uint32_t>(charts.Count().asNumber());
        for (std::uint32_t k = 1; k <= count; ++k) {
            const excel::Chart ch = charts(k).Chart();
            out << "  图表 " << k << "：";
            if (ch.failed()) {
                out << "无法读取（" << ch.failure() << "）\n";
                continue;
            }
            out << "类型=" << named(ch.ChartType()) << "  系列产生在=" << named(ch.PlotBy()) << "\n";
            const auto n = static_cast<std::uint32_t>(ch.SeriesCount().asNumber());
            for (std::uint32_t j = 1; j <= n; ++j) out << "    系列 " << j << "：" << text(ch.SeriesCollection(j).Formula()) << "\n";
            out << "    标题=" << titleText(ch.ChartTitle()) << "\n";
            out << "    分类轴标题=" << titleText(ch.Axes(excel::xl::Category).AxisTitle()) << "\n";
            out << "    数值轴标题=" << titleText(ch.Axes(excel::xl::Value).AxisTitle()) << "\n";
        }
    }
}

void writeJson(const excel::Workbook& book, const std::string& file, std::ostream& out) {
    out << "{\"file\": " << jsonString(file) << ", \"date1904\": " << (book.data().date1904 ? "true" : "false")
        << ", \"sheets\": [";
    for (std::uint32_t i = 1; i <= book.SheetCount(); ++i) {
        const excel::Worksheet ws = *book.Sheets(i);
        const xls::Sheet& s = ws.data();
        if (i > 1) out << ", ";
        out << "\n  {\"name\": " << jsonString(s.name) << ", \"chartSheet\": " << (s.type == xls::SheetType::ChartSheet ? "true" : "false")
            << ", \"cells\": [";
        bool first = true;
        for (const xls::Cell& cell : s.cells) {
            if (!hasContent(cell)) continue;
            const CellReport c = cellReport(ws.Cells(cell.row + 1u, cell.col + 1u));
            out << (first ? "\n" : ",\n") << "    {\"address\": " << jsonString(c.address) << ", \"value\": " << jsonValue(c.value);
            first = false;
            if (c.hasFormula == true)
                out << ", \"formula\": " << jsonValue(c.formula) << ", \"formulaR1C1\": " << jsonValue(c.formulaR1C1);
            out << ", \"numberFormatLocal\": " << jsonValue(c.format) << ", \"font\": {\"name\": " << jsonValue(c.fontName)
                << ", \"size\": " << jsonValue(c.fontSize) << ", \"bold\": " << jsonValue(c.bold) << ", \"italic\": "
                << jsonValue(c.italic) << ", \"colorIndex\": " << jsonValue(c.fontColor) << "}, \"horizontalAlignment\": "
                << jsonValue(c.hAlign) << ", \"verticalAlignment\": " << jsonValue(c.vAlign)
                << ", \"interiorColorIndex\": " << jsonValue(c.interior) << ", \"borders\": {\"left\": " << jsonValue(c.borders[0])
                << ", \"top\": " << jsonValue(c.borders[1]) << ", \"bottom\": " << jsonValue(c.borders[2])
                << ", \"right\": " << jsonValue(c.borders[3]) << "}, \"borderWeights\": {\"left\": "
                << jsonValue(c.weights[0]) << ", \"top\": " << jsonValue(c.weights[1]) << ", \"bottom\": "
                << jsonValue(c.weights[2]) << ", \"right\": " << jsonValue(c.weights[3]) << "}}";
        }
        out << "],\n   \"merged\": [";
        for (std::size_t k = 0; k < s.merges.size(); ++k) {
            const xls::MergedRange& m = s.merges[k];
            out << (k ? ", " : "") << jsonString(excel::absoluteAddress({m.firstRow, m.lastRow, m.firstCol, m.lastCol, false, false}));
        }
        const double defaultHeight = s.defaultRowHeight / 20.0;
        out << "],\n   \"defaultRowHeight\": " << generalNumberText(defaultHeight) << ", \"rowHeights\": {";
        first = true;
        for (const xls::RowInfo& r : s.rows) {
            const Variant h = ws.Rows(r.row + 1u).RowHeight();
            if (h == defaultHeight) continue;
            out << (first ? "" : ", ") << jsonString(std::to_string(r.row + 1)) << ": " << jsonValue(h);
            first = false;
        }
        const double dw = defaultWidth(ws);
        out << "},\n   \"defaultColumnWidth\": " << generalNumberText(dw) << ", \"columnWidths\": {";
        first = true;
        for (const xls::ColumnInfo& ci : s.columns)
            for (std::uint32_t c = ci.first; c <= ci.last; ++c) {
                const Variant w = ws.Columns(c + 1).ColumnWidth();
                if (w == dw) continue;
                out << (first ? "" : ", ") << jsonString(excel::columnLetters(c)) << ": " << jsonValue(w);
                first = false;
            }
        out << "},\n   \"charts\": [";
        const auto charts = ws.ChartObjects();
        const auto count = static_cast<std::uint32_t>(charts.Count().asNumber());
        for (std::uint32_t k = 1; k <= count; ++k) {
            const excel::Chart ch = charts(k).Chart();
            out << (k > 1 ? ", " : "") << "\n    {";
            if (ch.failed()) {
                out << "\"error\": " << jsonString(ch.failure()) << "}";
                continue;
            }
            out << "\"chartType\": " << jsonValue(ch.ChartType()) << ", \"plotBy\": " << jsonValue(ch.PlotBy()) << ", \"series\": [";
            const auto n = static_cast<std::uint32_t>(ch.SeriesCount().asNumber());
            for (std::uint32_t j = 1; j <= n; ++j) out << (j > 1 ? ", " : "") << jsonValue(ch.SeriesCollection(j).Formula());
            out << "], \"title\": " << titleJson(ch.ChartTitle())
                << ", \"categoryAxisTitle\": " << titleJson(ch.Axes(excel::xl::Category).AxisTitle())
                << ", \"valueAxisTitle\": " << titleJson(ch.Axes(excel::xl::Value).AxisTitle()) << "}";
        }
        out << "]}";
    }
    out << "\n]}\n";
}

}  // namespace

int runInspect(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
    const std::filesystem::path path = pathFromUtf8(file);
    const std::string ext = utf8Of(path.extension());
    if (equalsIgnoreAsciiCase(ext, ".doc") || equalsIgnoreAsciiCase(ext, ".dot")) return runInspectDocument(file, json, out, err);
    auto book = excel::Workbook::open(path);
    // Not a workbook but another Office file: perhaps a document under another name.
    if (!book && book.error().kind == ErrorKind::WrongFormat && !equalsIgnoreAsciiCase(ext, ".xls"))
        return runInspectDocument(file, json, out, err);
    if (!book) {
        if (json) out << "{\"file\": " << jsonString(file) << ", \"error\": " << jsonString(book.error().message) << "}\n";
        err << file << "：" << book.error().message << "\n";
        return kExitCannotMark;
    }
    if (json)
        writeJson(*book, file, out);
    else
        writeText(*book, file, out);
    return kExitOk;
}

}  // namespace tarnwick::cli
