#!/usr/bin/env python3
"""Copies the record sub-streams of the embedded charts of BIFF8 workbooks into files.

For every worksheet of each workbook given, every embedded chart (a BOF record of type chart
inside the worksheet's records, up to its EOF) is written byte for byte, record headers included,
to OUTDIR/<workbook name>-sheet<N>-chart<K>.bin (sheets and charts counted from 1). Chart sheets
are written as <workbook name>-sheet<N>-chartsheet.bin. Standard library only: it reads the
compound file just far enough to find the Workbook stream.

usage: extract-chart-records.py OUTDIR WORKBOOK.xls...
"""
import os
import struct
import sys

FREESECT, ENDOFCHAIN = 0xFFFFFFFF, 0xFFFFFFFE


def read_cfb_stream(data, wanted=("Workbook", "Book")):
    if data[:8] != bytes.fromhex("D0CF11E0A1B11AE1"):
        raise ValueError("not a compound file")
    sector_size = 1 << struct.unpack_from("<H", data, 0x1E)[0]
    mini_size = 1 << struct.unpack_from("<H", data, 0x20)[0]
    first_dir = struct.unpack_from("<I", data, 0x30)[0]
    cutoff = struct.unpack_from("<I", data, 0x38)[0]
    first_minifat, n_minifat = struct.unpack_from("<II", data, 0x3C)
    first_difat, n_difat = struct.unpack_from("<II", data, 0x44)
    difat = list(struct.unpack_from("<109I", data, 0x4C))
    sect = first_difat
    for _ in range(n_difat):
        if sect in (FREESECT, ENDOFCHAIN):
            break
        off = (sect + 1) * sector_size
        vals = struct.unpack_from("<%dI" % (sector_size // 4), data, off)
        difat.extend(vals[:-1])
        sect = vals[-1]
    fat = []
    for s in difat:
        if s in (FREESECT, ENDOFCHAIN):
            continue
        off = (s + 1) * sector_size
        fat.extend(struct.unpack_from("<%dI" % (sector_size // 4), data, off))

    def chain(start, table, limit):
        out, s, seen = [], start, set()
        while s not in (FREESECT, ENDOFCHAIN) and s < len(table) and s not in seen and len(out) < limit:
            seen.add(s)
            out.append(s)
            s = table[s]
        return out

    def regular(start, size):
        buf = b"".join(data[(s + 1) * sector_size:(s + 2) * sector_size]
                       for s in chain(start, fat, len(fat)))
        return buf[:size]

    dirs = regular(first_dir, 1 << 30)
    entries = []
    for i in range(len(dirs) // 128):
        e = dirs[i * 128:(i + 1) * 128]
        nlen = struct.unpack_from("<H", e, 64)[0]
        name = e[:max(0, nlen - 2)].decode("utf-16-le", "replace")
        etype = e[66]
        start, size = struct.unpack_from("<II", e, 116)
        entries.append((name, etype, start, size))
    root = entries[0]
    ministream = regular(root[2], root[3])
    minifat = []
    for s in chain(first_minifat, fat, n_minifat):
        minifat.extend(struct.unpack_from("<%dI" % (sector_size // 4), data, (s + 1) * sector_size))
    for name, etype, start, size in entries:
        if etype == 2 and name in wanted:
            if size < cutoff:
                return b"".join(ministream[s * mini_size:(s + 1) * mini_size]
                                for s in chain(start, minifat, len(minifat)))[:size]
            return regular(start, size)
    raise ValueError("no Workbook stream")


def records(stream):
    pos = 0
    while pos + 4 <= len(stream):
        rtype, length = struct.unpack_from("<HH", stream, pos)
        yield rtype, stream[pos:pos + 4 + length], stream[pos + 4:pos + 4 + length]
        pos += 4 + length


def extract(path, outdir):
    stream = read_cfb_stream(open(path, "rb").read())
    base = os.path.splitext(os.path.basename(path))[0]
    sheet = 0          # number of the sheet whose records we are in (0: globals)
    depth = 0          # 1 inside a sheet, 2 inside an embedded chart
    chart_no = 0
    current = None     # bytes of the chart being copied
    written = []
    for rtype, raw, body in records(stream):
        if rtype == 0x0809:
            dt = struct.unpack_from("<H", body, 2)[0] if len(body) >= 4 else 0
            if depth == 0:
                depth = 1
                if dt != 0x0005:
                    sheet += 1
                    chart_no = 0
                    if dt == 0x0020:
                        current, name = [raw], "%s-sheet%d-chartsheet.bin" % (base, sheet)
                        continue
            elif dt == 0x0020:
                depth = 2
                chart_no += 1
                current, name = [raw], "%s-sheet%d-chart%d.bin" % (base, sheet, chart_no)
                continue
            else:
                depth += 1
        if current is not None:
            current.append(raw)
        if rtype == 0x000A:
            depth -= 1
            if current is not None and depth <= 1:
                out = os.path.join(outdir, name)
                with open(out, "wb") as f:
                    f.write(b"".join(current))
                written.append(out)
                current = None
                if depth < 1:
                    depth = 0
    return written


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    for path in sys.argv[2:]:
        try:
            for out in extract(path, outdir):
                print(out)
        except (ValueError, struct.error) as e:
            print("%s: skipped (%s)" % (path, e), file=sys.stderr)


if __name__ == "__main__":
    main()
