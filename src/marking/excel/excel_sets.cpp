// The items of the three spreadsheet exercises, each as its row of the marking table reads.
#include "marking/excel/excel_checks.h"
#include "marking/excel/excel_rubric.h"

namespace tarnwick::marking::excel_rubrics {
namespace {

using excel::Worksheet;
namespace xl = excel::xl;

}  // namespace

const std::vector<ExcelItem>& excelSet1Items() {
    static const std::vector<ExcelItem> items = {
        {10, [](const Worksheet& s) { return mergedOver(s, "$A$1:$H$1"); }, "1、单元格合并正确", "1、单元格合并不正确"},
        {10, [](const Worksheet& s) { return aligned(s, "A1:H1", xl::Center, xl::Bottom); }, "1、单元格对齐方式正确",
         "1、单元格对齐方式不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").RowHeight() == 20; }, "2、行高设置正确", "2、行高设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Name() == "隶书"; }, "3、字体设置正确",
         "3、字体设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Size() == 15; }, "3、字号设置正确", "3、字号设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Bold() == true; }, "3、字形加粗设置正确",
         "3、字形加粗设置不正确"},
        {10, [](const Worksheet& s) { return formulas(s, "H3", "=SUM(D3:G3)", "H21", "=SUM(D21:G21)"); },
         "4、总分计算正确", "4、总分计算不正确"},
        {10, [](const Worksheet& s) { return s.Range("H3").Value() == 679 && s.Range("H21").Value() == 579; },
         "5、由高到低排序正确", "5、由高到低排序不正确"},
        {10, [](const Worksheet& s) { return formulas(s, "D22", "=AVERAGE(D3:D21)", "F22", "=AVERAGE(F3:F21)"); },
         "6、平均分计算正确", "6、平均分计算不正确"},
        {10, [](const Worksheet& s) { return formats(s, "D22", "F22", "0.00_ "); }, "7、2位小数设置正确",
         "7、2位小数设置不正确"},
    };
    return items;
}

const std::vector<ExcelItem>& excelSet2Items() {
    static const std::vector<ExcelItem> items = {
        {10, [](const Worksheet& s) { return mergedOver(s, "$A$1:$H$1"); }, "1、单元格合并正确", "1、单元格合并不正确"},
        {10, [](const Worksheet& s) { return aligned(s, "A1:F21", xl::Center, xl::Center); }, "2、单元格对齐方式正确",
         "2、单元格对齐方式不正确"},
        {3, [](const Worksheet& s) { return s.Range("A1").Font().Name() == "楷体_GB2312"; }, "3、字体设置正确",
         "3、字体设置不正确"},
        {3, [](const Worksheet& s) { return s.Range("A1").Font().Italic() == true; }, "3、字形倾斜设置正确",
         "3、字形倾斜设置不正确"},
        {4, [](const Worksheet& s) { return s.Range("A1").Font().ColorIndex() == 3; }, "3、颜色设置正确",
         "3、颜色设置不正确"},
        {10, [](const Worksheet& s) { return formulas(s, "G3", "=SUM(C3:F3)", "G21", "=SUM(C21:F21)"); },
         "4、总收入计算正确", "4、总收入计算不正确"},
        {10,
         [](const Worksheet& s) {
             return s.Range("G3").Value() == 1569 && s.Range("G21").Value() == 2790 && s.Range("B3").Value() == "Dosmer";
         },
         "5、由低到高排序正确", "5、由低到高排序不正确"},
        {10,
         [](const Worksheet& s) {
             const excel::Range h3 = s.Range("H3"), h21 = s.Range("H21");
             return h3.HasFormula() == true && h3.Value() == 78.45 && h21.HasFormula() == true &&
                    h21.Value() == 139.5;
         },
         "6、应交税计算正确", "6、应交税计算不正确"},
        {10, [](const Worksheet& s) { return formats(s, "H3", "H21", "0.0_ "); }, "7、1位小数设置正确",
         "7、1位小数设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("G22").Formula() == "=AVERAGE(G3:G21)"; }, "8、平均收入计算正确",
         "8、平均收入计算不正确"},
        {10, [](const Worksheet& s) { return s.Range("G22").NumberFormatLocal() == "0_ "; }, "9、保留整数设置正确",
         "9、保留整数设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").ColumnWidth() == 5; }, "10、列宽设置正确",
         "10、列宽设置不正确"},
    };
    return items;
}

const std::vector<ExcelItem>& excelSet3Items() {
    static const std::vector<ExcelItem> items = {
        {10, [](const Worksheet& s) { return mergedOver(s, "$A$1:$G$1"); }, "1、单元格合并正确", "1、单元格合并不正确"},
        {10, [](const Worksheet& s) { return aligned(s, "A1:G1", xl::Center, xl::Bottom); }, "1、单元格对齐方式正确",
         "1、单元格对齐方式不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").RowHeight() == 25; }, "2、行高设置正确", "2、行高设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Name() == "楷体_GB2312"; }, "3、字体设置正确",
         "3、字体设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Size() == 17; }, "3、字号设置正确", "3、字号设置不正确"},
        {10, [](const Worksheet& s) { return s.Range("A1").Font().Bold() == true; }, "3、字形加粗设置正确",
         "3、字形加粗设置不正确"},
        {10, [](const Worksheet& s) { return formulas(s, "G3", "=SUM(C3:F3)", "G21", "=SUM(C21:F21)"); },
         "4、零件总数计算正确", "4、零件总数计算不正确"},
        {10,
         [](const Worksheet& s) {
             return s.Range("G3").Value() == 5317 && s.Range("G21").Value() == 4136 && s.Range("A21").Value() == "Yaltren";
         },
         "5、由高到低排序正确", "5、由高到低排序不正确"},
        {10, [](const Worksheet& s) { return formulas(s, "C22", "=MAX(C3:C21)", "F22", "=MAX(F3:F21)"); },
         "6、最大值计算正确", "6、最大值计算不正确"},
        {5, [](const Worksheet& s) { return s.Range("G23").Formula() == "=AVERAGE(G3:G21)"; }, "7、平均值计算正确",
         "7、平均值计算不正确"},
        {5, [](const Worksheet& s) { return s.Range("G23").NumberFormatLocal() == "0.0_ "; }, "7、1位小数设置正确",
         "7、1位小数设置不正确"},
    };
    return items;
}

}  // namespace tarnwick::marking::excel_rubrics
