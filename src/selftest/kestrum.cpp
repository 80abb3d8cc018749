#include "selftest/kestrum.h"

#include <array>
#include <initializer_list>

namespace tarnwick::selftest {

const std::string_view kKestrumTaskText =
    "\r\n"
    "打开文件\"水电气费.xls\"，完成以下操作后存盘\r\n"
    "\r\n"
    "1、将A列的列宽设置为12\r\n"
    "\r\n"
    "2、使用自动填充功能将“用户门号”列数据补充完整。\r\n"
    "\r\n"
    "3、将标题所在单元格区域\"A1：I1\"合并居中\r\n"
    "\r\n"
    "4、将标题单元格区域的垂直对齐方式设为\"靠下\"\r\n"
    "\r\n"
    "5、将A2：I17区域的填充色设置为“浅绿色”\r\n"
    "\r\n"
    "6、用公式法计算各用户的水费、电费、气费\r\n"
    "\r\n"
    "7、用公式法计算各用户应缴纳的每户总付费，并保留一位小数\r\n"
    "\r\n"
    "8、以“户主姓名”和“每户总付费”制作柱形统计图，具体要求如下：\r\n"
    "图表类型为“簇状柱形图”\r\n"
    "数据区域为“B2:B17,I2:I17”，系列产生在“列”\r\n"
    "图表标题为“信息苑小区21栋3单元5月份每户总付费”，分类轴标题为“户\r\n"
    "主姓名”，数值轴标题为“每户总付费”\r\n";

namespace {

namespace xl = excel::xl;
using S = Sheets;
using excel::Chart;

constexpr int kLightGreen = 35;
constexpr int kColumnClustered = 51;

// Every row 3 to 17 of one column holds one of the accepted formulas.
model::Check charges(const S& s, const char* column, std::initializer_list<const char*> accepted) {
    return everyOne(3, 17, [&](std::uint32_t row) {
        const Variant f = s.sheet.Range(cellAddress(column, row)).FormulaR1C1();
        for (const char* a : accepted)
            if (f == a) return model::Check(true);
        return model::Check(false, f.explain(), *accepted.begin());
    });
}

// Door numbers 210301 in row 3 to 210315 in row 17, as numbers.
model::Check doorNumbers(const S& s) {
    return everyOne(3, 17, [&](std::uint32_t row) { return s.sheet.Cells(row, 1).Value() == 210301.0 + (row - 3); });
}

bool present(const Variant& text) { return text.isText() && !text.asText().empty(); }

bool titled(const Chart& c) { return present(c.ChartTitle().Characters().Text()); }
bool categoryTitled(const Chart& c) { return present(c.Axes(xl::Category, xl::Primary).AxisTitle().Characters().Text()); }
bool valueTitled(const Chart& c) { return present(c.Axes(xl::Value, xl::Primary).AxisTitle().Characters().Text()); }

}  // namespace

bool seriesOverNamesAndTotals(const Variant& seriesFormula) {
    if (!seriesFormula.isText() || seriesFormula.asText().size() < 9) return false;
    // Without "=SERIES(" and the closing parenthesis: name,categories,values,order.
    const std::string& f = seriesFormula.asText();
    std::string_view args = std::string_view(f).substr(8, f.size() - 9);
    std::array<std::string_view, 3> fields;
    for (std::string_view& field : fields) {
        const std::size_t comma = args.find(',');
        if (comma == std::string_view::npos && &field != &fields.back()) return false;
        field = args.substr(0, comma);
        args.remove_prefix(comma == std::string_view::npos ? args.size() : comma + 1);
    }
    auto range = [](std::string_view field) {
        const std::size_t bang = field.rfind('!');
        return bang == std::string_view::npos ? field : field.substr(bang + 1);
    };
    return range(fields[1]) == "$B$3:$B$17" && range(fields[2]) == "$I$3:$I$17";
}

const std::vector<Row<Sheets>>& kestrumSheetRows() {
    static const std::vector<Row<Sheets>> rows = {
        {{10, [](const S& s) { return s.active.Columns("A:A").ColumnWidth() == 12; }, "", "A列的列宽应设置为12"}},
        {{10, doorNumbers, "", "用户门号不对"}},
        {{10, [](const S& s) { return s.active.Range("A1:I1").MergeCells() == true; }, "", "A1:I1单元格应合并居中"}},
        {{5, [](const S& s) { return s.active.Range("A1:I1").VerticalAlignment() == xl::Bottom; }, "",
          "标题行的垂直对齐方式应设为‘靠下’"}},
        {{10, [](const S& s) { return s.active.Range("A2:I17").Interior().ColorIndex() == kLightGreen; }, "",
          "A2:I17区域应设置为浅绿色"}},
        {{5, [](const S& s) { return charges(s, "D", {"=R20C3*RC[-1]", "=RC[-1]*R20C3"}); }, "", "水费不对"}},
        {{5, [](const S& s) { return charges(s, "F", {"=R20C4*RC[-1]", "=RC[-1]*R20C4"}); }, "", "电费不对"}},
        {{5, [](const S& s) { return charges(s, "H", {"=R20C5*RC[-1]", "=RC[-1]*R20C5"}); }, "", "气费不对"}},
        {{5,
          [](const S& s) {
              return charges(s, "I", {"=RC[-5]+RC[-3]+RC[-1]", "=RC[-5]+RC[-1]+RC[-3]", "=RC[-3]+RC[-5]+RC[-1]",
                                      "=RC[-3]+RC[-1]+RC[-5]", "=RC[-1]+RC[-3]+RC[-5]", "=RC[-1]+RC[-5]+RC[-3]"});
          },
          "", "每户总付费不对"}},
        {{5,
          [](const S& s) {
              return everyOne(3, 17, [&](std::uint32_t row) { return oneDecimalFormat(s.sheet.Cells(row, 9).NumberFormatLocal()); });
          },
          "", "每户总付费应保留1位小数"}},
        {{0, [](const S& s) { return !(s.sheet.ChartObjects().Count() == 0); }, "", "请插入图表"}},
    };
    return rows;
}

const std::vector<Row<Chart>>& kestrumChartRows() {
    static const std::vector<Row<Chart>> rows = {
        {{5, [](const Chart& c) { return c.ChartType() == kColumnClustered; }, "", "图表类型不对"}},
        {{5, [](const Chart& c) { return seriesOverNamesAndTotals(c.SeriesCollection(1).Formula()); }, "", "数据区域不对"}},
        {{5, [](const Chart& c) { return c.PlotBy() == xl::Columns; }, "", "数据系列应设置为列"}},
        {{0, titled, "", "请添加图表标题"}},
        {{5, [](const Chart& c) { return c.ChartTitle().Characters().Text() == kKestrumChartTitle; }, "", "图表标题不对"}, titled},
        {{0, categoryTitled, "", "请添加分类轴标题"}},
        {{5, [](const Chart& c) { return c.Axes(xl::Category, xl::Primary).AxisTitle().Characters().Text() == "户主姓名"; }, "",
          "分类轴标题不对"},
         categoryTitled},
        {{0, valueTitled, "", "请添加数值轴标题"}},
        {{5, [](const Chart& c) { return c.Axes(xl::Value, xl::Primary).AxisTitle().Characters().Text() == "每户总付费"; }, "",
          "数值轴标题不对"},
         valueTitled},
    };
    return rows;
}

void markKestrum(const excel::Workbook& book, const excel::Worksheet& sheet, marking::MarkingState& state) {
    const Sheets sheets{sheet, ActiveSheet(book.ActiveSheet())};
    runRows(std::span<const Row<Sheets>>(kestrumSheetRows()), sheets, state);
    // The count is read once, before the first chart; every chart runs items 12 to 17.
    const Variant count = sheet.ChartObjects().Count();
    const auto charts = count.isNumber() ? static_cast<std::uint32_t>(count.asNumber()) : 0u;
    for (std::uint32_t k = 1; k <= charts; ++k)
        runRows(std::span<const Row<Chart>>(kestrumChartRows()), sheet.ChartObjects(k).Chart(), state);
}

const Program& kestrum() {
    static const Program program{
        "kestrum",
        "Kestrum",
        kKestrumWorkbook,
        kKestrumTaskText,
        FormLayout{9780, 8775, {2640, 840, 4815, 495}, {840, 1560, 8055, 5535}, {2160, 7680, 2055, 615}, {5400, 7680, 2055, 615}},
        &markKestrum,
    };
    return program;
}

}  // namespace tarnwick::selftest
