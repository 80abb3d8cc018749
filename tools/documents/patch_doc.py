#!/usr/bin/python3
"""Same-length patches of a Word 97-2003 file that LibreOffice wrote, for the properties LibreOffice
cannot store: character-unit indents, line-unit spacing, and page sizes as Word stores them.

Every patch is found through the file's own structures, never by searching for bytes:
compound file ([MS-CFB]: header, DIFAT, FAT, mini FAT, directory) -> WordDocument stream and the
table stream the FIB names -> FIB ([MS-DOC] 2.5) -> the piece table (Clx) to find paragraph k of
the main text and the file position of its paragraph mark -> PlcBtePapx -> the PAPX FKP page that
holds that position -> the PAPX's sprms; and PlcfSed -> SEPX -> the section's sprms; and the Dop.
A patch replaces a sprm and its operand by another sprm whose operand has the same size, or an
operand by another value, so no offset or length anywhere in the file changes. The primitives
further down (used by patch-word-solutions.py) keep that promise another way: a property list
that does not exist yet is written into the unused bytes of the 512-byte FKP page that holds its
run, and a shape's property value is rewritten in the slot its table already has.

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



# --- more of the file: stories, FKP pages and their free bytes ------------------------------
#
# The patches below give a LibreOffice file what Word stores where a length-keeping substitution
# is not enough: a property list that does not exist yet (the formatting of a paragraph mark, of
# an anchor character, a page-number frame) is written into the unused bytes of the 512-byte FKP
# page that holds the run, and the run's offset byte is pointed at it. Nothing moves: every other
# offset and length of the file stays as it was.

FIB_PLCFHDD, FIB_PLCFBTECHPX, FIB_PLCFFLDHDR, FIB_PLCSPAMOM, FIB_DGGINFO = 11, 12, 17, 40, 50

SPRM_NAMES.update({
    0x2461: "sprmPJc", 0x2403: "sprmPJc80", 0x8418: "sprmPDxaAbs", 0x8419: "sprmPDyaAbs",
    0x261B: "sprmPPc", 0x2423: "sprmPWr", 0xB017: "sprmSDyaHdrTop", 0xB018: "sprmSDyaHdrBottom",
    0x0855: "sprmCFSpec", 0x6A03: "sprmCPicLocation", 0x6412: "sprmPDyaLine", 0x2441: "sprmPFBiDi",
    0x2A42: "sprmCIco", 0x6870: "sprmCCv", 0x4A4F: "sprmCRgFtc0", 0x4A50: "sprmCRgFtc1",
    0x4A51: "sprmCRgFtc2", 0x4A43: "sprmCHps", 0x0835: "sprmCFBold", 0x0836: "sprmCFItalic",
    0x2A3E: "sprmCKul", 0x486E: "sprmCRgLid0", 0x486F: "sprmCRgLid1", 0x286F: "sprmCIdctHint",
})

SPECIAL_CHARACTERS = "\x01\x08"          # an inline picture, a floating shape's anchor
FIELD_BEGIN, FLT_PAGE = 0x13, 33


def is_east_asian(ch):
    """The characters Word shows in the East Asian font (the kit's font_slot.cpp has the same
    ranges)."""
    c = ord(ch)
    return any(lo <= c <= hi for lo, hi in (
        (0x1100, 0x11FF), (0x2E80, 0x2FDF), (0x2FF0, 0x303F), (0x3040, 0x31FF), (0x3200, 0x4DBF),
        (0x4E00, 0x9FFF), (0xA000, 0xA4CF), (0xAC00, 0xD7AF), (0xF900, 0xFAFF), (0xFE30, 0xFE4F),
        (0xFF00, 0xFFEF), (0x20000, 0x3FFFF)))


def ccp(wf, i):
    """FibRgLw97 counts: 3 ccpText, 4 ccpFtn, 5 ccpHdd, 7 ccpAtn, 8 ccpEdn, 9 ccpTxbx."""
    fib = wf.main.data
    rglw = 34 + 2 * _u16(fib, 32) + 2
    return _u32(fib, rglw + 4 * i)


def text_between(wf, cp0, cp1):
    """The characters [cp0, cp1) of the whole text (every story), through the piece table."""
    if cp1 - cp0 > MAX_STREAM:
        raise PatchError("text range too long")
    out = []
    for p0, p1, fc, compressed in wf.pieces():
        lo, hi = max(cp0, p0), min(cp1, p1)
        if lo >= hi:
            continue
        width = 1 if compressed else 2
        raw = wf.main.data[fc + (lo - p0) * width:fc + (hi - p0) * width]
        text = raw.decode("cp1252" if compressed else "utf-16-le", "replace")
        if len(text) != hi - lo:
            raise PatchError("piece text outside the WordDocument stream")
        out.append(text)
    text = "".join(out)
    if len(text) != cp1 - cp0:
        raise PatchError("characters %d..%d are not all in the piece table" % (cp0, cp1))
    return text


def char_width(wf, cp):
    for p0, p1, _, compressed in wf.pieces():
        if p0 <= cp < p1:
            return 1 if compressed else 2
    raise PatchError("character %d is in no piece" % cp)


def header_stories(wf):
    """PlcfHdd: [(first cp, limit cp)] of the header document's stories, absolute cps (six
    separator stories, then six per section: even header, odd header, even footer, odd footer,
    first-page header, first-page footer)."""
    fc, plc = wf._table_slice(FIB_PLCFHDD)
    if not plc:
        return []
    if len(plc) % 4 or len(plc) // 4 > MAX_PLC_ENTRIES:
        raise PatchError("PlcfHdd of a bad size")
    base = ccp(wf, 3) + ccp(wf, 4)
    cps = [_u32(plc, 4 * i) + base for i in range(len(plc) // 4)]
    return [(cps[i], cps[i + 1]) for i in range(len(cps) - 1)]


STORY_ODD_HEADER, STORY_ODD_FOOTER = 1, 3


def section_story(wf, s, which):
    stories = header_stories(wf)
    i = 6 + 6 * s + which
    return stories[i] if i < len(stories) else (0, 0)


class Fkp:
    """One FKP page of the WordDocument stream ([MS-DOC] ChpxFkp, PapxFkp): crun + 1 file
    positions, one property offset per run (a byte for a CHPX page, the first byte of a 13-byte
    BxPap for a PAPX page; a word offset into the page, 0 = no properties), and the properties,
    stored from the end of the page downwards. The bytes between the run table and the lowest
    property belong to no run: they are the page's free space."""

    def __init__(self, wf, pn, kind):
        self.wf, self.pn, self.kind = wf, pn, kind
        self.at = pn * 512
        page = wf.main.data[self.at:self.at + 512]
        if len(page) != 512:
            raise PatchError("%s page %d outside the WordDocument stream" % (kind, pn))
        self.page = page
        self.crun = crun = page[511]
        self.entry = 1 if kind == "CHPX" else 13
        self.head_end = 4 * (crun + 1) + self.entry * crun
        if crun == 0 or self.head_end > 511:
            raise PatchError("%s page %d has a bad run count" % (kind, pn))
        self.fcs = [_u32(page, 4 * k) for k in range(crun + 1)]
        self.offsets = [2 * page[4 * (crun + 1) + self.entry * k] for k in range(crun)]
        for off in self.offsets:
            if off and not self.head_end <= off < 511:
                raise PatchError("%s page %d: a property inside the run table" % (kind, pn))

    def run_of(self, fc):
        for k in range(self.crun):
            if self.fcs[k] <= fc < self.fcs[k + 1]:
                return k
        return None

    def property(self, off):
        """The stored bytes of the property at `off` (CHPX: cb + grpprl; PapxInFkp: cb [cb'] +
        grpprlInPapx)."""
        p = self.page
        if self.kind == "CHPX":
            size = 1 + p[off]
        else:
            size = 1 + 2 * p[off] - 1 if p[off] else 2 + 2 * p[off + 1]
        if off + size > 511:
            raise PatchError("%s page %d: property at %d runs past the page" % (self.kind, self.pn, off))
        return p[off:off + size]

    def chpx(self, k):
        off = self.offsets[k]
        return self.property(off)[1:] if off else b""

    def papx(self, k):
        """(istd, grpprl) of run k."""
        off = self.offsets[k]
        if not off:
            raise PatchError("PAPX page %d run %d has no properties" % (self.pn, k))
        raw = self.property(off)
        body = raw[1:] if raw[0] else raw[2:]
        return _u16(body, 0), body[2:]

    def lowest(self):
        return min([o for o in self.offsets if o] or [511])

    def find(self, stored):
        """Offset of a property already in the page with exactly these bytes (Word stores equal
        property lists once), else None."""
        for off in sorted(set(o for o in self.offsets if o)):
            if self.property(off) == stored:
                return off
        return None

    def allocate(self, stored, log):
        """Writes `stored` into the free space just below the lowest property (at an even
        offset) and returns its offset."""
        start = (self.lowest() - len(stored)) & ~1
        if start < self.head_end:
            raise PatchError("%s page %d has %d free bytes, %d needed"
                             % (self.kind, self.pn, self.lowest() - self.head_end, len(stored)))
        self.wf.write(self.wf.main, self.at + start, stored)
        log.append("  %s page %d: %d bytes written into its free space at offset %d (%d free before)"
                   % (self.kind, self.pn, len(stored), start, self.lowest() - self.head_end))
        return start

    def point(self, k, off):
        self.wf.write(self.wf.main, self.at + 4 * (self.crun + 1) + self.entry * k, bytes([off // 2]))


def fkp_pages(wf, kind):
    fc, plc = wf._table_slice(FIB_PLCFBTECHPX if kind == "CHPX" else FIB_PLCFBTEPAPX)
    if len(plc) < 4 or (len(plc) - 4) % 8:
        raise PatchError("PlcBte%s of a bad size" % kind.capitalize())
    n = (len(plc) - 4) // 8
    if n > MAX_PLC_ENTRIES:
        raise PatchError("too many %s pages" % kind)
    return [_u32(plc, 4 * (n + 1) + 4 * i) & 0x3FFFFF for i in range(n)]


def run_at(wf, kind, fc):
    """(Fkp, run index) of the run holding file position fc."""
    for pn in fkp_pages(wf, kind):
        page = Fkp(wf, pn, kind)
        k = page.run_of(fc)
        if k is not None:
            return page, k
    raise PatchError("no %s run holds file position %d" % (kind, fc))


def split_chpx_run(wf, page, k, fc, log):
    """Cuts CHPX run k of the page in two at file position fc, both halves keeping its
    properties: the run table grows by one position and one offset byte (5 bytes of the page's
    free space); the page's first and last positions, and so PlcBteChpx, stay."""
    if not page.fcs[k] < fc < page.fcs[k + 1]:
        raise PatchError("position %d is not inside run %d" % (fc, k))
    crun = page.crun + 1
    head_end = 4 * (crun + 1) + crun
    if head_end > page.lowest() or crun > 101:
        raise PatchError("CHPX page %d has no room for another run" % page.pn)
    fcs = page.fcs[:k + 1] + [fc] + page.fcs[k + 1:]
    offsets = page.offsets[:k + 1] + [page.offsets[k]] + page.offsets[k + 1:]
    head = b"".join(struct.pack("<I", f) for f in fcs) + bytes(o // 2 for o in offsets)
    page.wf.write(page.wf.main, page.at, head)
    page.wf.write(page.wf.main, page.at + 511, bytes([crun]))
    log.append("  CHPX page %d: run %d cut at file position %d (%d runs now)" % (page.pn, k, fc, crun))


def single_character_run(buf, cp, log):
    """The CHPX run of character cp alone, cutting the run it shares with its neighbours when
    needed (LibreOffice gives a paragraph mark a run of its own only when the text before it has
    other properties). Returns (WordFile, Fkp, run index) read after any cut."""
    for _ in range(3):
        wf = WordFile(buf)
        fc, width = wf.cp_to_fc(cp), char_width(wf, cp)
        page, k = run_at(wf, "CHPX", fc)
        if page.fcs[k] < fc:
            split_chpx_run(wf, page, k, fc, log)
        elif page.fcs[k + 1] > fc + width:
            split_chpx_run(wf, page, k, fc + width, log)
        else:
            return wf, page, k
    raise PatchError("character %d: its run could not be cut" % cp)


def encode_chpx(grpprl):
    if len(grpprl) > 255:
        raise PatchError("character properties longer than 255 bytes")
    return bytes([len(grpprl)]) + grpprl


def encode_papx(istd, grpprl):
    body = struct.pack("<H", istd) + grpprl
    if len(body) % 2:
        return bytes([(len(body) + 1) // 2]) + body
    if len(body) // 2 > 255:
        raise PatchError("paragraph properties too long for an FKP")
    return bytes([0, len(body) // 2]) + body


def describe_sprms(grpprl):
    return " ".join("%s %s" % (sprm_name(c), grpprl[o:o + n].hex()) for _, c, o, n in parse_sprms(grpprl))


def sprm_set(grpprl):
    """The sprms of a property list as a set of (code, operand) (their order aside)."""
    return {(c, bytes(grpprl[o:o + n])) for _, c, o, n in parse_sprms(grpprl)}


def point_run_at_chpx(wf, page, k, grpprl, log):
    """Gives run k of the page the character properties `grpprl`: an equal CHPX already in the
    page is shared, otherwise a new one goes into the free space."""
    stored = encode_chpx(grpprl)
    off = page.find(stored)
    if off is None:
        off = page.allocate(stored, log)
    else:
        log.append("  CHPX page %d: the same properties are stored at offset %d, shared" % (page.pn, off))
    page.point(k, off)


def format_paragraph_mark(buf, k, log):
    """The mark of main-text paragraph k gets the character properties of the paragraph's text,
    as when a whole paragraph is selected and formatted: those of its last East Asian character
    (the run the mark's font is read from in a Chinese document), else of its last character. An
    empty paragraph, made by Enter at the end of a formatted one, takes the mark of the paragraph
    before it."""
    paras = WordFile(buf).paragraphs()
    if not 0 <= k < len(paras):
        raise PatchError("no paragraph %d" % k)
    start, mark, text = paras[k]
    cuts = []
    wf, page, km = single_character_run(buf, mark, cuts)
    chars = [i for i, ch in enumerate(text) if ch not in SPECIAL_CHARACTERS]
    source = next((start + i for i in reversed(chars) if is_east_asian(text[i])), None)
    if source is None and chars:
        source = start + chars[-1]
    what = "its text"
    if source is None:
        if k == 0:
            raise PatchError("paragraph 0 is empty: no formatting to give its mark")
        source, what = paras[k - 1][1], "the mark of paragraph %d" % k
    src_page, ks = run_at(wf, "CHPX", wf.cp_to_fc(source))
    grpprl = src_page.chpx(ks)
    if not grpprl:
        raise PatchError("paragraph %d: %s has no direct character formatting" % (k + 1, what))
    if sprm_set(page.chpx(km)) == sprm_set(grpprl):
        log.append("paragraph %d: the mark already has the formatting of %s" % (k + 1, what))
        log += cuts
        return
    log.append("paragraph %d: mark (cp %d, %s) -> the CHPX of %s (cp %d): %s"
               % (k + 1, mark, describe_sprms(page.chpx(km)) or "no CHPX", what, source,
                  describe_sprms(grpprl)))
    log += cuts
    point_run_at_chpx(wf, page, km, grpprl, log)


def format_special_characters(buf, k, log):
    """Every inline-picture character (0x01) and shape anchor (0x08) of main-text paragraph k
    gets the character properties of the text it stands in (the next ordinary character of the
    paragraph, else the one before it, else the paragraph's mark) followed by its own
    (sprmCFSpec, sprmCPicLocation), as Word stores a picture inserted into formatted text."""
    done = 0
    for _ in range(MAX_PLC_ENTRIES):
        wf = WordFile(buf)
        start, mark, text = wf.paragraphs()[k]
        specials = [i for i, ch in enumerate(text) if ch in SPECIAL_CHARACTERS]
        if done >= len(specials):
            return
        i = specials[done]
        done += 1
        after = [j for j in range(i + 1, len(text)) if text[j] not in SPECIAL_CHARACTERS]
        before = [j for j in range(i) if text[j] not in SPECIAL_CHARACTERS]
        # a paragraph of nothing but the object: the formatting of its mark
        source = start + after[0] if after else start + before[-1] if before else mark
        cuts = []
        wf, page, kr = single_character_run(buf, start + i, cuts)
        src_page, ks = run_at(wf, "CHPX", wf.cp_to_fc(source))
        text_sprms = src_page.chpx(ks)
        own = page.chpx(kr)
        own_codes = {c for _, c, _, _ in parse_sprms(own)}
        merged = b"".join(text_sprms[p:o + n] for p, c, o, n in parse_sprms(text_sprms)
                          if c not in own_codes) + own
        if merged == own:
            log.append("paragraph %d: character 0x%02X at cp %d: %s" % (
                k + 1, ord(text[i]), start + i,
                "already has the formatting of its text" if text_sprms else "its text has no direct formatting"))
            log += cuts
            continue
        log.append("paragraph %d: character 0x%02X at cp %d: %s -> the formatting of cp %d + its own: %s"
                   % (k + 1, ord(text[i]), start + i, describe_sprms(own) or "no CHPX", source,
                      describe_sprms(merged)))
        log += cuts
        point_run_at_chpx(wf, page, kr, merged, log)
    raise PatchError("too many special characters")


def edit_paragraphs(buf, marks, edit, log):
    """Applies edit(grpprl) -> new grpprl (or None: no change) to the PAPX of each paragraph whose
    mark is at one of the cps `marks` (any story). A PAPX used only by these paragraphs is
    rewritten in place when its length stays; otherwise the edited PAPX goes into the page's free
    space and only these paragraphs' runs point at it, so other paragraphs that shared the old one
    (LibreOffice stores equal PAPXs once, the document's last mark included) keep it."""
    pending = sorted(set(marks))
    for _ in range(len(pending) + 1):
        if not pending:
            return
        wf = WordFile(buf)
        for cp in pending:
            pg, j = run_at(wf, "PAPX", wf.cp_to_fc(cp))
            if pg.fcs[j + 1] != wf.cp_to_fc(cp) + char_width(wf, cp):
                raise PatchError("the PAPX run of the mark at cp %d does not end at it" % cp)
        page, k = run_at(wf, "PAPX", wf.cp_to_fc(pending[0]))
        off = page.offsets[k]
        group = [cp for cp in pending
                 if run_at(wf, "PAPX", wf.cp_to_fc(cp))[0].pn == page.pn
                 and page.offsets[page.run_of(wf.cp_to_fc(cp))] == off]
        targets = {page.run_of(wf.cp_to_fc(cp)) for cp in group}
        users = {j for j in range(page.crun) if page.offsets[j] == off}
        pending = [cp for cp in pending if cp not in group]
        istd, grpprl = page.papx(k)
        new = edit(grpprl)
        if new is None:
            continue
        where = "paragraph marks at cp %s" % ", ".join(str(cp) for cp in group)
        if len(new) == len(grpprl) and users == targets:
            raw = page.property(off)
            head = 1 if raw[0] else 2
            wf.write(wf.main, page.at + off + head + 2, new)
            log.append("%s (istd %d, PAPX page %d offset %d, in place): %s -> %s"
                       % (where, istd, page.pn, off, describe_sprms(grpprl), describe_sprms(new)))
            continue
        log.append("%s (istd %d; the PAPX at offset %d of page %d serves %d runs, %d of them these): "
                   "%s -> %s" % (where, istd, off, page.pn, len(users), len(targets),
                                 describe_sprms(grpprl), describe_sprms(new)))
        new_off = page.allocate(encode_papx(istd, new), log)
        for j in targets:
            page.point(j, new_off)
    raise PatchError("paragraph edits did not converge")


def substitute_sprm(old, expected, new, value):
    """An edit for edit_paragraphs: sprm `old` with operand `expected` (twips) becomes sprm `new`
    with operand `value` (a 2-byte operand each, so the length stays)."""
    if spra_operand_size(old, b"", 0) != 2 or spra_operand_size(new, b"", 0) != 2:
        raise PatchError("only 2-byte operands are substituted")

    def edit(grpprl):
        sprms = parse_sprms(grpprl)
        hits = [s for s in sprms if s[1] == old]
        if len(hits) != 1 or any(s[1] == new for s in sprms):
            raise PatchError("a paragraph has %d %s and %d %s" % (
                len(hits), sprm_name(old), sum(s[1] == new for s in sprms), sprm_name(new)))
        pos, _, op, _ = hits[0]
        got = struct.unpack_from("<h", grpprl, op)[0]
        if got != expected:
            raise PatchError("%s is %d, not the %d the plan expects" % (sprm_name(old), got, expected))
        return grpprl[:pos] + struct.pack("<Hh", new, value) + grpprl[pos + 4:]
    return edit


def paragraph_sprm(wf, mark_cp, code):
    """The operand bytes of sprm `code` in the PAPX of the paragraph whose mark is at mark_cp."""
    page, k = run_at(wf, "PAPX", wf.cp_to_fc(mark_cp))
    _, grpprl = page.papx(k)
    hits = [grpprl[o:o + n] for _, c, o, n in parse_sprms(grpprl) if c == code]
    return hits[-1] if hits else None


def section_sprm(wf, s, code):
    _, grpprl = wf.sepx(s)
    hits = [grpprl[o:o + n] for _, c, o, n in parse_sprms(grpprl) if c == code]
    return hits[-1] if hits else None


def frame_page_number(buf, log):
    """Word's Insert > Page Numbers: the footer paragraph holding the PAGE field becomes a frame
    at the position its alignment names (sprmPDxaAbs 0 left, -4 centre, -8 right, horizontally
    to the margin; 1 twip below the paragraph's top; text wraps around it): the sprms Word 2003
    writes (tests/data/office-corpus/doc/60279.doc). The new PAPX goes into the page's free space."""
    wf = WordFile(buf)
    f0, f1 = section_story(wf, 0, STORY_ODD_FOOTER)
    if f1 <= f0:
        raise PatchError("section 0 has no footer")
    fc, plc = wf._table_slice(FIB_PLCFFLDHDR)
    if len(plc) < 4 or (len(plc) - 4) % 6:
        raise PatchError("no fields in the header stories")
    n = (len(plc) - 4) // 6
    base = ccp(wf, 3) + ccp(wf, 4)
    begins = [base + _u32(plc, 4 * i) for i in range(n)
              if plc[4 * (n + 1) + 2 * i] & 0x1F == FIELD_BEGIN and plc[4 * (n + 1) + 2 * i + 1] == FLT_PAGE]
    begins = [cp for cp in begins if f0 <= cp < f1]
    if not begins:
        raise PatchError("the footer of section 0 holds no PAGE field")
    story = text_between(wf, begins[0], f1)
    if "\r" not in story:
        raise PatchError("the PAGE field's paragraph has no mark")
    mark = begins[0] + story.index("\r")
    jc = paragraph_sprm(wf, mark, 0x2461) or paragraph_sprm(wf, mark, 0x2403) or b"\x00"
    positions = {0: 0, 1: -4, 2: -8}
    if jc[0] not in positions:
        raise PatchError("the page number's paragraph has alignment %d" % jc[0])
    frame = struct.pack("<HhHhHBHB", 0x8418, positions[jc[0]], 0x8419, 1, 0x261B, 0x60, 0x2423, 2)

    def edit(grpprl):
        if any(c in (0x8418, 0x8419, 0x261B) for _, c, _, _ in parse_sprms(grpprl)):
            raise PatchError("the page number's paragraph already has frame properties")
        return grpprl + frame
    log.append("page number: PAGE field at cp %d, paragraph alignment %d -> frame sprmPDxaAbs %d"
               % (begins[0], jc[0], positions[jc[0]]))
    edit_paragraphs(buf, [mark], edit, log)



# --- the drawing layer: property values of a shape, rewritten in their slots ----------------

MAX_RECORDS = 200000
OPT_TYPES = {0xF00B: "OPT", 0xF121: "secondary OPT", 0xF122: "tertiary OPT"}


def _records(data, off, end, depth, out):
    """Flattens the OfficeArt records in data[off:end] ([MS-ODRAW] 2.1: verInst, type, length;
    version 0xF is a container): (offset of the body, type, instance, length, depth)."""
    if depth > 32:
        raise PatchError("OfficeArt containers nest too deep")
    for _ in range(MAX_RECORDS):
        if off + 8 > end:
            break
        ver_inst, rtype = _u16(data, off), _u16(data, off + 2)
        length = _u32(data, off + 4)
        body = off + 8
        if body + length > end:
            raise PatchError("OfficeArt record 0x%04X runs past its container" % rtype)
        out.append((body, rtype, ver_inst >> 4, length, depth))
        if len(out) > MAX_RECORDS:
            raise PatchError("too many OfficeArt records")
        if ver_inst & 0xF == 0xF:
            _records(data, body, body + length, depth + 1, out)
        off = body + length


def main_drawing_shapes(wf):
    """The shapes of the main document's drawing (dgglbl 0 of the DggInfo): {spid: {"type":
    msospt, "tables": [(name, body offset in the table stream, count)]}}."""
    fc, lcb = wf.fc_lcb(FIB_DGGINFO)
    data = wf.table.data
    if not lcb or fc + lcb > len(data):
        return {}
    end = fc + lcb
    if _u16(data, fc + 2) != 0xF000:
        raise PatchError("DggInfo does not start with a drawing group")
    off = fc + 8 + _u32(data, fc + 4)
    shapes = {}
    for _ in range(16):
        if off >= end:
            break
        dgglbl = data[off]
        if off + 9 > end or _u16(data, off + 3) != 0xF002:
            raise PatchError("DggInfo: a drawing container was expected")
        length = _u32(data, off + 5)
        recs = []
        _records(data, off + 1, off + 9 + length, 0, recs)
        if dgglbl == 0:
            current = None
            for body, rtype, inst, rlen, depth in recs:
                if rtype == 0xF004:
                    current = None
                elif rtype == 0xF00A:
                    current = {"type": inst, "tables": []}
                    shapes[_u32(data, body)] = current
                elif rtype in OPT_TYPES and current is not None:
                    if 6 * inst > rlen:
                        raise PatchError("a property table longer than its record")
                    current["tables"].append((OPT_TYPES[rtype], body, inst))
        off += 9 + length
    return shapes


def main_text_spids(wf):
    """The shape ids of the main text's anchors (PlcSpaMom), in anchor order."""
    fc, plc = wf._table_slice(FIB_PLCSPAMOM)
    if not plc:
        return []
    if (len(plc) - 4) % 30:
        raise PatchError("PlcSpaMom of a bad size")
    n = (len(plc) - 4) // 30
    return [_u32(plc, 4 * (n + 1) + 26 * i) for i in range(n)]


def shape_properties(wf, shape):
    """[(pid, value, table name, offset of the value in the table stream)] in merge order."""
    data = wf.table.data
    out = []
    for name, body, count in shape["tables"]:
        for i in range(count):
            opid = _u16(data, body + 6 * i)
            if opid & 0x8000:           # complex: its value is a length, its data further on
                continue
            out.append((opid & 0x3FFF, _u32(data, body + 6 * i + 2), name, body + 6 * i + 2))
    return out


GEOMETRY_TEXT_UNICODE = 0x00C0
# boolean property sets: (pid, bit, default when nothing is stored) as the kit reads them
FILLED, LINE_ON, SHADOW_ON, THREE_D, VERTICAL = ((0x01BF, 4, True), (0x01FF, 3, True),
                                                 (0x023F, 1, False), (0x02BF, 3, False),
                                                 (0x00FF, 13, False))
FILL_TYPE, FILL_COLOR, FILL_BACK_COLOR, LINE_COLOR, SHADOW_COLOR = 0x0180, 0x0181, 0x0183, 0x01C0, 0x0201
FILL_SHADE_CENTER, FILL_SHADE_SCALE = 5, 7


def wordart_spids(wf):
    """Main-text shapes whose drawing has geometry text (WordArt), in anchor order."""
    shapes = main_drawing_shapes(wf)
    data = wf.table.data
    out = []
    for spid in main_text_spids(wf):
        shape = shapes.get(spid)
        if shape and 136 <= shape["type"] <= 175 and any(
                _u16(data, body + 6 * i) & 0x3FFF == GEOMETRY_TEXT_UNICODE
                for _, body, count in shape["tables"] for i in range(count)):
            out.append(spid)
    return out


def colorref(rgb):
    """#RRGGBB as an OfficeArtCOLORREF value (red in the low byte, no flags)."""
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16)


def set_shape_properties(buf, spid, wanted, log):
    """Rewrites property values of shape `spid` in the slots its property tables already have.
    wanted: [(what, check(effective) -> bool, ("value", pid, v) | ("bit", pid, bit, on))].
    A property whose effective value (the last table that holds it wins; for a boolean the last
    table whose use bit is set) already passes is kept; otherwise its last slot is rewritten. A
    property with no slot cannot be added without moving the drawing: PatchError."""
    wf = WordFile(buf)
    shape = main_drawing_shapes(wf).get(spid)
    if shape is None:
        raise PatchError("no shape %d in the main drawing" % spid)
    props = shape_properties(wf, shape)
    for what, change in wanted:
        pid = change[1]
        slots = [p for p in props if p[0] == pid]
        if change[0] == "value":
            current = slots[-1][1] if slots else None
            if current == change[2]:
                log.append("shape %d: %s already 0x%08X (%s)" % (spid, what, current, slots[-1][2]))
                continue
            if not slots:
                raise PatchError("shape %d stores no %s (0x%04X): no slot to set" % (spid, what, pid))
            wf.write(wf.table, slots[-1][3], struct.pack("<I", change[2]))
            log.append("shape %d: %s 0x%08X -> 0x%08X (%s slot)" % (spid, what, current, change[2],
                                                                   slots[-1][2]))
        else:
            _, _, bit, on, default = change
            value = default
            for p in slots:
                if p[1] >> (bit + 16) & 1:
                    value = bool(p[1] >> bit & 1)
            if value == on:
                log.append("shape %d: %s already %s" % (spid, what, "on" if on else "off"))
                continue
            if not slots:
                raise PatchError("shape %d stores no 0x%04X booleans: no slot for %s" % (spid, pid, what))
            old = slots[-1][1]
            new = (old | 1 << (bit + 16)) & ~(1 << bit) | (int(on) << bit)
            wf.write(wf.table, slots[-1][3], struct.pack("<I", new))
            log.append("shape %d: %s %s -> %s (0x%04X 0x%08X -> 0x%08X, %s slot)"
                       % (spid, what, "on" if value else "off", "on" if on else "off", pid, old, new,
                          slots[-1][2]))


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
