#!/usr/bin/python3
"""Authors the starting workbooks of the two self-test markers into src/selftest/files/:
学生成绩表.xls for vorlane (a class's mark sheet) and 水电气费.xls for kestrum (water, electricity
and gas charges of 15 households). They are not the practice program's workbooks of the same name.

Usage (from the repository root; needs Debian's libreoffice-calc and python3-uno, and
python3-xlrd for the check at the end):

    /usr/bin/python3 tools/selftest/make-selftest-workbooks.py [OUTPUT_DIR]

The files are committed; the build copies them beside the programs. Rerun this by hand when an
exercise changes (and then tools/selftest/make-selftest-solutions.py). Every workbook has Sheet1 to
Sheet3 with the exercise on Sheet1, Sheet1 active, and the document default font 宋体 12 pt.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools", "workbooks"))
sys.path.insert(0, HERE)
import selftest_data as data  # noqa: E402
from office import Office, save_xls, close, set_font, put_rows  # noqa: E402

DEFAULT_FACE = "宋体"
DEFAULT_SIZE = 12
OUT = os.path.join(ROOT, "src", "selftest", "files")


def new_workbook(office):
    doc = office.new_calc()
    default = doc.getStyleFamilies().getByName("CellStyles").getByName("Default")
    set_font(default, name=DEFAULT_FACE, size=DEFAULT_SIZE)
    sheets = doc.getSheets()
    first = sheets.getByIndex(0)
    first.setName("Sheet1")
    sheets.insertNewByName("Sheet2", 1)
    sheets.insertNewByName("Sheet3", 2)
    doc.getCurrentController().setActiveSheet(first)
    return doc, first


def class_marks(office, out):
    doc, s = new_workbook(office)
    content = data.class_marks()
    s.getCellByPosition(0, 0).setString(content["title"])
    put_rows(s, 1, [content["headings"]])
    put_rows(s, 2, content["rows"])
    put_rows(s, 42, [[label] for label in content["summary"]])
    save_xls(doc, os.path.join(out, "学生成绩表.xls"))
    close(doc)


def household_charges(office, out):
    doc, s = new_workbook(office)
    content = data.household_charges()
    s.getCellByPosition(0, 0).setString(content["title"])
    put_rows(s, 1, [content["headings"]])
    put_rows(s, 2, [[None, name, water, None, power, None, gas]
                    for name, water, power, gas in content["rows"]])
    s.getCellByPosition(0, 2).setValue(content["first_door"])
    put_rows(s, 18, [[None, None] + content["price_labels"]])
    put_rows(s, 19, [[None, content["price_caption"]] + content["prices"]])
    save_xls(doc, os.path.join(out, "水电气费.xls"))
    close(doc)


def verify(out):
    """Reads the files back with xlrd and checks what the exercises start from."""
    import xlrd

    def open_sheet(name):
        book = xlrd.open_workbook(os.path.join(out, name), formatting_info=True)
        assert book.sheet_names() == ["Sheet1", "Sheet2", "Sheet3"], book.sheet_names()
        return book, book.sheet_by_index(0)

    def value(s, r, c):
        return s.cell_value(r, c) if r < s.nrows and c < s.ncols else ""

    book, s = open_sheet("学生成绩表.xls")
    content = data.class_marks()
    assert value(s, 0, 0) == content["title"]
    for i, row in enumerate(content["rows"]):
        r = 2 + i
        assert [value(s, r, c) for c in range(7)] == row, (r, row)
        assert value(s, r, 7) == "" and value(s, r, 8) == ""          # H, I empty
    for k, label in enumerate(content["summary"]):
        r = 42 + k
        assert value(s, r, 0) == label
        assert all(value(s, r, c) == "" for c in range(1, 9))          # B-I empty
    assert s.merged_cells == []
    assert s.nrows == 45

    book, s = open_sheet("水电气费.xls")
    content = data.household_charges()
    assert value(s, 0, 0) == content["title"]
    assert value(s, 2, 0) == content["first_door"]
    assert all(value(s, r, 0) == "" for r in range(3, 17))            # A4:A17 empty
    for i, (name, water, power, gas) in enumerate(content["rows"]):
        r = 2 + i
        assert [value(s, r, c) for c in range(1, 9)] == [name, water, "", power, "", gas, "", ""]
    assert [value(s, 19, c) for c in (2, 3, 4)] == content["prices"]
    assert s.merged_cells == []
    print("checked: titles, students and marks, empty formula columns, door number, prices")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else OUT
    os.makedirs(out, exist_ok=True)
    with Office() as office:
        class_marks(office, out)
        household_charges(office, out)
    print("written to", out)
    verify(out)


if __name__ == "__main__":
    main()
