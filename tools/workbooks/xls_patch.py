"""In-place edits of cell records in a saved .xls, for the one case LibreOffice cannot produce:
LibreOffice writes every cell of a merged block with the XF of its top-left cell, so a merged
title whose other cells keep their own alignment has to be made by editing the BLANK/MULBLANK
records afterwards. The Workbook stream keeps its size, so olefile (python3-olefile) rewrites it
in place."""
import struct

import olefile

BOF, EOF_, BLANK, MULBLANK = 0x0809, 0x000A, 0x0201, 0x00BE


def set_blank_cells_xf(path, sheet_number, row, columns, xf):
    """Gives the blank cells (row, column), 0-based, of the sheet_number-th sheet (1-based)
    the XF index xf. Returns the number of cells changed."""
    ole = olefile.OleFileIO(path, write_mode=True)
    data = bytearray(ole.openstream("Workbook").read())
    pos, substream, changed = 0, 0, 0
    while pos + 4 <= len(data):
        rtype, size = struct.unpack_from("<HH", data, pos)
        body = pos + 4
        if rtype == BOF:
            substream += 1
        if substream == sheet_number + 1:        # substream 1 is the workbook globals
            if rtype == BLANK:
                r, c = struct.unpack_from("<HH", data, body)
                if r == row and c in columns:
                    struct.pack_into("<H", data, body + 4, xf)
                    changed += 1
            elif rtype == MULBLANK:
                r, first = struct.unpack_from("<HH", data, body)
                count = (size - 6) // 2
                if r == row:
                    for k in range(count):
                        if first + k in columns:
                            struct.pack_into("<H", data, body + 4 + 2 * k, xf)
                            changed += 1
        pos = body + size
    ole.write_stream("Workbook", bytes(data))
    ole.close()
    return changed
