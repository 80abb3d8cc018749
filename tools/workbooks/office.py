"""Shared helpers for the workbook scripts: start one headless LibreOffice, connect through UNO,
open/create/save spreadsheets and do the cell operations a user does in the application.

Run the scripts with Debian's interpreter (/usr/bin/python3), which has python3-uno.
A private profile under a temporary folder keeps runs independent of any user settings.
"""
import os
import shutil
import subprocess
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.table import CellRangeAddress, CellAddress
from com.sun.star.lang import Locale

# com.sun.star.table.CellHoriJustify / CellVertJustify2 values
HORI_STANDARD, HORI_LEFT, HORI_CENTER, HORI_RIGHT = 0, 1, 2, 3
VERT_STANDARD, VERT_TOP, VERT_CENTER, VERT_BOTTOM = 0, 1, 2, 3
BOLD, NORMAL_WEIGHT = 150.0, 100.0          # com.sun.star.awt.FontWeight
ITALIC, UPRIGHT = 2, 0                        # com.sun.star.awt.FontSlant
AUTOMATIC_COLOR = -1
RED = 0xFF0000
LIGHT_GREEN = 0xCCFFCC
ZH_CN = Locale("zh", "CN", "")
# The language "Default" of the Format Cells dialog (the installation's locale). A code added
# under an explicit locale, zh-CN included, is written to .xls with a prefix such as [$-804].
DEFAULT_LANGUAGE = Locale("", "", "")

POINT_IN_MM100 = 2540.0 / 72.0


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


class Office:
    """One soffice process for the whole script; use as a context manager."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="tarnwick-lo-")
        self.pipe = "tarnwick_wb_%d" % os.getpid()
        self.proc = None
        self.desktop = None

    def __enter__(self):
        # The installation keeps its default (English) locale on purpose: with a Chinese locale
        # LibreOffice writes the Asian face of the default style (its own CJK font) as the
        # workbook's first font when it saves a reopened .xls, which changes the unit of every
        # column width.
        env = dict(os.environ)
        self.proc = subprocess.Popen([
            "soffice", "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
            "--nolockcheck", "-env:UserInstallation=file://" + self.profile,
            "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        url = "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe
        for _ in range(120):
            try:
                ctx = resolver.resolve(url)
                break
            except Exception:
                if self.proc.poll() is not None:
                    raise RuntimeError("soffice ended before accepting a connection")
                time.sleep(0.5)
        else:
            raise RuntimeError("soffice did not accept a connection within 60 s")
        self.ctx = ctx
        self.smgr = ctx.ServiceManager
        self.desktop = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        return self

    def __exit__(self, *exc):
        try:
            if self.desktop is not None:
                self.desktop.terminate()
        except Exception:
            pass
        try:
            self.proc.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.proc.kill()   # only the process this object started
            self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def new_calc(self):
        return self.desktop.loadComponentFromURL(
            "private:factory/scalc", "_blank", 0, (prop("Hidden", True),))

    def open(self, path):
        return self.desktop.loadComponentFromURL(
            uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0,
            (prop("Hidden", True),))

    def dispatch(self, doc, command, *args):
        helper = self.smgr.createInstanceWithContext("com.sun.star.frame.DispatchHelper", self.ctx)
        frame = doc.getCurrentController().getFrame()
        return helper.executeDispatch(frame, command, "", 0, tuple(args))


def save_xls(doc, path):
    """File > Save As, type "Microsoft Excel 97-2003" (filter "MS Excel 97")."""
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(path)),
                   (prop("FilterName", "MS Excel 97"), prop("Overwrite", True)))


def close(doc):
    doc.close(True)


# --- cell operations ---------------------------------------------------------------------

def number_format(doc, code, locale=DEFAULT_LANGUAGE):
    """Key of a format code in the document's table (Format Cells > Number > user code)."""
    formats = doc.getNumberFormats()
    key = formats.queryKey(code, locale, False)
    if key == -1:
        key = formats.addNew(code, locale)
    return key


def first_sheet(doc):
    return doc.getSheets().getByIndex(0)


def type_formula(sheet, address, text):
    """Types a formula into a cell as a student does (lower case; the application re-spells it)."""
    sheet.getCellRangeByName(address).setFormula(text)


def set_format(doc, sheet, address, code):
    """Format Cells > Number with the format code `code`."""
    sheet.getCellRangeByName(address).setPropertyValue("NumberFormat", number_format(doc, code))


def set_font(rng, name=None, size=None, bold=None, italic=None, color=None):
    """Format Cells > Font for Western and Asian text alike (the dialog of a Chinese
    installation sets the Asian face; the Western one is set too so either script shows it)."""
    if name is not None:
        for p in ("CharFontName", "CharFontNameAsian", "CharFontNameComplex"):
            rng.setPropertyValue(p, name)
    if size is not None:
        for p in ("CharHeight", "CharHeightAsian", "CharHeightComplex"):
            rng.setPropertyValue(p, float(size))
    if bold is not None:
        w = BOLD if bold else NORMAL_WEIGHT
        for p in ("CharWeight", "CharWeightAsian", "CharWeightComplex"):
            rng.setPropertyValue(p, w)
    if italic is not None:
        s = ITALIC if italic else UPRIGHT
        for p in ("CharPosture", "CharPostureAsian", "CharPostureComplex"):
            rng.setPropertyValue(p, s)
    if color is not None:
        rng.setPropertyValue("CharColor", color)


def align(rng, hori=None, vert=None):
    if hori is not None:
        rng.setPropertyValue("HoriJustify", hori)
    if vert is not None:
        rng.setPropertyValue("VertJustify", vert)


def row_height_pt(sheet, row_index, points):
    """Format > Row > Height in points; LibreOffice keeps 1/100 mm."""
    r = sheet.getRows().getByIndex(row_index)
    r.setPropertyValue("Height", int(round(points * POINT_IN_MM100)))


def sort_rows(sheet, address, key_column_index, descending):
    """Data > Sort on a block of whole rows, one key (column index relative to the block)."""
    rng = sheet.getCellRangeByName(address)
    field = uno.createUnoStruct("com.sun.star.table.TableSortField")
    field.Field = key_column_index
    field.IsAscending = not descending
    field.FieldType = uno.Enum("com.sun.star.table.TableSortFieldType", "NUMERIC")
    desc = rng.createSortDescriptor()
    for p in desc:
        if p.Name == "SortFields":
            p.Value = uno.Any("[]com.sun.star.table.TableSortField", (field,))
        elif p.Name == "ContainsHeader":
            p.Value = False
        elif p.Name == "IsSortColumns":
            p.Value = False            # sort rows (top to bottom)
    uno.invoke(rng, "sort", (desc,))


def merge(sheet, address, on=True):
    sheet.getCellRangeByName(address).merge(on)


def put_rows(sheet, first_row, rows):
    """Type values row by row from column A: str -> text, int/float -> number, None -> skip."""
    for r, values in enumerate(rows):
        for c, v in enumerate(values):
            if v is None:
                continue
            cell = sheet.getCellByPosition(c, first_row + r)
            if isinstance(v, str):
                cell.setString(v)
            else:
                cell.setValue(v)
