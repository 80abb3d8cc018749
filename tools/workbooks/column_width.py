"""Column widths "in characters" the way Excel stores them, set through LibreOffice.

Excel (97-2003) measures ColumnWidth in digits of the Normal style's font: a column of w
characters is trunc(w * MDW + 0.5) + 5 pixels wide (MDW = maximum digit width of that font in
pixels at 96 dpi, 5 = 2 + 2 pixels of margin and 1 of grid line), and the COLINFO record keeps that
pixel width as trunc(pixels / MDW * 256) in 1/256 of a digit. Examples: Arial 10 (MDW 7), width 5
-> 40 px -> 1462; 宋体 12 (MDW 8), width 5 -> 45 px -> 1440, width 8 -> 69 px -> 2208.

LibreOffice keeps widths in 1/100 mm and writes COLINFO as width / digit width * 256 with no
padding, where the digit width is that of the font it measures the document default font with
(for 宋体, not installed here, a substitute). That digit width is measured once per session by
saving a probe column and reading its COLINFO back; the width in 1/100 mm that makes LibreOffice
write Excel's COLINFO value follows from it.
"""
import os
import tempfile

import xlrd

# Maximum digit width in pixels at 96 dpi of the fonts used as document default.
EXCEL_MDW = {("宋体", 12): 8, ("Arial", 10): 7}

PROBE_MM100 = 10000


def excel_colinfo_width(chars, mdw):
    pixels = int(chars * mdw + 0.5) + 5
    return int(pixels * 256 / mdw)


def excel_column_width(colinfo_width, mdw):
    """Inverse, as a reader would compute ColumnWidth from COLINFO (to check the round trip)."""
    pixels = int(colinfo_width * mdw / 256.0 + 0.5)
    return round((pixels - 5) / mdw, 2)


_digit_mm100 = {}


def lo_digit_width_mm100(office, face, size):
    """LibreOffice's digit width (1/100 mm) for a document whose default font is face/size."""
    key = (face, size)
    if key in _digit_mm100:
        return _digit_mm100[key]
    from office import save_xls, close, set_font
    doc = office.new_calc()
    default = doc.getStyleFamilies().getByName("CellStyles").getByName("Default")
    set_font(default, name=face, size=size)
    sheet = doc.getSheets().getByIndex(0)
    sheet.getColumns().getByIndex(0).setPropertyValue("Width", PROBE_MM100)
    sheet.getCellByPosition(0, 0).setValue(0)
    fd, path = tempfile.mkstemp(suffix=".xls")
    os.close(fd)
    try:
        save_xls(doc, path)
        close(doc)
        book = xlrd.open_workbook(path, formatting_info=True)
        coldx = book.sheet_by_index(0).colinfo_map[0].width
    finally:
        os.unlink(path)
    _digit_mm100[key] = PROBE_MM100 * 256.0 / coldx
    return _digit_mm100[key]


def width_mm100(office, chars, face="宋体", size=12):
    """Width in 1/100 mm that LibreOffice exports as Excel's COLINFO for `chars` characters."""
    mdw = EXCEL_MDW[(face, size)]
    target = excel_colinfo_width(chars, mdw)
    digit = lo_digit_width_mm100(office, face, size)
    # LibreOffice rounds width / digit * 256 to the nearest unit; one 1/100 mm is less than
    # half a unit, so rounding here lands exactly on the target (checked after saving).
    return int(round(target * digit / 256.0))
