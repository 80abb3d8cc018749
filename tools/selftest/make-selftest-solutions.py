#!/usr/bin/python3
"""Solves the two self-test exercises in LibreOffice the way a student does them, and saves the
results as Excel 97-2003 workbooks into tests/data/selftest/: one correct solution per program and
copies that each get one thing different (tests/data/selftest/README.md lists them).

Usage (from the repository root; needs Debian's libreoffice-calc and python3-uno):

    /usr/bin/python3 tools/selftest/make-selftest-solutions.py [path/to/tarnwick-cli]

Each run starts from the committed starting workbooks in src/selftest/files/. Every task is done
with the application's own operations: row height, alignment, merge and centre, borders, formulas
typed in lower case and filled down or across, number formats under the "Default" language, Data >
Sort on whole rows, column width, Fill > Series, background colour, Insert > Chart.

When a tarnwick-cli is given (default build/release/src/tarnwick-cli, if it is there), every file
is then marked with `tarnwick-cli selftest PROGRAM mark FILE --json` and the score and faults are
compared with what the file was made for; a file that does not come out as intended stops the
script.
"""
import json
import os
import subprocess
import sys

import uno

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools", "workbooks"))
from column_width import width_mm100  # noqa: E402
from office import (Office, save_xls, close, align, row_height_pt, merge,  # noqa: E402
                    sort_rows, first_sheet, type_formula, set_format, HORI_CENTER, VERT_CENTER,
                    VERT_BOTTOM, LIGHT_GREEN)

START = os.path.join(ROOT, "src", "selftest", "files")
OUT = os.path.join(ROOT, "tests", "data", "selftest")
CHART_TITLE = "信息苑小区21栋3单元5月份每户总付费"


def fill(sheet, cells, make):
    """A formula typed into the first cell and filled over the others: each cell gets the
    formula with its own relative references (what the fill handle writes)."""
    for address, args in cells:
        type_formula(sheet, address, make(*args))


def borders(sheet, address, inner=True):
    """Format Cells > Borders: the outline, and the inner lines unless `inner` is False."""
    line = uno.createUnoStruct("com.sun.star.table.BorderLine2")
    line.OuterLineWidth = 26            # 0.75 pt, Excel's thin line
    line.LineStyle = 0                  # solid
    border = uno.createUnoStruct("com.sun.star.table.TableBorder2")
    sides = ["Top", "Bottom", "Left", "Right"] + (["Horizontal", "Vertical"] if inner else [])
    for side in sides:
        setattr(border, side + "Line", line)
        setattr(border, "Is%sLineValid" % side, True)
    sheet.getCellRangeByName(address).setPropertyValue("TableBorder2", border)


def activate(doc, name):
    """Clicks a sheet tab: the sheet that is active when the file is saved. LibreOffice writes
    the active sheet into the workbook's window record only for a document loaded with a view
    (not Hidden); headless, that view has no window on any screen."""
    doc.getCurrentController().setActiveSheet(doc.getSheets().getByName(name))


def open_start(office, name, with_view=False):
    path = os.path.join(START, name)
    if not with_view:
        return office.open(path)
    return office.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0, ())


# --- vorlane: 学生成绩表.xls ---------------------------------------------------------------------

def solve_vorlane(office, fault=None):
    doc = open_start(office, "学生成绩表.xls", with_view=fault == "saved-on-sheet2")
    s = first_sheet(doc)
    row_height_pt(s, 0, 30.5 if fault == "row-height-30.5" else 30)          # 1 row height
    align(s.getCellRangeByName("A1:I1"), HORI_CENTER, VERT_CENTER)           # 2 centre both ways
    merge(s, "A45:B45")                                                      # 3 merge and centre
    align(s.getCellRangeByName("A45:B45"), HORI_CENTER)
    borders(s, "A2:I45", inner=fault != "inner-borders-missing")             # 4 all borders
    rows = range(3, 43)                                                      # 5 totals, averages
    fill(s, [("H%d" % r, (r,)) for r in rows], lambda r: "=sum(c%d:g%d)" % (r, r))
    if fault == "total-typed":
        h10 = sum(s.getCellRangeByName("%s10" % c).getValue() for c in "CDEFG")
        s.getCellRangeByName("H10").setValue(h10)
    elif fault == "total-added-up":
        type_formula(s, "H10", "=c10+d10+e10+f10+g10")
    if fault != "averages-empty":
        fill(s, [("I%d" % r, (r,)) for r in rows], lambda r: "=average(c%d:g%d)" % (r, r))
        code = "#,##0.0_ " if fault == "average-thousands" else "0.0_ "
        set_format(doc, s, "I3:I42", code)
    columns = "cdefg"                                                        # 6 class averages
    fill(s, [("%s43" % c.upper(), (c,)) for c in columns], lambda c: "=average(%s3:%s42)" % (c, c))
    set_format(doc, s, "C43:G43", "0.00_ ")
    fill(s, [("%s44" % c.upper(), (c,)) for c in columns], lambda c: "=max(%s3:%s42)" % (c, c))  # 7
    fill(s, [("%s45" % c.upper(), (c,)) for c in columns], lambda c: "=min(%s3:%s42)" % (c, c))
    sort_rows(s, "A3:I42", 7, descending=fault != "sorted-ascending")       # 8 by total
    if fault == "saved-on-sheet2":
        activate(doc, "Sheet2")
    return doc


# --- kestrum: 水电气费.xls ----------------------------------------------------------------------

def chart(sheet, name, line=False, rows=False, title=CHART_TITLE, top=9000):
    """Insert > Chart over B2:B17 and I2:I17, first row and first column as labels: a column
    chart (or a line chart), series in columns (or rows), the chart and axis titles."""
    ranges = tuple(sheet.getCellRangeByName(a).getRangeAddress() for a in ("B2:B17", "I2:I17"))
    rect = uno.createUnoStruct("com.sun.star.awt.Rectangle")
    rect.X, rect.Y, rect.Width, rect.Height = 1000, top, 16000, 9000
    charts = sheet.getCharts()
    charts.addNewByName(name, rect, ranges, True, True)
    doc = charts.getByName(name).getEmbeddedObject()
    kind = "com.sun.star.chart.LineDiagram" if line else "com.sun.star.chart.BarDiagram"
    doc.setDiagram(doc.createInstance(kind))
    diagram = doc.getDiagram()
    if not line:
        diagram.setPropertyValue("Vertical", False)     # columns, not bars
        diagram.setPropertyValue("Stacked", False)      # clustered
    if rows:
        diagram.setPropertyValue("DataRowSource", uno.Enum("com.sun.star.chart.ChartDataRowSource", "ROWS"))
    doc.setPropertyValue("HasMainTitle", title is not None)
    if title is not None:
        doc.getTitle().setPropertyValue("String", title)
    diagram.setPropertyValue("HasXAxisTitle", True)
    diagram.getXAxisTitle().setPropertyValue("String", "户主姓名")
    diagram.setPropertyValue("HasYAxisTitle", True)
    diagram.getYAxisTitle().setPropertyValue("String", "每户总付费")


def solve_kestrum(office, fault=None):
    doc = open_start(office, "水电气费.xls")
    s = first_sheet(doc)
    s.getColumns().getByIndex(0).setPropertyValue("Width", width_mm100(office, 12))  # 1 width 12
    if fault == "door-numbers-text":                                          # 2 door numbers
        for r in range(3, 18):
            s.getCellRangeByName("A%d" % r).setString(str(210301 + r - 3))
    else:
        s.getCellRangeByName("A3:A17").fillAuto(uno.Enum("com.sun.star.sheet.FillDirection", "TO_BOTTOM"), 1)
    merge(s, "A1:I1")                                                         # 3 merge and centre
    align(s.getCellRangeByName("A1:I1"), HORI_CENTER, VERT_BOTTOM)           # 4 bottom
    s.getCellRangeByName("A2:I17").setPropertyValue("CellBackColor", LIGHT_GREEN)  # 5 light green
    rows = range(3, 18)                                                       # 6 charges
    if fault == "water-price-first":
        fill(s, [("D%d" % r, (r,)) for r in rows], lambda r: "=$c$20*c%d" % r)
    elif fault == "water-price-relative":
        fill(s, [("D%d" % r, (r,)) for r in rows], lambda r: "=c%d*c%d" % (r, r + 17))
    else:
        fill(s, [("D%d" % r, (r,)) for r in rows], lambda r: "=c%d*$c$20" % r)
    fill(s, [("F%d" % r, (r,)) for r in rows], lambda r: "=e%d*$d$20" % r)
    fill(s, [("H%d" % r, (r,)) for r in rows], lambda r: "=g%d*$e$20" % r)
    fill(s, [("I%d" % r, (r,)) for r in rows], lambda r: "=d%d+f%d+h%d" % (r, r, r))  # 7 total
    set_format(doc, s, "I3:I17", "0.0_ ")
    if fault != "no-chart":                                                   # 8 chart
        chart(s, "Chart1", line=fault == "line-chart", rows=fault == "series-in-rows",
              title={"no-title": None, "other-title": "每户总付费统计图"}.get(fault, CHART_TITLE))
    if fault == "two-charts":
        chart(s, "Chart2", top=19000)
    return doc


VORLANE_FAULTS = ["第1行的行高应设置为30", "标题行的水平对齐方式应设为‘居中’", "标题行的垂直对齐方式应设为‘居中’",
                  "A45:B45单元格应合并居中", "A2:I45区域没加表格边框线", "总分不对", "平均分不对", "平均分应保留1位小数",
                  "班平均分不对", "班平均分应保留2位小数", "科目最高分不对", "科目最低分不对"]

SOLUTIONS = [
    # program, file, solver, fault, (score, faults) expected from the marking
    ("vorlane", "vorlane-solution.xls", solve_vorlane, None, (100, [])),
    ("vorlane", "vorlane-row-height-30.5.xls", solve_vorlane, "row-height-30.5", (90, ["第1行的行高应设置为30"])),
    ("vorlane", "vorlane-inner-borders-missing.xls", solve_vorlane, "inner-borders-missing",
     (90, ["A2:I45区域内侧没加框线"])),
    ("vorlane", "vorlane-total-typed.xls", solve_vorlane, "total-typed", (95, ["总分不对"])),
    ("vorlane", "vorlane-total-added-up.xls", solve_vorlane, "total-added-up", (95, ["总分不对"])),
    ("vorlane", "vorlane-average-thousands.xls", solve_vorlane, "average-thousands", (90, ["平均分应保留1位小数"])),
    ("vorlane", "vorlane-sorted-ascending.xls", solve_vorlane, "sorted-ascending", (90, ["排序不对"])),
    ("vorlane", "vorlane-averages-empty.xls", solve_vorlane, "averages-empty",
     (75, ["平均分不对", "平均分应保留1位小数"])),
    ("vorlane", "vorlane-saved-on-sheet2.xls", solve_vorlane, "saved-on-sheet2",
     (50, VORLANE_FAULTS[:5])),
    ("kestrum", "kestrum-solution.xls", solve_kestrum, None, (100, [])),
    ("kestrum", "kestrum-door-numbers-text.xls", solve_kestrum, "door-numbers-text", (90, ["用户门号不对"])),
    ("kestrum", "kestrum-water-price-first.xls", solve_kestrum, "water-price-first", (100, [])),
    ("kestrum", "kestrum-water-price-relative.xls", solve_kestrum, "water-price-relative", (95, ["水费不对"])),
    ("kestrum", "kestrum-line-chart.xls", solve_kestrum, "line-chart", (95, ["图表类型不对"])),
    ("kestrum", "kestrum-series-in-rows.xls", solve_kestrum, "series-in-rows",
     (90, ["数据区域不对", "数据系列应设置为列"])),
    ("kestrum", "kestrum-no-title.xls", solve_kestrum, "no-title", (95, ["请添加图表标题"])),
    ("kestrum", "kestrum-other-title.xls", solve_kestrum, "other-title", (95, ["图表标题不对"])),
    ("kestrum", "kestrum-no-chart.xls", solve_kestrum, "no-chart", (70, ["请插入图表"])),
    ("kestrum", "kestrum-two-charts.xls", solve_kestrum, "two-charts", (130, [])),
]


def mark(cli, program, path):
    r = subprocess.run([cli, "selftest", program, "mark", path, "--json"], capture_output=True, text=True)
    if r.returncode != 0:
        return None
    result = json.loads(r.stdout)
    return result["score"], result["faults"]


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "release", "src", "tarnwick-cli")
    os.makedirs(OUT, exist_ok=True)
    with Office() as office:
        for program, name, solver, fault, _ in SOLUTIONS:
            doc = solver(office, fault)
            save_xls(doc, os.path.join(OUT, name))
            close(doc)
            print("written", name)
    if not os.access(cli, os.X_OK):
        print("no tarnwick-cli at %s: the files were not marked" % cli)
        return
    failures = 0
    for program, name, _, _, expected in SOLUTIONS:
        got = mark(cli, program, os.path.join(OUT, name))
        status = "ok" if got == expected else "UNEXPECTED"
        failures += status != "ok"
        print("%-36s %s %s" % (name, got, status))
    if failures:
        sys.exit("%d file(s) did not come out as intended" % failures)


if __name__ == "__main__":
    main()
