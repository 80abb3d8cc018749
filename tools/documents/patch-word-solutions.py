#!/usr/bin/python3
"""Turns a LibreOffice solution of a word-processing exercise into what Word stores for the same
work, for the properties LibreOffice cannot write the way Word does. Every patch is located by
parsing the file's structures (patch_doc.py: compound file, FIB, piece table, FKP pages, PlcfSed
and SEPX, PlcfHdd, PlcfFldHdr, Dop, the drawing's property tables) and chosen by a rule on what
the file holds, so the same plan serves the solution and each variant of it:

  1. paragraph marks: every main-text paragraph whose text is formatted as a whole (each ordinary
     character carries direct character formatting), and every empty paragraph that follows one
     (Enter at its end; empty or holding only an object), gets that formatting on its mark, as Word stores a paragraph formatted by
     selecting it; LibreOffice writes no properties for a mark, which then reads the style's font;
  2. inline pictures (0x01) and shape anchors (0x08) get the formatting of the text around them
     plus their own special-character properties;
  3. lengths the student typed for "2 characters" and "2 lines" become Word's character units
     (sprmPDxcLeft1, sprmPDxcLeft, 1/100 character) and line units (sprmPDylBefore,
     sprmPDylAfter, 1/100 line), and the Dop says the document uses them (fCharLineUnits);
  4. LibreOffice's paper sizes become the sizes Word stores for the same paper (16K landscape
     14740 x 10440 -> 14742 x 10433, A4 11906 x 16838 -> 11907 x 16840, B4 14570 x 20636 ->
     14572 x 20639 twips);
  5. a section with a header keeps the top margin the student typed (LibreOffice stores it as
     the header distance and adds the header's height to dyaTop), likewise the bottom margin
     with a footer;
  6. exercise 7: the PAGE field of the footer becomes Word's page-number frame;
  7. exercises 2 and 7: each WordArt gets the identifying properties of the gallery style the
     task asks for (12 and 20), read from the kit's own table, src/model/word/wordart_gallery.cpp.

Usage:  patch-word-solutions.py N IN.doc OUT.doc     (N = 1, 2 or 7; prints every change)
"""
import os
import re
import shutil
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import patch_doc as P  # noqa: E402
from patch_doc import PatchError  # noqa: E402

GALLERY_SOURCE = os.path.join(ROOT, "src", "model", "word", "wordart_gallery.cpp")

# Character sprms a student's Format > Character leaves on the text: the three fonts, size,
# colour (index and RGB), bold, italic, underline.
CHARACTER_FORMATTING = {0x4A4F, 0x4A50, 0x4A51, 0x4A43, 0x2A42, 0x6870, 0x0835, 0x0836, 0x2A3E}

PDXA_LEFT1, PDXA_LEFT, PDYA_BEFORE, PDYA_AFTER = 0x8460, 0x845E, 0xA413, 0xA414
PDXC_LEFT1, PDXC_LEFT, PDYL_BEFORE, PDYL_AFTER = 0x4457, 0x4456, 0x4458, 0x4459
TWO_UNITS = 200            # 2 characters / 2 lines in hundredths

# the lengths the LibreOffice solutions type for "2 characters" and "2 lines": 24 pt (two
# characters of 12 pt text, two of Word's 12-point lines) and 28 pt (two characters of 14 pt)
UNIT_RULES = {
    1: [(PDYA_AFTER, 480, PDYL_AFTER), (PDXA_LEFT1, 480, PDXC_LEFT1), (PDXA_LEFT, 480, PDXC_LEFT)],
    2: [(PDYA_BEFORE, 480, PDYL_BEFORE), (PDXA_LEFT1, 480, PDXC_LEFT1)],
    7: [(PDXA_LEFT1, 560, PDXC_LEFT1)],
}

# LibreOffice's twips for the paper -> Word's (the sizes of Word 97's paper list)
PAPER = {
    1: ((14740, 10440), (14742, 10433)),
    2: ((11906, 16838), (11907, 16840)),
    7: ((14570, 20636), (14572, 20639)),
}

GALLERY_STYLE = {2: 12, 7: 20}
SXA_PAGE, SYA_PAGE, SDYA_TOP, SDYA_BOTTOM, SDYA_HDR_TOP, SDYA_HDR_BOTTOM = (
    0xB01F, 0xB020, 0x9023, 0x9024, 0xB017, 0xB018)


def _s16(b):
    return struct.unpack("<h", b)[0]


# --- 1, 2: character formatting of marks and special characters --------------------------------

def formatted_as_whole(wf, k):
    """True when every ordinary character of main-text paragraph k has direct character
    formatting (a CHPX with one of the sprms Format > Character sets)."""
    start, _, text = wf.paragraphs()[k]
    chars = [i for i, ch in enumerate(text) if ch not in P.SPECIAL_CHARACTERS]
    if not chars:
        return False
    for i in chars:
        page, j = P.run_at(wf, "CHPX", wf.cp_to_fc(start + i))
        codes = {c for _, c, _, _ in P.parse_sprms(page.chpx(j))}
        if not codes & CHARACTER_FORMATTING:
            return False
    return True


def paragraphs_formatted_as_whole(wf):
    out = []
    paras = wf.paragraphs()
    for k, (_, _, text) in enumerate(paras):
        if formatted_as_whole(wf, k):
            out.append(k)
        elif not text.strip(P.SPECIAL_CHARACTERS) and out and out[-1] == k - 1:
            out.append(k)           # Enter at the end of a formatted paragraph: empty, or only an object
    return out


def format_marks_and_specials(buf, log):
    wf = P.WordFile(buf)
    for k in paragraphs_formatted_as_whole(wf):
        P.format_paragraph_mark(buf, k, log)
    for k, (_, _, text) in enumerate(P.WordFile(buf).paragraphs()):
        if any(ch in P.SPECIAL_CHARACTERS for ch in text):
            P.format_special_characters(buf, k, log)


# --- 3: character and line units ---------------------------------------------------------------

def convert_units(buf, n, log):
    converted = False
    for old, twips, new in UNIT_RULES[n]:
        wf = P.WordFile(buf)
        marks = [mark for _, mark, _ in wf.paragraphs()
                 if (P.paragraph_sprm(wf, mark, old) or b"") and _s16(P.paragraph_sprm(wf, mark, old)) == twips]
        if not marks:
            log.append("no paragraph has %s %d" % (P.sprm_name(old), twips))
            continue
        P.edit_paragraphs(buf, marks, P.substitute_sprm(old, twips, new, TWO_UNITS), log)
        converted = True
    if converted:
        P.set_char_line_units(P.WordFile(buf), log)


# --- 4, 5: page ------------------------------------------------------------------------------

def page_size(buf, n, log):
    lo, word = PAPER[n]
    wf = P.WordFile(buf)
    got = (struct.unpack("<H", P.section_sprm(wf, 0, SXA_PAGE))[0],
           struct.unpack("<H", P.section_sprm(wf, 0, SYA_PAGE))[0])
    if got != lo:
        log.append("section 0: page %d x %d is not LibreOffice's %d x %d; left as it is" % (got + lo))
        return
    P.set_section_sprm(wf, 0, SXA_PAGE, word[0], log)
    P.set_section_sprm(P.WordFile(buf), 0, SYA_PAGE, word[1], log)


def margins_beside_header_and_footer(buf, log):
    for story, margin, distance in ((P.STORY_ODD_HEADER, SDYA_TOP, SDYA_HDR_TOP),
                                    (P.STORY_ODD_FOOTER, SDYA_BOTTOM, SDYA_HDR_BOTTOM)):
        wf = P.WordFile(buf)
        first, limit = P.section_story(wf, 0, story)
        if limit <= first:
            continue
        typed = P.section_sprm(wf, 0, distance)
        stored = P.section_sprm(wf, 0, margin)
        if typed is None or stored is None:
            raise PatchError("section 0 has a %s but no %s / %s" % (
                "header" if story == P.STORY_ODD_HEADER else "footer", P.sprm_name(margin),
                P.sprm_name(distance)))
        if _s16(stored) == struct.unpack("<H", typed)[0]:
            continue
        P.set_section_sprm(wf, 0, margin, struct.unpack("<H", typed)[0], log)


# --- 7: WordArt gallery style ----------------------------------------------------------------

FIELDS = ("index", "look", "evidence", "reported", "shapeType", "fillKind", "fillColor",
          "fillBackColor", "colorsEitherOrder", "fillOpacity", "lineOn", "lineColor", "shadowOn",
          "shadowColor", "threeD", "vertical")


def _split_fields(body):
    out, depth, quoted, cur = [], 0, False, ""
    for ch in body:
        if ch == '"':
            quoted = not quoted
        if not quoted and ch == "{":
            depth += 1
        if not quoted and ch == "}":
            depth -= 1
        if ch == "," and depth == 0 and not quoted:
            out.append(cur.strip())
            cur = ""
        else:
            cur += ch
    out.append(cur.strip())
    return out


def gallery_row(index):
    """Row `index` of the kit's WordArt gallery table as a dict; "{}" (not compared) -> None."""
    with open(GALLERY_SOURCE, encoding="utf-8") as f:
        source = f.read()
    m = re.search(r"s\[%d\]\s*=\s*\{(.*?)\};" % index, source, re.S)
    if not m:
        raise PatchError("row %d not found in %s" % (index, GALLERY_SOURCE))
    fields = _split_fields(" ".join(m.group(1).split()))
    if len(fields) != len(FIELDS):
        raise PatchError("row %d has %d fields, not %d" % (index, len(fields), len(FIELDS)))
    row = {}
    for name, text in zip(FIELDS, fields):
        if text == "{}":
            row[name] = None
        elif text.startswith('"'):
            row[name] = text.strip('"')
        elif text in ("true", "false"):
            row[name] = text == "true"
        elif re.fullmatch(r"0x[0-9A-Fa-f]+|\d+", text):
            row[name] = int(text, 0)
        else:
            row[name] = text
    if row["index"] != index:
        raise PatchError("row %d carries index %r" % (index, row["index"]))
    return row


def gallery_changes(wf, spid, row):
    """The property values the row identifies, as set_shape_properties changes. Only what the
    row compares: a gradient fill without a colour array, its two colours (the order the shape
    has when the row accepts either), opacity, line, shadow, 3-D and vertical text."""
    shape = P.main_drawing_shapes(wf)[spid]
    values = {pid: v for pid, v, _, _ in P.shape_properties(wf, shape)}
    if row["shapeType"] is not None and shape["type"] != row["shapeType"]:
        raise PatchError("shape %d has shape type %d, the style wants %d (not patched)"
                         % (spid, shape["type"], row["shapeType"]))
    if row["fillKind"] != "F::Gradient" or row["fillOpacity"] is not None:
        raise PatchError("only gradient styles without opacity are patched")
    out = []
    fill_type = values.get(P.FILL_TYPE)
    out.append(("fill type (a gradient)", ("value", P.FILL_TYPE,
                                           fill_type if fill_type in range(4, 9) else P.FILL_SHADE_SCALE)))
    first, second = colorref(row["fillColor"]), colorref(row["fillBackColor"])
    if row["colorsEitherOrder"] and (values.get(P.FILL_COLOR), values.get(P.FILL_BACK_COLOR)) == (second, first):
        first, second = second, first
    out.append(("fill colour #%06X" % row["fillColor"], ("value", P.FILL_COLOR, first)))
    out.append(("fill back colour #%06X" % row["fillBackColor"], ("value", P.FILL_BACK_COLOR, second)))
    out.append(("filled", ("bit",) + P.FILLED[:2] + (True, P.FILLED[2])))
    for name, key, flag, colour_key, colour_pid in (("line", "lineOn", P.LINE_ON, "lineColor", P.LINE_COLOR),
                                                    ("shadow", "shadowOn", P.SHADOW_ON, "shadowColor",
                                                     P.SHADOW_COLOR)):
        if row[key] is not None:
            out.append((name, ("bit",) + flag[:2] + (row[key], flag[2])))
        if row[colour_key] is not None:
            out.append(("%s colour #%06X" % (name, row[colour_key]),
                        ("value", colour_pid, colorref(row[colour_key]))))
    for name, key, flag in (("3-D", "threeD", P.THREE_D), ("vertical text", "vertical", P.VERTICAL)):
        if row[key] is not None:
            out.append((name, ("bit",) + flag[:2] + (row[key], flag[2])))
    return out


def colorref(rgb):
    return P.colorref(rgb)


def gallery_style(buf, n, log):
    row = gallery_row(GALLERY_STYLE[n])
    log.append("gallery style %d of %s: %s" % (row["index"], os.path.relpath(GALLERY_SOURCE, ROOT), row["look"]))
    spids = P.wordart_spids(P.WordFile(buf))
    if not spids:
        log.append("no WordArt in the main text")
    for spid in spids:
        P.set_shape_properties(buf, spid, gallery_changes(P.WordFile(buf), spid, row), log)


# --- the plan ---------------------------------------------------------------------------------

def patch(n, path_in, path_out):
    """Copies path_in to path_out and patches it; returns the lines describing every change."""
    if n not in PAPER:
        raise PatchError("exercise %r has no plan" % n)
    with open(path_in, "rb") as f:
        buf = bytearray(f.read(P.MAX_FILE + 1))
    size = len(buf)
    log = []
    format_marks_and_specials(buf, log)
    convert_units(buf, n, log)
    page_size(buf, n, log)
    margins_beside_header_and_footer(buf, log)
    if n == 7:
        P.frame_page_number(buf, log)
    if n in GALLERY_STYLE:
        gallery_style(buf, n, log)
    if len(buf) != size:
        raise PatchError("a patch changed the file's length")
    tmp = path_out + ".tmp"
    shutil.copyfile(path_in, tmp)
    with open(tmp, "r+b") as f:
        f.write(buf)
    os.replace(tmp, path_out)
    return log


def main(argv):
    if len(argv) != 3 or argv[0] in ("-h", "--help"):
        print(__doc__)
        return 0 if argv and argv[0] in ("-h", "--help") else 2
    try:
        for line in patch(int(argv[0]), argv[1], argv[2]):
            print(line)
    except PatchError as e:
        print("%s: %s" % (argv[1], e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
