#!/usr/bin/python3
"""Solves the three spreadsheet exercises in LibreOffice the way a student does them, and saves
the results as Excel 97-2003 workbooks into tests/data/solutions/: one correct solution per
exercise and, in variants/, copies that each get one thing wrong (see tests/data/solutions/README.md).

Usage (from the repository root; needs Debian's libreoffice-calc-nogui and python3-uno):

    /usr/bin/python3 tools/workbooks/make-solutions.py

Each run starts from the committed starting workbooks in src/resources/files/. After saving, every
file is read back (formulas through LibreOffice, everything else through python3-xlrd) and checked
item by item against the marking items, so a variant that does not fail exactly its intended item
stops the script; the untouched starting workbooks must fail every item.

One file is edited after LibreOffice saved it: LibreOffice writes every cell of a merged block with
the XF of the block's first cell, so variants/ex3-centre-A1-only.xls gets B1:H1's records pointed
back at an untouched cell's XF (tools/workbooks/xls_patch.py, python3-olefile).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from column_width import width_mm100, excel_column_width, EXCEL_MDW  # noqa: E402
from xls_patch import set_blank_cells_xf  # noqa: E402
from office import (Office, save_xls, close, set_font, align, row_height_pt, merge,  # noqa: E402
                    sort_rows, first_sheet, type_formula, set_format, HORI_CENTER,
                    VERT_CENTER, VERT_BOTTOM, RED)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
START = os.path.join(ROOT, "src", "resources", "files")
OUT = os.path.join(ROOT, "tests", "data", "solutions")


def fill_down(sheet, column, first, last, make):
    for r in range(first, last + 1):
        type_formula(sheet, "%s%d" % (column, r), make(r))


# --- exercise 3 --------------------------------------------------------------------------------

def solve_class_results(office, fault=None):
    doc = office.open(os.path.join(START, "学生成绩表.xls"))
    s = first_sheet(doc)
    title = "A1:I1" if fault == "merge-A1-I1" else "A1:H1"
    merge(s, title)                                             # 1 merge and centre, bottom
    align(s.getCellRangeByName("A1" if fault == "centre-A1-only" else title),
          HORI_CENTER, VERT_BOTTOM)
    row_height_pt(s, 0, 20)                                     # 2 row height 20
    set_font(s.getCellRangeByName("A1"), name="隶书", size=15, bold=True)   # 3
    if fault == "totals-typed":                                 # 4 totals with SUM
        for r in range(3, 22):
            total = sum(s.getCellRangeByName("%s%d" % (c, r)).getValue() for c in "DEFG")
            s.getCellRangeByName("H%d" % r).setValue(total)
    else:
        fill_down(s, "H", 3, 21, lambda r: "=sum(d%d:g%d)" % (r, r))
    sort_rows(s, "A3:H21", 7, descending=(fault != "sorted-ascending"))     # 5
    for c in "defg":                                            # 6 averages
        type_formula(s, "%s22" % c.upper(), "=average(%s3:%s21)" % (c, c))
    code = {"average-3-decimals": "0.000_ ", "average-plain-0.00": "0.00"}.get(fault, "0.00_ ")
    set_format(doc, s, "D22:G22", code)                         # 7 two decimals
    return doc


# --- exercise 4 --------------------------------------------------------------------------------

def solve_wage_sheet(office, fault=None):
    doc = office.open(os.path.join(START, "工资表.xls"))
    s = first_sheet(doc)
    merge(s, "A1:H1")                                           # 1 merge
    align(s.getCellRangeByName("A1:H22"), HORI_CENTER, VERT_CENTER)        # 2 centre both ways
    set_font(s.getCellRangeByName("A1"), name="楷体_GB2312", italic=True, color=RED)  # 3
    fill_down(s, "G", 3, 21, lambda r: "=sum(c%d:f%d)" % (r, r))          # 4 totals
    if fault == "sort-C-H-only":                                # 5 low to high
        sort_rows(s, "C3:H21", 4, descending=False)
    else:
        sort_rows(s, "A3:H21", 6, descending=(fault == "sorted-descending"))
    if fault == "tax-typed":                                    # 6 tax 5%
        for r in range(3, 22):
            s.getCellRangeByName("H%d" % r).setValue(
                s.getCellRangeByName("G%d" % r).getValue() * 0.05)
    else:
        fill_down(s, "H", 3, 21, lambda r: "=g%d*0.05" % r)
    set_format(doc, s, "H3:H21", "0.00_ " if fault == "tax-2-decimals" else "0.0_ ")  # 7
    type_formula(s, "G22", "=average(g3:g21)")                  # 8
    if fault != "average-general":
        set_format(doc, s, "G22", "0_ ")                        # 9 whole number
    s.getColumns().getByIndex(0).setPropertyValue("Width", width_mm100(office, 5))  # 10
    return doc


# --- exercise 8 --------------------------------------------------------------------------------

def solve_factory_production(office, fault=None):
    doc = office.open(os.path.join(START, "企业生产数据.xls"))
    s = first_sheet(doc)
    title = "A1:H1" if fault == "merge-A1-H1" else "A1:G1"
    merge(s, title)                                             # 1 merge, centre, bottom
    align(s.getCellRangeByName(title), HORI_CENTER, VERT_BOTTOM)
    row_height_pt(s, 0, 25)                                     # 2
    set_font(s.getCellRangeByName("A1"), name="楷体_GB2312", size=17, bold=True)  # 3
    fill_down(s, "G", 3, 21, lambda r: "=sum(c%d:f%d)" % (r, r))          # 4
    if fault == "sort-without-A":                               # 5 high to low
        sort_rows(s, "B3:G21", 5, descending=True)
    else:
        sort_rows(s, "A3:G21", 6, descending=(fault != "sorted-ascending"))
    first = 2 if fault == "max-rows-2-21" else 3                # 6 maxima
    for c in "cdef":
        type_formula(s, "%s22" % c.upper(), "=max(%s%d:%s21)" % (c, first, c))
    type_formula(s, "G23", "=average(g3:g21)")                  # 7 average, one decimal
    set_format(doc, s, "G23", "0.00_ " if fault == "average-2-decimals" else "0.0_ ")
    return doc


SOLUTIONS = [
    # file, solver, fault, marking items expected to fail
    ("ex3-solution.xls", solve_class_results, None, []),
    ("variants/ex3-merge-A1-I1.xls", solve_class_results, "merge-A1-I1", [1]),
    ("variants/ex3-centre-A1-only.xls", solve_class_results, "centre-A1-only", [2]),
    ("variants/ex3-totals-typed.xls", solve_class_results, "totals-typed", [7]),
    ("variants/ex3-sorted-ascending.xls", solve_class_results, "sorted-ascending", [8]),
    ("variants/ex3-average-3-decimals.xls", solve_class_results, "average-3-decimals", [10]),
    ("variants/ex3-average-plain-0.00.xls", solve_class_results, "average-plain-0.00", [10]),
    ("ex4-solution.xls", solve_wage_sheet, None, []),
    # High to low also puts the highest tax in H3: item 8 fails with item 7.
    ("variants/ex4-sorted-descending.xls", solve_wage_sheet, "sorted-descending", [7, 8]),
    ("variants/ex4-sort-C-H-only.xls", solve_wage_sheet, "sort-C-H-only", [7]),
    ("variants/ex4-tax-typed.xls", solve_wage_sheet, "tax-typed", [8]),
    ("variants/ex4-tax-2-decimals.xls", solve_wage_sheet, "tax-2-decimals", [9]),
    ("variants/ex4-average-general.xls", solve_wage_sheet, "average-general", [11]),
    ("ex8-solution.xls", solve_factory_production, None, []),
    ("variants/ex8-merge-A1-H1.xls", solve_factory_production, "merge-A1-H1", [1]),
    ("variants/ex8-sorted-ascending.xls", solve_factory_production, "sorted-ascending", [8]),
    ("variants/ex8-sort-without-A.xls", solve_factory_production, "sort-without-A", [8]),
    ("variants/ex8-max-rows-2-21.xls", solve_factory_production, "max-rows-2-21", [9]),
    ("variants/ex8-average-2-decimals.xls", solve_factory_production, "average-2-decimals",
     [11]),
]


# --- checking the saved files against the marking items ----------------------------------------

class Saved:
    """Reads of one saved workbook: formulas as LibreOffice spells them after reopening the
    file, the rest from the BIFF8 records through xlrd."""

    def __init__(self, office, path):
        import xlrd
        self.book = xlrd.open_workbook(path, formatting_info=True)
        self.sheet = self.book.sheet_by_index(0)
        doc = office.open(path)
        s = first_sheet(doc)
        self.formulas = {}
        for r in range(1, 24):
            for c in "ABCDEFGHI":
                cell = s.getCellRangeByName("%s%d" % (c, r))
                if cell.getType().value == "FORMULA":
                    self.formulas["%s%d" % (c, r)] = cell.getFormula()
        close(doc)

    @staticmethod
    def rc(a1):
        return int(a1[1:]) - 1, ord(a1[0]) - 65

    def xf_index(self, r, c):
        if r < self.sheet.nrows and c < self.sheet.ncols:
            return self.sheet.cell_xf_index(r, c)
        return 15                    # a cell that was never written: the default cell XF

    def xf(self, a1):
        return self.book.xf_list[self.xf_index(*self.rc(a1))]

    def merge_area(self, a1):
        r, c = self.rc(a1)
        for rlo, rhi, clo, chi in self.sheet.merged_cells:
            if rlo <= r < rhi and clo <= c < chi:
                return "$%s$%d:$%s$%d" % (chr(65 + clo), rlo + 1, chr(64 + chi), rhi)
        return "$%s$%d" % (a1[0], r + 1)

    def alignment(self, first, last):
        """(horizontal, vertical) shared by every cell of the block, None where mixed.
        BIFF8 codes: horizontal 2 = centre; vertical 1 = centre, 2 = bottom."""
        (r0, c0), (r1, c1) = self.rc(first), self.rc(last)
        hs, vs = set(), set()
        for r in range(r0, r1 + 1):
            for c in range(c0, c1 + 1):
                a = self.book.xf_list[self.xf_index(r, c)].alignment
                hs.add(a.hor_align)
                vs.add(a.vert_align)
        return (hs.pop() if len(hs) == 1 else None, vs.pop() if len(vs) == 1 else None)

    def row_height(self, row):
        info = self.sheet.rowinfo_map.get(row - 1)
        return (info.height if info else self.sheet.default_row_height) / 20.0

    def font(self, a1):
        return self.book.font_list[self.xf(a1).font_index]

    def value(self, a1):
        r, c = self.rc(a1)
        if r < self.sheet.nrows and c < self.sheet.ncols:
            return self.sheet.cell_value(r, c)
        return ""

    def format(self, a1):
        return self.book.format_map[self.xf(a1).format_key].format_str

    def column_width(self, col):
        f = self.book.font_list[0]
        return excel_column_width(self.sheet.colinfo_map[col].width,
                                  EXCEL_MDW[(f.name, f.height // 20)])


def items_ex3(w):
    f = w.font("A1")
    return [w.merge_area("A1") == "$A$1:$H$1",
            w.alignment("A1", "H1") == (2, 2),
            w.row_height(1) == 20,
            f.name == "隶书", f.height == 300, f.weight == 700,
            w.formulas.get("H3") == "=SUM(D3:G3)" and w.formulas.get("H21") == "=SUM(D21:G21)",
            w.value("H3") == 679 and w.value("H21") == 579,
            w.formulas.get("D22") == "=AVERAGE(D3:D21)"
            and w.formulas.get("F22") == "=AVERAGE(F3:F21)",
            w.format("D22") == "0.00_ " and w.format("F22") == "0.00_ "]


def items_ex4(w):
    f = w.font("A1")
    return [w.merge_area("A1") == "$A$1:$H$1",
            w.alignment("A1", "F21") == (2, 1),
            f.name == "楷体_GB2312", f.italic == 1, f.colour_index == 10,   # ColorIndex 3
            w.formulas.get("G3") == "=SUM(C3:F3)" and w.formulas.get("G21") == "=SUM(C21:F21)",
            w.value("G3") == 1569 and w.value("G21") == 2790 and w.value("B3") == "Dosmer",
            "H3" in w.formulas and "H21" in w.formulas
            and w.value("H3") == 78.45 and w.value("H21") == 139.5,
            w.format("H3") == "0.0_ " and w.format("H21") == "0.0_ ",
            w.formulas.get("G22") == "=AVERAGE(G3:G21)",
            w.format("G22") == "0_ ",
            w.column_width(0) == 5]


def items_ex8(w):
    f = w.font("A1")
    return [w.merge_area("A1") == "$A$1:$G$1",
            w.alignment("A1", "G1") == (2, 2),
            w.row_height(1) == 25,
            f.name == "楷体_GB2312", f.height == 340, f.weight == 700,
            w.formulas.get("G3") == "=SUM(C3:F3)" and w.formulas.get("G21") == "=SUM(C21:F21)",
            w.value("G3") == 5317 and w.value("G21") == 4136 and w.value("A21") == "Yaltren",
            w.formulas.get("C22") == "=MAX(C3:C21)" and w.formulas.get("F22") == "=MAX(F3:F21)",
            w.formulas.get("G23") == "=AVERAGE(G3:G21)",
            w.format("G23") == "0.0_ "]


ITEMS = {solve_class_results: items_ex3, solve_wage_sheet: items_ex4,
         solve_factory_production: items_ex8}


def main():
    failures = 0
    with Office() as office:
        starts = [("学生成绩表.xls", solve_class_results), ("工资表.xls", solve_wage_sheet),
                  ("企业生产数据.xls", solve_factory_production)]
        for name, solver in starts:
            passed = ITEMS[solver](Saved(office, os.path.join(START, name)))
            wrong = [i + 1 for i, ok in enumerate(passed) if not ok]
            status = "ok" if not any(passed) else "UNEXPECTED"
            failures += status != "ok"
            print("%-40s wrong items %s %s" % ("start " + name, wrong, status))
        for name, solver, fault, expected_wrong in SOLUTIONS:
            path = os.path.join(OUT, name)
            doc = solver(office, fault)
            save_xls(doc, path)
            close(doc)
            if fault == "centre-A1-only":
                # B1:H1 back to the XF of an untouched cell (A3's, general and bottom).
                import xlrd
                book = xlrd.open_workbook(path, formatting_info=True)
                plain = book.sheet_by_index(0).cell_xf_index(2, 0)
                assert set_blank_cells_xf(path, 1, 0, range(1, 8), plain) == 7
            passed = ITEMS[solver](Saved(office, path))
            wrong = [i + 1 for i, ok in enumerate(passed) if not ok]
            status = "ok" if wrong == expected_wrong else "UNEXPECTED"
            failures += status != "ok"
            print("%-40s wrong items %-10s expected %-10s %s" % (
                name, wrong, expected_wrong, status))
    if failures:
        sys.exit("%d file(s) do not fail the intended items" % failures)


if __name__ == "__main__":
    main()
