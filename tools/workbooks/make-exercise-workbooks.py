#!/usr/bin/python3
"""Authors the three starting workbooks of the spreadsheet exercises into src/resources/files/:
学生成绩表.xls (class results), 工资表.xls (wage sheet), 企业生产数据.xls (factory production).

Usage (from the repository root; needs Debian's libreoffice-calc-nogui and python3-uno):

    /usr/bin/python3 tools/workbooks/make-exercise-workbooks.py [OUTPUT_DIR]

The files are committed; the build only embeds them. Rerun this by hand when an exercise changes.
Every workbook has Sheet1 to Sheet3 with the exercise on Sheet1, and the document default font
宋体 12 pt like a workbook made in a Chinese installation of Excel.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import exercise_data as data          # noqa: E402
from column_width import width_mm100  # noqa: E402
from office import (Office, save_xls, close, set_font, align, row_height_pt, merge,  # noqa: E402
                    put_rows, HORI_CENTER, VERT_CENTER, AUTOMATIC_COLOR)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_FACE = "宋体"
DEFAULT_SIZE = 12


def new_workbook(office):
    doc = office.new_calc()
    default = doc.getStyleFamilies().getByName("CellStyles").getByName("Default")
    set_font(default, name=DEFAULT_FACE, size=DEFAULT_SIZE)
    sheets = doc.getSheets()
    names = ["Sheet1", "Sheet2", "Sheet3"]
    first = sheets.getByIndex(0)
    first.setName(names[0])
    for i, n in enumerate(names[1:], start=1):
        sheets.insertNewByName(n, i)
    return doc, first


def fill(sheet, content):
    sheet.getCellByPosition(0, 0).setString(content["title"])
    put_rows(sheet, 1, [content["headings"]])
    put_rows(sheet, 2, content["rows"])


def class_results(office, out):
    doc, sheet = new_workbook(office)
    fill(sheet, data.class_results())
    # Title: regular 10 pt in the default face; row 1 keeps the standard height; no alignment.
    set_font(sheet.getCellRangeByName("A1"), name=DEFAULT_FACE, size=10, bold=False,
             italic=False, color=AUTOMATIC_COLOR)
    save_xls(doc, os.path.join(out, "学生成绩表.xls"))
    close(doc)


def wage_sheet(office, out):
    doc, sheet = new_workbook(office)
    fill(sheet, data.wage_sheet())
    a1 = sheet.getCellRangeByName("A1")
    set_font(a1, name=DEFAULT_FACE, size=16, bold=False, italic=False, color=AUTOMATIC_COLOR)
    align(a1, HORI_CENTER, VERT_CENTER)
    row_height_pt(sheet, 0, 30)
    # Column A at 8 characters (Format > Column > Width 8), so the task of setting 5 changes it.
    sheet.getColumns().getByIndex(0).setPropertyValue("Width", width_mm100(office, 8))
    save_xls(doc, os.path.join(out, "工资表.xls"))
    close(doc)


def factory_production(office, out):
    doc, sheet = new_workbook(office)
    content = data.factory_production()
    fill(sheet, content)
    a1 = sheet.getCellRangeByName("A1")
    set_font(a1, name=DEFAULT_FACE, size=16, bold=False, italic=False, color=AUTOMATIC_COLOR)
    align(a1, HORI_CENTER, VERT_CENTER)
    row_height_pt(sheet, 0, 30)
    sheet.getCellRangeByName("A22").setString(content["label22"])
    merge(sheet, "A22:B22")
    sheet.getCellRangeByName("A23").setString(content["label23"])
    merge(sheet, "A23:F23")
    save_xls(doc, os.path.join(out, "企业生产数据.xls"))
    close(doc)


def verify(out):
    """Reads the files back with xlrd and checks the facts the marking relies on."""
    import xlrd

    def sheet_of(name):
        book = xlrd.open_workbook(os.path.join(out, name), formatting_info=True)
        assert book.sheet_names() == ["Sheet1", "Sheet2", "Sheet3"], book.sheet_names()
        return book, book.sheet_by_index(0)

    def font(book, sheet, r, c):
        return book.font_list[book.xf_list[sheet.cell_xf_index(r, c)].font_index]

    def alignment(book, sheet, r, c):
        a = book.xf_list[sheet.cell_xf_index(r, c)].alignment
        return a.hor_align, a.vert_align

    def row_height(sheet, r):
        info = sheet.rowinfo_map.get(r)
        return (info.height if info else sheet.default_row_height) / 20.0

    def totals(sheet, first, last):
        return [sum(sheet.cell_value(r, c) for c in range(first, last + 1)) for r in range(2, 21)]

    book, s = sheet_of("学生成绩表.xls")
    t = totals(s, 3, 6)
    assert max(t) == 679 and t.count(679) == 1 and min(t) == 579 and t.count(579) == 1
    f = font(book, s, 0, 0)
    assert (f.name, f.height, f.bold, f.italic, f.colour_index) == ("宋体", 200, 0, 0, 0x7FFF)
    assert alignment(book, s, 0, 0) == (0, 2)            # general, bottom
    assert row_height(s, 0) == row_height(s, 2) != 20
    assert s.merged_cells == [] and s.nrows == 21
    assert all(s.cell_value(r, 7) == "" for r in range(2, 21))

    book, s = sheet_of("工资表.xls")
    t = totals(s, 2, 5)
    assert min(t) == 1569 and t.count(1569) == 1 and max(t) == 2790 and t.count(2790) == 1
    assert s.cell_value(2 + t.index(1569), 1) == "Dosmer"
    f = font(book, s, 0, 0)
    assert (f.name, f.height, f.bold, f.italic, f.colour_index) == ("宋体", 320, 0, 0, 0x7FFF)
    assert alignment(book, s, 0, 0) == (2, 1)            # centre, centre
    assert row_height(s, 0) > row_height(s, 2)
    assert s.colinfo_map[0].width > 1440 + 16           # wider than 5 characters (宋体 12)
    assert s.merged_cells == []

    book, s = sheet_of("企业生产数据.xls")
    t = totals(s, 2, 5)
    assert max(t) == 5317 and t.count(5317) == 1 and min(t) == 4136 and t.count(4136) == 1
    assert s.cell_value(2, 0) == "Yaltren" and t[0] == 4136
    f = font(book, s, 0, 0)
    assert (f.name, f.height, f.bold, f.italic, f.colour_index) == ("宋体", 320, 0, 0, 0x7FFF)
    assert alignment(book, s, 0, 0) == (2, 1)
    assert row_height(s, 0) > row_height(s, 2) and row_height(s, 0) != 25
    assert sorted(s.merged_cells) == [(21, 22, 0, 2), (22, 23, 0, 6)], s.merged_cells
    print("checked: totals, named workers, title fonts, alignments, row heights, merges")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "src", "resources", "files")
    with Office() as office:
        class_results(office, out)
        wage_sheet(office, out)
        factory_production(office, out)
    print("written to", out)
    verify(out)


if __name__ == "__main__":
    main()
