#!/usr/bin/python3
"""Prints what a .xls holds on its first sheet (or the sheets named), read with python3-xlrd
(formatting_info=True): fonts, cell XFs (alignment, number format, font), merged cells, row
heights, column widths, formulas are not decoded by xlrd, so the cached values are shown.

Usage: /usr/bin/python3 tools/workbooks/inspect-xls.py FILE.xls [CELL ...]
       with cells, prints only those cells (e.g. A1 H3 D22).
"""
import sys

import xlrd
from xlrd.formula import cellname

HORI = {0: "general", 1: "left", 2: "center", 3: "right", 4: "fill", 5: "justify",
        6: "center-across", 7: "distributed"}
VERT = {0: "top", 1: "center", 2: "bottom", 3: "justify", 4: "distributed"}


def a1_to_rc(a1):
    col = 0
    i = 0
    while a1[i].isalpha():
        col = col * 26 + ord(a1[i].upper()) - 64
        i += 1
    return int(a1[i:]) - 1, col - 1


def describe_cell(book, sheet, r, c):
    xf_index = sheet.cell_xf_index(r, c)
    xf = book.xf_list[xf_index]
    font = book.font_list[xf.font_index]
    fmt = book.format_map[xf.format_key].format_str
    cell = sheet.cell(r, c) if r < sheet.nrows and c < sheet.ncols else None
    value = repr(cell.value) if cell is not None else "(beyond used range)"
    kind = xlrd.sheet.ctype_text.get(cell.ctype, "?") if cell is not None else ""
    al = xf.alignment
    return ("%s xf=%d %s %s | font#%d %r %.1fpt bold=%s italic=%s colour=%d | "
            "hori=%s vert=%s | fmt#%d %r" % (
                cellname(r, c), xf_index, kind, value, xf.font_index, font.name,
                font.height / 20.0, font.bold, font.italic, font.colour_index,
                HORI.get(al.hor_align, al.hor_align), VERT.get(al.vert_align, al.vert_align),
                xf.format_key, fmt))


def main():
    path = sys.argv[1]
    cells = sys.argv[2:]
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    if cells:
        for a1 in cells:
            r, c = a1_to_rc(a1)
            print(describe_cell(book, sheet, r, c))
        return
    print("sheets:", book.sheet_names())
    print("fonts:")
    for i, f in enumerate(book.font_list):
        print("  #%d %r %.1fpt bold=%s italic=%s colour=%d" % (
            i, f.name, f.height / 20.0, f.bold, f.italic, f.colour_index))
    print("user formats:", {k: v.format_str for k, v in book.format_map.items() if k >= 164})
    print("merged (rlo, rhi, clo, chi):", sheet.merged_cells)
    print("default row height (twips):", sheet.default_row_height,
          "standardwidth:", sheet.standardwidth, "defcolwidth:", sheet.defcolwidth)
    for r in range(max(sheet.nrows, 1)):
        ri = sheet.rowinfo_map.get(r)
        if ri is not None and (ri.has_default_height == 0 or r < 3):
            print("  row %d height %.2fpt (twips %d) custom=%s" % (
                r + 1, ri.height / 20.0, ri.height, not ri.has_default_height))
    for c, ci in sorted(sheet.colinfo_map.items()):
        print("  col %s width %d (1/256 char) = %.4f" % (cellname(0, c)[:-1], ci.width,
                                                        ci.width / 256.0))
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            if sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY or r < 2 or r >= 21:
                print(describe_cell(book, sheet, r, c))


if __name__ == "__main__":
    main()
