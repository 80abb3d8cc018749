#!/usr/bin/python3
"""Workbooks for the workbook reader's tests, written by LibreOffice as Excel 97-2003 files into
tests/data/xls/. What each cell must read back is listed in tests/data/xls/README.md; this script
checks the parts that python3-xlrd can see (fonts, alignment, formats, merges, heights, widths,
borders, fill, cached values) and the formulas and the chart through LibreOffice reopening them.

Usage (from the repository root; needs Debian's libreoffice-calc-nogui, python3-uno, python3-xlrd):

    /usr/bin/python3 tools/workbooks/make-reader-fixtures.py
"""
import os
import sys

import uno

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from column_width import width_mm100, excel_column_width  # noqa: E402
from office import (Office, save_xls, close, set_font, align, row_height_pt, merge,  # noqa: E402
                    number_format, put_rows, HORI_CENTER, VERT_BOTTOM, RED, LIGHT_GREEN)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "tests", "data", "xls")


def new_workbook(office, names):
    doc = office.new_calc()
    default = doc.getStyleFamilies().getByName("CellStyles").getByName("Default")
    set_font(default, name="宋体", size=12)
    sheets = doc.getSheets()
    sheets.getByIndex(0).setName(names[0])
    for i, n in enumerate(names[1:], start=1):
        sheets.insertNewByName(n, i)
    return doc


def thin_line():
    line = uno.createUnoStruct("com.sun.star.table.BorderLine2")
    line.OuterLineWidth = 26            # 0.75 pt: Excel's thin line
    line.LineStyle = 0                  # solid
    line.Color = 0
    return line


def all_borders(rng):
    """Format Cells > Borders: outline and inner lines of the block."""
    border = uno.createUnoStruct("com.sun.star.table.TableBorder2")
    line = thin_line()
    for side in ("Top", "Bottom", "Left", "Right", "Horizontal", "Vertical"):
        setattr(border, side + "Line", line)
        setattr(border, "Is%sLineValid" % side, True)
    rng.setPropertyValue("TableBorder2", border)


def formatting_fixture(office, path):
    doc = new_workbook(office, ["Sheet1", "Data Sheet", "Sheet3"])
    sheets = doc.getSheets()
    s = sheets.getByIndex(0)
    # Title: merged A1:H1, centre/bottom, 隶书 15 bold, row height 20.
    s.getCellRangeByName("A1").setString("读取测试标题")
    merge(s, "A1:H1")
    align(s.getCellRangeByName("A1:H1"), HORI_CENTER, VERT_BOTTOM)
    set_font(s.getCellRangeByName("A1"), name="隶书", size=15, bold=True)
    row_height_pt(s, 0, 20)
    # A2: Arial 12 italic red. Row 3 height 30.
    s.getCellRangeByName("A2").setString("Red italic")
    set_font(s.getCellRangeByName("A2"), name="Arial", size=12, italic=True, color=RED)
    s.getCellRangeByName("A3").setString("tall row")
    row_height_pt(s, 2, 30)
    # Column B 5 characters, column C 12 characters.
    s.getColumns().getByIndex(1).setPropertyValue("Width", width_mm100(office, 5))
    s.getColumns().getByIndex(2).setPropertyValue("Width", width_mm100(office, 12))
    # B4:B8 numbers, formulas in C4:C10.
    put_rows(s, 3, [[None, v] for v in (10, 20, 30, 40, 55)])
    formulas = {
        "C4": "=sum(b4:b8)",
        "C5": "=average(b4:b8)",
        "C6": "=max($b$4:$b$8)",
        "C7": "=min(b$4:$b8)",
        "C8": "=sum(Sheet3.a1:a3)",
        "C9": "=sum($'Data Sheet'.a1:a2)",
        "C10": "=b4*0.05",
    }
    for a1, f in formulas.items():
        s.getCellRangeByName(a1).setFormula(f)
    # D4, D5 number formats.
    for a1, value, code in (("D4", 3.14159, "0.00_ "), ("D5", 2.75, "0.0_ "), ("D6", 1569, "0_ ")):
        cell = s.getCellRangeByName(a1)
        cell.setValue(value)
        cell.setPropertyValue("NumberFormat", number_format(doc, code))
    # E4:G6 thin borders all round and inside; E8:F9 light green fill.
    all_borders(s.getCellRangeByName("E4:G6"))
    s.getCellRangeByName("E8:F9").setPropertyValue("CellBackColor", LIGHT_GREEN)
    # Other sheets: values for the 3-D references.
    put_rows(sheets.getByIndex(1), 0, [[1.5], [2.5]])
    put_rows(sheets.getByIndex(2), 0, [[100], [200], [300]])
    save_xls(doc, path)
    close(doc)
    return formulas


def chart_fixture(office, path):
    doc = new_workbook(office, ["Sheet1", "Sheet2", "Sheet3"])
    s = doc.getSheets().getByIndex(0)
    names = ["赵一", "钱二", "孙三", "李四", "周五", "吴六", "郑七", "王八", "冯九", "陈十",
             "褚十一", "卫十二", "蒋十三", "沈十四", "韩十五"]
    s.getCellRangeByName("B2").setString("姓名")
    s.getCellRangeByName("I2").setString("销售额")
    for i, n in enumerate(names):
        s.getCellByPosition(1, 2 + i).setString(n)
        s.getCellByPosition(8, 2 + i).setValue(100 + 37 * ((i * 7) % 15))
    ranges = []
    for addr in ("B2:B17", "I2:I17"):
        ranges.append(s.getCellRangeByName(addr).getRangeAddress())
    rect = uno.createUnoStruct("com.sun.star.awt.Rectangle")
    rect.X, rect.Y, rect.Width, rect.Height = 1000, 9000, 16000, 9000
    charts = s.getCharts()
    # Insert > Chart: column chart, first row as label, first column as label (categories),
    # data series in columns.
    charts.addNewByName("Chart1", rect, tuple(ranges), True, True)
    chart = charts.getByName("Chart1").getEmbeddedObject()
    diagram = chart.createInstance("com.sun.star.chart.BarDiagram")
    chart.setDiagram(diagram)
    diagram = chart.getDiagram()
    diagram.setPropertyValue("Vertical", False)      # columns, not bars
    diagram.setPropertyValue("Stacked", False)       # clustered
    chart.setPropertyValue("HasMainTitle", True)
    chart.getTitle().setPropertyValue("String", "销售统计图")
    diagram.setPropertyValue("HasXAxisTitle", True)
    diagram.getXAxisTitle().setPropertyValue("String", "姓名")
    diagram.setPropertyValue("HasYAxisTitle", True)
    diagram.getYAxisTitle().setPropertyValue("String", "销售额")
    save_xls(doc, path)
    close(doc)


# --- checks --------------------------------------------------------------------------------

def check_formatting(office, path, formulas):
    import xlrd
    book = xlrd.open_workbook(path, formatting_info=True)
    s = book.sheet_by_index(0)
    print("sheets:", book.sheet_names())

    def xf(r, c):
        return book.xf_list[s.cell_xf_index(r, c)]

    def font(r, c):
        return book.font_list[xf(r, c).font_index]

    report = []
    f = font(0, 0)
    report.append(("A1 font", (f.name, f.height, f.weight, f.italic, f.colour_index)))
    report.append(("A1..H1 alignment", {(xf(0, c).alignment.hor_align,
                                          xf(0, c).alignment.vert_align) for c in range(8)}))
    report.append(("merged", s.merged_cells))
    f = font(1, 0)
    report.append(("A2 font", (f.name, f.height, f.weight, f.italic, f.colour_index)))
    report.append(("row heights 1,3", (s.rowinfo_map[0].height, s.rowinfo_map[2].height)))
    report.append(("COLINFO B,C", (s.colinfo_map[1].width, s.colinfo_map[2].width)))
    report.append(("ColumnWidth B,C (宋体 12, MDW 8)",
                   (excel_column_width(s.colinfo_map[1].width, 8),
                    excel_column_width(s.colinfo_map[2].width, 8))))
    report.append(("C4:C10 cached", [s.cell_value(r, 2) for r in range(3, 10)]))
    report.append(("D4:D6 formats", [book.format_map[xf(r, 3).format_key].format_str
                                     for r in range(3, 6)]))
    b = xf(3, 4).border
    report.append(("E4 border styles t/b/l/r", (b.top_line_style, b.bottom_line_style,
                                                 b.left_line_style, b.right_line_style)))
    b = xf(4, 5).border
    report.append(("F5 border styles t/b/l/r", (b.top_line_style, b.bottom_line_style,
                                                 b.left_line_style, b.right_line_style)))
    bg = xf(7, 4).background
    report.append(("E8 fill pattern, fore colour", (bg.fill_pattern, bg.pattern_colour_index)))
    report.append(("palette 42", book.colour_map.get(42)))
    report.append(("H8 fill", xf(7, 7).background.fill_pattern if s.ncols > 7 else "n/a"))
    for k, v in report:
        print("  %s: %r" % (k, v))
    doc = office.open(path)
    sheet = doc.getSheets().getByIndex(0)
    for a1 in formulas:
        print("  %s reopened: %s" % (a1, sheet.getCellRangeByName(a1).getFormula()))
    close(doc)


def check_chart(office, path):
    doc = office.open(path)
    s = doc.getSheets().getByIndex(0)
    charts = s.getCharts()
    print("charts:", charts.getElementNames())
    chart = charts.getByIndex(0).getEmbeddedObject()
    d = chart.getDiagram()
    print("  diagram:", d.getDiagramType(), "vertical:", d.getPropertyValue("Vertical"),
          "stacked:", d.getPropertyValue("Stacked"))
    print("  title:", chart.getTitle().getPropertyValue("String"))
    print("  x title:", d.getXAxisTitle().getPropertyValue("String"),
          "| y title:", d.getYAxisTitle().getPropertyValue("String"))
    print("  data in:", d.getPropertyValue("DataRowSource").value)
    data = chart.getData()
    print("  series names:", data.getColumnDescriptions(),
          "categories:", data.getRowDescriptions()[:3], "...")
    provider = chart.getDataSequences() if hasattr(chart, "getDataSequences") else None
    if provider:
        for seq in provider:
            label = seq.getLabel()
            print("  sequence:", seq.getValues().getSourceRangeRepresentation(), "label:",
                  label.getSourceRangeRepresentation() if label is not None else None)
    close(doc)


def main():
    with Office() as office:
        path = os.path.join(OUT, "formatting.xls")
        formulas = formatting_fixture(office, path)
        check_formatting(office, path, formulas)
        path = os.path.join(OUT, "chart-column.xls")
        chart_fixture(office, path)
        check_chart(office, path)


if __name__ == "__main__":
    main()
