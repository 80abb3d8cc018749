#!/usr/bin/python3
"""Same-length patches of a Word 97-2003 file that LibreOffice wrote, for the properties LibreOffice
cannot store: character-unit indents, line-unit spacing, and page sizes as Word stores them.

Every patch is found through the file's own structures, never by searching for bytes:
compound file ([MS-CFB]: header, DIFAT, FAT, mini FAT, directory) -> WordDocument stream and the
table stream the FIB names -> FIB ([MS-DOC] 2.5) -> the piece table (Clx) to find paragraph k of
the main text and the file position of its paragraph mark -> PlcBtePapx -> the PAPX FKP page that
holds that position -> the PAPX's sprms; and PlcfSed -> SEPX -> the section's sprms; and the Dop.
A patch replaces a sprm and its operand by another sprm whose operand has the same size, or an
operand by another value, so no offset or length anywhere in the file changes.

Usage as a command (prints what it changed):

    patch_doc.py FILE [--para K:OLD=NEW:VALUE ...] [--section S:SPRM=VALUE ...] [--char-line-units]

K and S count from 0; sprm codes are hexadecimal (0x8460), VALUE is a signed 16-bit number, e.g.
    patch_doc.py a.doc --para 1:0x8460=0x4457:200 --section 0:0xB01F=14742 --char-line-units
"""
import struct
import sys

# --- limits: nothing the file says is trusted beyond these -----------------------------------
MAX_FILE = 64 * 1024 * 1024
MAX_STREAM = 32 * 1024 * 1024
MAX_PLC_ENTRIES = 1 << 16
ENDOFCHAIN, FREESECT, FATSECT, DIFSECT = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFC
NOSTREAM = 0xFFFFFFFF

# [MS-DOC] FibRgFcLcb97 indexes used here
FIB_PLCFSED, FIB_PLCFBTEPAPX, FIB_DOP, FIB_CLX = 6, 13, 31, 33

SPRM_NAMES = {
    0x8460: "sprmPDxaLeft1", 0x845E: "sprmPDxaLeft", 0x845D: "sprmPDxaRight",
    0xA413: "sprmPDyaBefore", 0xA414: "sprmPDyaAfter",
    0x4457: "sprmPDxcLeft1", 0x4456: "sprmPDxcLeft", 0x4455: "sprmPDxcRight",
    0x4458: "sprmPDylBefore", 0x4459: "sprmPDylAfter",
    0xB01F: "sprmSXaPage", 0xB020: "sprmSYaPage", 0xB021: "sprmSDxaLeft",
    0xB022: "sprmSDxaRight", 0x9023: "sprmSDyaTop", 0x9024: "sprmSDyaBottom",
    0x301D: "sprmSBOrientation",
}


class PatchError(Exception):
    pass


def sprm_name(code):
    return SPRM_NAMES.get(code, "sprm 0x%04X" % code)


def _u16(buf, off):
    if off < 0 or off + 2 > len(buf):
        raise PatchError("read of 2 bytes at %d outside %d bytes" % (off, len(buf)))
    return struct.unpack_from("<H", buf, off)[0]


def _u32(buf, off):
    if off < 0 or off + 4 > len(buf):
        raise PatchError("read of 4 bytes at %d outside %d bytes" % (off, len(buf)))
    return struct.unpack_from("<I", buf, off)[0]


# --- compound file --------------------------------------------------------------------------

class Stream:
    """A stream's bytes plus, for each byte, where it lives in the file (by sector runs)."""

    def __init__(self, name, data, runs):
        self.name = name
        self.data = data            # bytes of the stream
        self.runs = runs            # list of (stream offset, file offset, length)

    def file_offset(self, off, length):
        """File offsets of stream bytes [off, off+length) as (file offset, count) pieces."""
        if off < 0 or length < 0 or off + length > len(self.data):
            raise PatchError("%s: bytes %d..%d outside the stream (%d bytes)"
                             % (self.name, off, off + length, len(self.data)))
        out = []
        for s_off, f_off, n in self.runs:
            lo, hi = max(off, s_off), min(off + length, s_off + n)
            if lo < hi:
                out.append((f_off + (lo - s_off), hi - lo))
        if sum(n for _, n in out) != length:
            raise PatchError("%s: bytes %d..%d not mapped to the file" % (self.name, off, off + length))
        return out


class CompoundFile:
    def __init__(self, buf):
        if len(buf) > MAX_FILE:
            raise PatchError("file larger than %d bytes" % MAX_FILE)
        if len(buf) < 512 or bytes(buf[:8]) != bytes.fromhex("D0CF11E0A1B11AE1"):
            raise PatchError("not a compound file")
        self.buf = buf
        shift, mini_shift = _u16(buf, 30), _u16(buf, 32)
        if shift not in (9, 12) or mini_shift != 6:
            raise PatchError("unexpected sector sizes (shift %d, mini shift %d)" % (shift, mini_shift))
        self.ssz, self.mssz = 1 << shift, 1 << mini_shift
        self.nsect = (len(buf) - self.ssz) // self.ssz
        n_fat, dir_start = _u32(buf, 44), _u32(buf, 48)
        self.mini_cutoff = _u32(buf, 56)
        minifat_start, n_minifat = _u32(buf, 60), _u32(buf, 64)
        difat_start, n_difat = _u32(buf, 68), _u32(buf, 72)
        if n_fat > self.nsect or n_minifat > self.nsect or n_difat > self.nsect:
            raise PatchError("sector counts in the header exceed the file")
        difat = [_u32(buf, 76 + 4 * i) for i in range(109)]
        s = difat_start
        for _ in range(n_difat):
            if s in (ENDOFCHAIN, FREESECT):
                break
            sec = self._sector(s)
            per = self.ssz // 4
            difat += [_u32(sec, 4 * i) for i in range(per - 1)]
            s = _u32(sec, 4 * (per - 1))
        self.fat = []
        for s in difat[:n_fat]:
            sec = self._sector(s)
            self.fat += [_u32(sec, 4 * i) for i in range(self.ssz // 4)]
        dir_bytes, _ = self._chain_bytes(dir_start, self.fat, None, MAX_STREAM)
        self.entries = []
        for i in range(len(dir_bytes) // 128):
            e = dir_bytes[128 * i:128 * (i + 1)]
            name_len = _u16(e, 64)
            if name_len > 64 or name_len % 2:
                raise PatchError("directory entry %d has a bad name length" % i)
            name = e[:max(0, name_len - 2)].decode("utf-16-le", "replace")
            kind = e[66]
            start = _u32(e, 116)
            size = _u32(e, 120) if self.ssz == 512 else struct.unpack_from("<Q", e, 120)[0]
            self.entries.append((name, kind, start, size))
        if not self.entries or self.entries[0][1] != 5:
            raise PatchError("the first directory entry is not the root")
        root = self.entries[0]
        self.minifat = []
        if n_minifat:
            mf, _ = self._chain_bytes(minifat_start, self.fat, None, MAX_STREAM)
            self.minifat = [_u32(mf, 4 * i) for i in range(len(mf) // 4)]
        self.ministream, self.ministream_runs = self._chain_bytes(root[2], self.fat, root[3], MAX_STREAM) \
            if root[2] not in (ENDOFCHAIN, FREESECT) else (b"", [])

    def _sector(self, s):
        if s >= self.nsect:
            raise PatchError("sector %d outside the file" % s)
        off = (s + 1) * self.ssz
        return self.buf[off:off + self.ssz]

    def _chain_bytes(self, start, fat, size, cap):
        """Follows a FAT chain; returns the bytes and (stream offset, file offset, n) runs."""
        data, runs, seen = bytearray(), [], set()
        s = start
        limit = len(fat) + 1
        for _ in range(limit):
            if s == ENDOFCHAIN:
                break
            if s in seen or s >= len(fat):
                raise PatchError("broken sector chain at %d" % s)
            seen.add(s)
            runs.append((len(data), (s + 1) * self.ssz, self.ssz))
            data += self._sector(s)
            if len(data) > cap:
                raise PatchError("chain longer than %d bytes" % cap)
            s = fat[s]
        else:
            raise PatchError("sector chain does not end")
        if size is not None:
            if size > len(data):
                raise PatchError("stream size %d beyond its chain (%d)" % (size, len(data)))
            data = data[:size]
        return bytes(data), runs

    def stream(self, name):
        for ename, kind, start, size in self.entries:
            if kind == 2 and ename == name:
                break
        else:
            raise PatchError("no stream %r" % name)
        if size > MAX_STREAM:
            raise PatchError("stream %r larger than %d bytes" % (name, MAX_STREAM))
        if size >= self.mini_cutoff:
            data, runs = self._chain_bytes(start, self.fat, size, MAX_STREAM)
            return Stream(name, data, runs)
        # a small stream lives in the mini stream: map mini sectors, then the mini stream's runs
        data, runs, seen = bytearray(), [], set()
        mini = Stream("mini stream", self.ministream, self.ministream_runs)
        s = start
        for _ in range(len(self.minifat) + 1):
            if s == ENDOFCHAIN or len(data) >= size:
                break
            if s in seen or s >= len(self.minifat):
                raise PatchError("broken mini sector chain at %d" % s)
            seen.add(s)
            m_off = s * self.mssz
            if m_off + self.mssz > len(self.ministream):
                raise PatchError("mini sector %d outside the mini stream" % s)
            for f_off, n in mini.file_offset(m_off, self.mssz):
                runs.append((len(data), f_off, n))
                data += self.buf[f_off:f_off + n]
            s = self.minifat[s]
        if len(data) < size:
            raise PatchError("stream %r shorter than its size" % name)
        return Stream(name, bytes(data[:size]), runs)


# --- Word structures -----------------------------------------------------------------------

def spra_operand_size(code, grpprl, op_off):
    """Operand size of a sprm (MS-DOC 2.2.5.1): by spra, variable ones by their first byte."""
    spra = code >> 13
    fixed = {0: 1, 1: 1, 2: 2, 3: 4, 4: 2, 5: 2, 7: 3}
    if spra in fixed:
        return fixed[spra]
    if code in (0xD608, 0xC615):
        raise PatchError("sprm 0x%04X (table definition or tab changes) is not handled" % code)
    if op_off >= len(grpprl):
        raise PatchError("variable sprm 0x%04X without its size byte" % code)
    return 1 + grpprl[op_off]


def parse_sprms(grpprl):
    """[(offset of the sprm in grpprl, code, operand offset, operand size)]."""
    out, pos = [], 0
    for _ in range(len(grpprl)):
        if pos + 2 > len(grpprl):
            break
        code = _u16(grpprl, pos)
        size = spra_operand_size(code, grpprl, pos + 2)
        if pos + 2 + size > len(grpprl):
            if not any(grpprl[pos:]):
                break                   # padding at the end of a PAPX
            raise PatchError("sprm 0x%04X runs past its property list" % code)
        out.append((pos, code, pos + 2, size))
        pos += 2 + size
    return out


class WordFile:
    def __init__(self, buf):
        self.cfb = CompoundFile(buf)
        self.buf = buf
        self.main = self.cfb.stream("WordDocument")
        fib = self.main.data
        if _u16(fib, 0) != 0xA5EC:
            raise PatchError("WordDocument does not start with a Word FIB")
        self.nfib = _u16(fib, 2)
        if self.nfib < 0xC1:
            raise PatchError("file older than Word 97 (nFib 0x%X)" % self.nfib)
        flags = _u16(fib, 10)
        if flags & 0x0100:
            raise PatchError("encrypted file")
        self.table = self.cfb.stream("1Table" if flags & 0x0200 else "0Table")
        csw = _u16(fib, 32)
        lw_at = 34 + 2 * csw
        cslw = _u16(fib, lw_at)
        rglw = lw_at + 2
        if cslw < 22:
            raise PatchError("FibRgLw97 too short")
        self.ccp_text = _u32(fib, rglw + 12)
        fclcb_at = rglw + 4 * cslw
        self.cb_rg_fc_lcb = _u16(fib, fclcb_at)
        self.rg_fc_lcb = fclcb_at + 2
        if self.cb_rg_fc_lcb < 0x5D:
            raise PatchError("FibRgFcLcb97 too short")

    def fc_lcb(self, index):
        return (_u32(self.main.data, self.rg_fc_lcb + 8 * index),
                _u32(self.main.data, self.rg_fc_lcb + 8 * index + 4))

    def _table_slice(self, index):
        fc, lcb = self.fc_lcb(index)
        if fc + lcb > len(self.table.data):
            raise PatchError("FIB entry %d points outside the table stream" % index)
        return fc, self.table.data[fc:fc + lcb]

    # pieces and paragraphs
    def pieces(self):
        _, clx = self._table_slice(FIB_CLX)
        pos = 0
        for _ in range(len(clx)):
            if pos >= len(clx) or clx[pos] != 0x01:
                break
            pos += 3 + _u16(clx, pos + 1)          # Prc: skip its property list
        if pos >= len(clx) or clx[pos] != 0x02:
            raise PatchError("Clx without a piece table")
        lcb = _u32(clx, pos + 1)
        plc = clx[pos + 5:pos + 5 + lcb]
        if len(plc) != lcb or (lcb - 4) % 12:
            raise PatchError("piece table of a bad size")
        n = (lcb - 4) // 12
        if n > MAX_PLC_ENTRIES:
            raise PatchError("too many pieces")
        out = []
        for i in range(n):
            cp0, cp1 = _u32(plc, 4 * i), _u32(plc, 4 * i + 4)
            fc_raw = _u32(plc, 4 * (n + 1) + 8 * i + 2)
            compressed = bool(fc_raw & 0x40000000)
            fc = (fc_raw & 0x3FFFFFFF) // 2 if compressed else fc_raw & 0x3FFFFFFF
            if cp1 < cp0:
                raise PatchError("piece %d ends before it starts" % i)
            out.append((cp0, cp1, fc, compressed))
        return out

    def cp_to_fc(self, cp):
        for cp0, cp1, fc, compressed in self.pieces():
            if cp0 <= cp < cp1:
                return fc + (cp - cp0) * (1 if compressed else 2)
        raise PatchError("character %d is in no piece" % cp)

    def main_text(self):
        chars = []
        for cp0, cp1, fc, compressed in self.pieces():
            if cp0 >= self.ccp_text:
                break
            end = min(cp1, self.ccp_text)
            n = end - cp0
            if compressed:
                raw = self.main.data[fc:fc + n]
                text = raw.decode("cp1252", "replace")
            else:
                raw = self.main.data[fc:fc + 2 * n]
                text = raw.decode("utf-16-le", "replace")
            if len(text) != n:
                raise PatchError("piece text outside the WordDocument stream")
            chars.append(text)
        return "".join(chars)

    def paragraphs(self):
        """[(first cp, cp of the mark, text without the mark)] of the main text."""
        text, out, start = self.main_text(), [], 0
        for i, ch in enumerate(text):
            if ch == "\r":
                out.append((start, i, text[start:i]))
                start = i + 1
        return out

    # paragraph properties
    def papx_runs(self):
        """Every PAPX FKP run: (fc first, fc limit, offset of the PapxInFkp in WordDocument)."""
        fc, plc = self._table_slice(FIB_PLCFBTEPAPX)
        if len(plc) < 4 or (len(plc) - 4) % 8:
            raise PatchError("PlcBtePapx of a bad size")
        n = (len(plc) - 4) // 8
        if n > MAX_PLC_ENTRIES:
            raise PatchError("too many PAPX pages")
        runs = []
        for i in range(n):
            pn = _u32(plc, 4 * (n + 1) + 4 * i) & 0x3FFFFF
            page_at = pn * 512
            page = self.main.data[page_at:page_at + 512]
            if len(page) != 512:
                raise PatchError("PAPX page %d outside the WordDocument stream" % pn)
            crun = page[511]
            if crun == 0 or 4 * (crun + 1) + 13 * crun > 511:
                raise PatchError("PAPX page %d has a bad run count" % pn)
            for k in range(crun):
                fc0, fc1 = _u32(page, 4 * k), _u32(page, 4 * k + 4)
                b_offset = page[4 * (crun + 1) + 13 * k]
                runs.append((fc0, fc1, page_at + 2 * b_offset if b_offset else None))
        return runs

    def papx(self, at):
        """(grpprl offset in WordDocument, istd, grpprl bytes) of the PapxInFkp at `at`."""
        data = self.main.data
        if at is None:
            raise PatchError("paragraph without a PAPX (style defaults only)")
        cb = data[at]
        if cb:
            start, size = at + 1, 2 * cb - 1
        else:
            start, size = at + 2, 2 * data[at + 1]
        page_end = (at // 512) * 512 + 511
        if size < 2 or start + size > page_end:
            raise PatchError("PAPX at %d runs outside its page" % at)
        istd = _u16(data, start)
        return start + 2, istd, data[start + 2:start + size]

    def papx_of_paragraph(self, k):
        paras = self.paragraphs()
        if not 0 <= k < len(paras):
            raise PatchError("no paragraph %d (the main text has %d)" % (k, len(paras)))
        mark_fc = self.cp_to_fc(paras[k][1])
        for fc0, fc1, at in self.papx_runs():
            if fc0 <= mark_fc < fc1:
                return at
        raise PatchError("paragraph %d has no PAPX run" % k)

    # sections
    def sepx(self, s):
        fc, plc = self._table_slice(FIB_PLCFSED)
        if len(plc) < 4 or (len(plc) - 4) % 16:
            raise PatchError("PlcfSed of a bad size")
        n = (len(plc) - 4) // 16
        if not 0 <= s < n:
            raise PatchError("no section %d (the file has %d)" % (s, n))
        fc_sepx = _u32(plc, 4 * (n + 1) + 12 * s + 2)
        if fc_sepx == 0xFFFFFFFF:
            raise PatchError("section %d has no SEPX" % s)
        cb = struct.unpack_from("<h", self.main.data, fc_sepx)[0] if fc_sepx + 2 <= len(self.main.data) else -1
        if cb < 0 or fc_sepx + 2 + cb > len(self.main.data):
            raise PatchError("SEPX of section %d outside the stream" % s)
        return fc_sepx + 2, self.main.data[fc_sepx + 2:fc_sepx + 2 + cb]

    # writing
    def write(self, stream, off, new_bytes):
        done = 0
        for f_off, n in stream.file_offset(off, len(new_bytes)):
            self.buf[f_off:f_off + n] = new_bytes[done:done + n]
            done += n


# --- patches --------------------------------------------------------------------------------

def replace_paragraph_sprm(wf, k, old, new, value, log):
    """Replaces sprm `old` and its operand in paragraph k's PAPX by sprm `new` with `value`."""
    at = wf.papx_of_paragraph(k)
    # an FKP stores equal PAPXs once; every run (one per paragraph mark, in any story) that points
    # at this one would change with it
    users = [(fc0, fc1) for fc0, fc1, a in wf.papx_runs() if a == at]
    if len(users) != 1:
        raise PatchError("paragraph %d shares its PAPX with %d other paragraphs"
                         % (k, len(users) - 1))
    base, istd, grpprl = wf.papx(at)
    sprms = parse_sprms(grpprl)
    hits = [s for s in sprms if s[1] == old]
    if len(hits) != 1:
        raise PatchError("paragraph %d has %d %s, not one" % (k, len(hits), sprm_name(old)))
    if any(s[1] == new for s in sprms):
        raise PatchError("paragraph %d already has %s" % (k, sprm_name(new)))
    pos, _, op_off, size = hits[0]
    new_size = spra_operand_size(new, b"", 0)
    if new_size != size or size != 2:
        raise PatchError("%s and %s operands differ in size" % (sprm_name(old), sprm_name(new)))
    before = struct.unpack_from("<h", grpprl, op_off)[0]
    wf.write(wf.main, base + pos, struct.pack("<Hh", new, value))
    log.append("paragraph %d (istd %d): %s %d -> %s %d" % (k, istd, sprm_name(old), before,
                                                           sprm_name(new), value))


def set_section_sprm(wf, s, code, value, log):
    base, grpprl = wf.sepx(s)
    hits = [x for x in parse_sprms(grpprl) if x[1] == code]
    if len(hits) != 1 or hits[0][3] != 2:
        raise PatchError("section %d has %d %s, not one" % (s, len(hits), sprm_name(code)))
    pos, _, op_off, _ = hits[0]
    fmt = "<h" if code in (0x9023, 0x9024) else "<H"
    before = struct.unpack_from(fmt, grpprl, op_off)[0]
    wf.write(wf.main, base + op_off, struct.pack(fmt, value))
    log.append("section %d: %s %d -> %d" % (s, sprm_name(code), before, value))


def set_char_line_units(wf, log):
    """Dop2000.fCharLineUnits (bit 14 of the 16-bit word at Dop offset 506): the document may
    hold character-unit indents and line-unit spacing."""
    fc, lcb = wf.fc_lcb(FIB_DOP)
    if lcb < 508 or fc + lcb > len(wf.table.data):
        raise PatchError("the Dop (%d bytes) has no fCharLineUnits" % lcb)
    word = _u16(wf.table.data, fc + 506)
    wf.write(wf.table, fc + 506, struct.pack("<H", word | 0x4000))
    log.append("Dop: fCharLineUnits %d -> 1" % ((word >> 14) & 1))


def patch_file(path, para=(), section=(), char_line_units=False):
    """Applies the patches in place and returns the lines describing them.
    para: (k, old sprm, new sprm, value); section: (s, sprm, value)."""
    with open(path, "rb") as f:
        buf = bytearray(f.read(MAX_FILE + 1))
    size = len(buf)
    log = []
    # each patch re-reads the structures from the patched buffer
    for k, old, new, value in para:
        replace_paragraph_sprm(WordFile(buf), k, old, new, value, log)
    for s, code, value in section:
        set_section_sprm(WordFile(buf), s, code, value, log)
    if char_line_units:
        set_char_line_units(WordFile(buf), log)
    if len(buf) != size:
        raise PatchError("a patch changed the file's length")
    with open(path, "r+b") as f:
        f.write(buf)
    return log


def main(argv):
    if not argv or argv[0] in ("-h", "--help"):
        print(__doc__)
        return 0
    path, para, section, clu = argv[0], [], [], False
    args = iter(argv[1:])
    for a in args:
        if a == "--para":
            k, rest = next(args).split(":", 1)
            swap, value = rest.rsplit(":", 1)
            old, new = swap.split("=")
            para.append((int(k), int(old, 16), int(new, 16), int(value)))
        elif a == "--section":
            s, rest = next(args).split(":", 1)
            code, value = rest.split("=")
            section.append((int(s), int(code, 16), int(value)))
        elif a == "--char-line-units":
            clu = True
        else:
            raise SystemExit("unknown argument %r" % a)
    try:
        for line in patch_file(path, para, section, clu):
            print(line)
    except PatchError as e:
        print("%s: %s" % (path, e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
