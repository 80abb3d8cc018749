#!/usr/bin/python3
"""Makes tests/data/charts/column-chart.xls with LibreOffice: a household charges table with a
clustered column chart of B2:B17 (names) and I2:I17 (totals), series in columns, with a chart
title and both axis titles, saved in the Excel 97-2003 format.

usage: /usr/bin/python3 tools/make-chart-workbook.py OUT.xls
Runs `soffice --headless` on a private profile and pipe and talks to it through Python-UNO
(Debian packages libreoffice-calc-nogui and python3-uno).
"""
import os
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.awt import Rectangle
from com.sun.star.beans import PropertyValue
from com.sun.star.table import CellRangeAddress


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def main():
    out = os.path.abspath(sys.argv[1])
    profile = tempfile.mkdtemp(prefix="tarnwick-lo-")
    pipe = "tarnwick_chart_%d" % os.getpid()
    office = subprocess.Popen([
        "soffice", "--headless", "--invisible", "--nologo", "--norestore",
        "-env:UserInstallation=file://" + profile,
        "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe])
    try:
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        ctx = None
        for _ in range(120):
            try:
                ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                time.sleep(0.5)
        if ctx is None:
            sys.exit("LibreOffice did not start")
        desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (prop("Hidden", True),))
        sheet = doc.Sheets.getByIndex(0)
        sheet.getCellByPosition(0, 0).setString("信息苑小区21栋3单元5月份水电气费")
        heads = ["用户门号", "户主姓名", "用水量", "水费", "用电量", "电费", "用气量", "气费", "每户总付费"]
        for col, text in enumerate(heads):
            sheet.getCellByPosition(col, 1).setString(text)
        for i in range(15):
            row = 2 + i
            sheet.getCellByPosition(0, row).setValue(210301 + i)
            sheet.getCellByPosition(1, row).setString("户主%d" % (i + 1))
            for col, base in ((2, 10), (4, 100), (6, 20)):
                sheet.getCellByPosition(col, row).setValue(base + i)
            sheet.getCellByPosition(3, row).setFormula("=C%d*$C$20" % (row + 1))
            sheet.getCellByPosition(5, row).setFormula("=E%d*$D$20" % (row + 1))
            sheet.getCellByPosition(7, row).setFormula("=G%d*$E$20" % (row + 1))
            sheet.getCellByPosition(8, row).setFormula("=D%d+F%d+H%d" % (row + 1, row + 1, row + 1))
        for col, price in ((2, 2.5), (3, 0.6), (4, 1.8)):
            sheet.getCellByPosition(col, 19).setValue(price)

        def area(c1, r1, c2, r2):
            a = CellRangeAddress()
            a.Sheet, a.StartColumn, a.StartRow, a.EndColumn, a.EndRow = 0, c1, r1, c2, r2
            return a

        rect = Rectangle()
        rect.X, rect.Y, rect.Width, rect.Height = 1000, 9000, 16000, 9000
        # First row: series names; first column: categories.
        sheet.Charts.addNewByName("Chart1", rect, (area(1, 1, 1, 16), area(8, 1, 8, 16)), True, True)
        chart = sheet.Charts.getByName("Chart1").EmbeddedObject
        chart.HasMainTitle = True
        chart.Title.String = "信息苑小区21栋3单元5月份每户总付费"
        diagram = chart.Diagram
        diagram.HasXAxisTitle = True
        diagram.XAxisTitle.String = "户主姓名"
        diagram.HasYAxisTitle = True
        diagram.YAxisTitle.String = "每户总付费"
        doc.storeToURL(uno.systemPathToFileUrl(out),
                       (prop("FilterName", "MS Excel 97"), prop("Overwrite", True)))
        doc.close(True)
        try:
            desktop.terminate()
        except Exception:
            pass
    finally:
        try:
            office.wait(timeout=30)
        except subprocess.TimeoutExpired:
            office.kill()
        subprocess.run(["rm", "-rf", profile])


if __name__ == "__main__":
    main()
