#!/usr/bin/python3
"""Documents for the .doc reader's tests, written by LibreOffice as Word 97-2003 files into
tests/data/doc/. What each file holds and what Word's object model would report for it is listed
in tests/data/doc/README.md. Files LibreOffice cannot write the way Word does (character-unit
indents, line-unit spacing, Word's own page sizes) are written by LibreOffice with a distinctive
twips value and then patched in place by patch_doc.py (same-length substitutions only).

Usage (from the repository root; needs Debian's libreoffice-writer, python3-uno):

    /usr/bin/python3 tools/documents/make-reader-fixtures.py [OUTPUT_DIR]

After writing, the script reads every file back twice: through patch_doc's parser (text,
paragraph and section sprms, FSPA wrap flags) and by reopening it in LibreOffice, and stops with
an error when a value is not the intended one. Reruns write the same bytes (the document
properties carry a fixed date and the documents are saved unmodified, so no save time is stamped).
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import patch_doc  # noqa: E402
from writer import (Office, new_writer, save_doc, close, set_default_font, write_paragraphs,  # noqa: E402
                    paragraphs, char_format, para_format, set_page, set_header,
                    footer_page_number, insert_picture, insert_fontwork, drawn_objects, cm, pt,
                    LEFT, RIGHT, BLOCK, CENTER, PROP, FIX, UNDERLINE_SINGLE, RED, GREEN, ORANGE,
                    HORI_NONE, HORI_RIGHT, HORI_CENTER, HORI_LEFT, REL_FRAME)

ROOT = os.path.dirname(os.path.dirname(HERE))
PICTURE = os.path.join(HERE, "picture.png")

BODY_1 = ("1970年4月24日，我国第一颗人造地球卫星东方红一号发射成功，"
          "the first satellite DFH-1 weighed 173 kg。")
BODY_2 = ("2003年10月15日，杨利伟乘坐神舟五号飞船进入太空，"
          "China became the 3rd country to send a person into orbit。")


def new_document(office, texts):
    doc = new_writer(office)
    set_default_font(doc, "宋体", 12)
    return doc, write_paragraphs(doc, texts)


# --- a. .. i.: text and page properties -------------------------------------------------------

def title_body(office, out):
    doc, ps = new_document(office, ["中国航天事业", BODY_1, BODY_2])
    char_format(ps[0], name="黑体", size=16, bold=True, color=RED)
    para_format(ps[0], adjust=CENTER)
    for p in ps[1:]:
        char_format(p, name="宋体", size=12)
        para_format(p, adjust=BLOCK)
    save_doc(doc, out)
    close(doc)


def line_spacing(office, out):
    doc, ps = new_document(office, ["一点五倍行距 1.5 lines。", "固定值 18 磅 exactly 18 pt。",
                                    "单倍行距 single。"])
    para_format(ps[0], spacing=(PROP, 150))
    para_format(ps[1], spacing=(FIX, pt(18)))
    para_format(ps[2], spacing=(PROP, 100))
    save_doc(doc, out)
    close(doc)


def underline_italic(office, out):
    doc, ps = new_document(office, ["下划线 underlined 段落。", "倾斜 italic 段落。",
                                    "下划线并倾斜 both。", "普通 plain 段落。"])
    char_format(ps[0], underline=UNDERLINE_SINGLE)
    char_format(ps[1], italic=True)
    char_format(ps[2], underline=UNDERLINE_SINGLE, italic=True)
    save_doc(doc, out)
    close(doc)


def margins_2cm(office, out):
    doc, _ = new_document(office, ["页边距都是 2 厘米 (2 cm margins)。"])
    set_page(doc, width=21000, height=29700, left=cm(2), right=cm(2), top=cm(2), bottom=cm(2))
    save_doc(doc, out)
    close(doc)


def landscape(office, out):
    doc, _ = new_document(office, ["横向 A4 纸 (A4 landscape)。"])
    set_page(doc, landscape=True, width=29700, height=21000)
    save_doc(doc, out)
    close(doc)


def a4_portrait(office, out):
    doc, _ = new_document(office, ["纵向 A4 纸，Word 的默认边距 (A4 portrait)。"])
    set_page(doc, landscape=False, width=21000, height=29700, left=cm(3.17), right=cm(3.17),
             top=cm(2.54), bottom=cm(2.54))
    save_doc(doc, out)
    close(doc)


def header(office, out):
    doc, _ = new_document(office, ["正文第一段 body text。"])
    set_header(doc, "九寨")
    save_doc(doc, out)
    close(doc)


def page_number(office, out, adjust):
    doc, _ = new_document(office, ["页脚里有页码 (PAGE field in the footer)。"])
    footer_page_number(doc, adjust)
    save_doc(doc, out)
    close(doc)


def font_colours(office, out):
    doc, ps = new_document(office, ["橙色 orange FF6600", "绿色 green 008000", "红色 red FF0000",
                                    "楷体_GB2312 的中文", "隶书的中文", "自动颜色 automatic"])
    char_format(ps[0], color=ORANGE)
    char_format(ps[1], color=GREEN)
    char_format(ps[2], color=RED)
    char_format(ps[3], asian_name="楷体_GB2312")
    char_format(ps[4], asian_name="隶书")
    save_doc(doc, out)
    close(doc)


# --- shapes ---------------------------------------------------------------------------------

PIC_W, PIC_H = cm(3), cm(2)


def picture(office, out, placement):
    doc, ps = new_document(office, ["图片所在的段落 (the picture's paragraph)。",
                                    "后面的段落 following text。"])
    insert_picture(office, doc, ps[0], PICTURE, PIC_W, PIC_H, **placement)
    save_doc(doc, out)
    close(doc)


def picture_behind(office, out):
    doc, ps = new_document(office, ["衬于文字下方的图片 (behind the text)。"])
    obj = insert_picture(office, doc, ps[0], PICTURE, PIC_W, PIC_H, wrap="THROUGH",
                         hori=HORI_RIGHT, hori_rel=REL_FRAME)
    obj.setPropertyValue("Opaque", False)      # Wrap > In Background
    save_doc(doc, out)
    close(doc)


def two_pictures(office, out):
    doc, ps = new_document(office, ["第一张图片 first picture。", "第二张图片 second picture。"])
    for p in ps:
        insert_picture(office, doc, p, PICTURE, PIC_W, PIC_H, wrap="PARALLEL", hori=HORI_RIGHT,
                       hori_rel=REL_FRAME)
    save_doc(doc, out)
    close(doc)


def wordart(office, out, contour):
    doc, ps = new_document(office, ["艺术字所在的段落 (the WordArt's paragraph)。"])
    insert_fontwork(doc, ps[0], "中国航天事业雄起", cm(9), cm(2), wrap="PARALLEL",
                    contour=contour, hori=HORI_CENTER, hori_rel=REL_FRAME)
    save_doc(doc, out)
    close(doc)


# --- patched --------------------------------------------------------------------------------

HALF_CM = cm(0.5)        # 500 -> 283 twips: a value no default has


def char_units(office, out):
    doc, ps = new_document(office, ["首行缩进 2 字符 (first line 2 characters)。",
                                    "左缩进 2 字符 (left 2 characters)。",
                                    "首行和左缩进都是 2 字符 (both)。",
                                    "首行缩进 0.5 厘米，未改 (first line 0.5 cm, twips only)。"])
    para_format(ps[0], first_line=HALF_CM)
    para_format(ps[1], left=HALF_CM)
    para_format(ps[2], first_line=HALF_CM, left=HALF_CM)
    para_format(ps[3], first_line=HALF_CM, right=HALF_CM)
    save_doc(doc, out)
    close(doc)
    return dict(para=[(0, 0x8460, 0x4457, 200), (1, 0x845E, 0x4456, 200),
                      (2, 0x8460, 0x4457, 200), (2, 0x845E, 0x4456, 200)],
                char_line_units=True)


def line_units(office, out):
    doc, ps = new_document(office, ["段前 2 行 (2 lines before)。", "段后 2 行 (2 lines after)。",
                                    "段前段后都是 2 行 (both)。",
                                    "段前 1 厘米，未改 (1 cm before, twips only)。"])
    para_format(ps[0], before=HALF_CM)
    para_format(ps[1], after=HALF_CM)
    para_format(ps[2], before=HALF_CM, after=HALF_CM)
    para_format(ps[3], before=cm(1))
    save_doc(doc, out)
    close(doc)
    return dict(para=[(0, 0xA413, 0x4458, 200), (1, 0xA414, 0x4459, 200),
                      (2, 0xA413, 0x4458, 200), (2, 0xA414, 0x4459, 200)],
                char_line_units=True)


def page_size(office, out, text, width, height, landscape_, twips, margins=None):
    doc, _ = new_document(office, [text])
    set_page(doc, landscape=landscape_, width=width, height=height, **(margins or {}))
    save_doc(doc, out)
    close(doc)
    return dict(section=[(0, 0xB01F, twips[0]), (0, 0xB020, twips[1])])


LR_2CM = dict(left=cm(2), right=cm(2))

# file name -> (maker, arguments)
FIXTURES = [
    ("title-body.doc", title_body, ()),
    ("line-spacing.doc", line_spacing, ()),
    ("underline-italic.doc", underline_italic, ()),
    ("margins-2cm.doc", margins_2cm, ()),
    ("landscape.doc", landscape, ()),
    ("a4-portrait.doc", a4_portrait, ()),
    ("header.doc", header, ()),
    ("page-number-right.doc", page_number, (RIGHT,)),
    ("page-number-centre.doc", page_number, (CENTER,)),
    ("font-colours.doc", font_colours, ()),
    ("picture-square-right.doc", picture,
     (dict(wrap="PARALLEL", hori=HORI_RIGHT, hori_rel=REL_FRAME),)),
    ("picture-tight-centre.doc", picture,
     (dict(wrap="PARALLEL", contour=True, hori=HORI_CENTER, hori_rel=REL_FRAME),)),
    ("picture-inline.doc", picture, (dict(anchor="AS_CHARACTER"),)),
    ("picture-through.doc", picture, (dict(wrap="THROUGH", hori=HORI_LEFT, hori_rel=REL_FRAME),)),
    ("picture-wrap-none.doc", picture,
     (dict(wrap="NONE", hori=HORI_NONE, hori_rel=REL_FRAME, hori_pos=cm(2)),)),
    ("picture-behind.doc", picture_behind, ()),
    ("two-pictures.doc", two_pictures, ()),
    ("wordart-square.doc", wordart, (False,)),
    ("wordart-tight.doc", wordart, (True,)),
    ("char-units.doc", char_units, ()),
    ("line-units.doc", line_units, ()),
    ("page-16k-landscape.doc", page_size,
     ("16 开横向 (16K landscape)。", 26000, 18400, True, (14742, 10433), LR_2CM)),
    ("page-a4-word.doc", page_size,
     ("Word 存的 A4 (A4 as Word stores it)。", 21000, 29700, False, (11907, 16840),
      dict(top=cm(2), bottom=cm(2)))),
    ("page-b4.doc", page_size, ("B4 纸 (B4 JIS)。", 25700, 36400, False, (14572, 20639), LR_2CM)),
]


# --- checks ---------------------------------------------------------------------------------

def sprms_of(grpprl):
    return {code: grpprl[o:o + n] for _, code, o, n in patch_doc.parse_sprms(grpprl)}


def s16(b):
    return struct.unpack("<h", b)[0]


def read_back(path):
    """What the file holds, by patch_doc's parser: paragraphs with their PAPX sprms, the first
    section's sprms, the FSPAs of the main text."""
    wf = patch_doc.WordFile(bytearray(open(path, "rb").read()))
    paras = []
    for k, (_, _, text) in enumerate(wf.paragraphs()):
        _, istd, grpprl = wf.papx(wf.papx_of_paragraph(k))
        paras.append((text, istd, sprms_of(grpprl)))
    _, sep = wf.sepx(0)
    fc, lcb = wf.fc_lcb(40)           # PlcSpaMom
    fspas = []
    if lcb:
        plc = wf.table.data[fc:fc + lcb]
        n = (lcb - 4) // 30
        for i in range(n):
            spa = plc[4 * (n + 1) + 26 * i:4 * (n + 1) + 26 * (i + 1)]
            spid, xa_left = struct.unpack_from("<Ii", spa, 0)
            flags = struct.unpack_from("<H", spa, 20)[0]
            fspas.append(dict(spid=spid, xaLeft=xa_left, wr=(flags >> 5) & 15,
                              wrk=(flags >> 9) & 15, below=(flags >> 14) & 1))
    dop_fc, _ = wf.fc_lcb(patch_doc.FIB_DOP)
    char_line_units = (struct.unpack_from("<H", wf.table.data, dop_fc + 506)[0] >> 14) & 1
    return paras, sprms_of(sep), fspas, char_line_units


def expect(cond, path, what):
    if not cond:
        raise SystemExit("%s: %s" % (os.path.basename(path), what))


def check_file(name, path):
    paras, sep, fspas, clu = read_back(path)
    p = [s for _, _, s in paras]
    u16 = lambda b: struct.unpack("<H", b)[0]  # noqa: E731
    if name == "title-body.doc":
        expect(p[0][0x2461] == b"\x01" and p[1][0x2461] == b"\x03" and p[2][0x2461] == b"\x03",
               path, "alignment")
    if name == "line-spacing.doc":
        expect(p[0][0x6412] == struct.pack("<hh", 360, 1), path, "1.5 lines")
        expect(p[1][0x6412] == struct.pack("<hh", -360, 0), path, "exactly 18 pt")
        expect(0x6412 not in p[2] or p[2][0x6412] == struct.pack("<hh", 240, 1), path, "single")
    if name in ("margins-2cm.doc", "page-16k-landscape.doc", "page-b4.doc"):
        expect(u16(sep[0xB021]) == 1134 and u16(sep[0xB022]) == 1134, path, "left/right 2 cm")
    if name == "margins-2cm.doc":
        expect(u16(sep[0xB021]) == 1134 and s16(sep[0x9023]) == 1134 and s16(sep[0x9024]) == 1134,
               path, "2 cm margins")
    if name == "a4-portrait.doc":
        expect((u16(sep[0xB01F]), u16(sep[0xB020])) == (11906, 16838), path, "A4")
        expect((u16(sep[0xB021]), s16(sep[0x9023])) == (1797, 1440), path, "Word's margins")
    if name == "landscape.doc":
        expect(sep.get(0x301D) == b"\x02", path, "orientation")
    sizes = {"page-16k-landscape.doc": (14742, 10433), "page-a4-word.doc": (11907, 16840),
             "page-b4.doc": (14572, 20639)}
    if name in sizes:
        expect((u16(sep[0xB01F]), u16(sep[0xB020])) == sizes[name], path, "patched page size")
    if name in ("char-units.doc", "line-units.doc"):
        expect(clu == 1, path, "fCharLineUnits")
        pairs = {"char-units.doc": ((0x4457, 0x8460), (0x4456, 0x845E)),
                 "line-units.doc": ((0x4458, 0xA413), (0x4459, 0xA414))}[name]
        (a_new, a_old), (b_new, b_old) = pairs
        want = [(a_new,), (b_new,), (a_new, b_new)]
        for k, codes in enumerate(want):
            for c in codes:
                expect(s16(p[k][c]) == 200, path, "paragraph %d sprm 0x%04X" % (k, c))
        expect(a_old not in p[0] and b_old not in p[1] and a_old not in p[2] and b_old not in p[2],
               path, "twips sprm left behind")
        untouched = 283 if name == "char-units.doc" else 567
        expect(s16(p[3][a_old]) == untouched and not {a_new, b_new} & set(p[3]), path, "untouched paragraph")
    wraps = {"picture-square-right.doc": [(2, 0, 0)], "picture-tight-centre.doc": [(4, 0, 0)],
             "picture-inline.doc": [], "picture-through.doc": [(3, 0, 0)],
             "picture-wrap-none.doc": [(1, 0, 0)], "picture-behind.doc": [(3, 0, 1)],
             "two-pictures.doc": [(2, 0, 0), (2, 0, 0)], "wordart-square.doc": [(2, 0, 0)],
             "wordart-tight.doc": [(4, 0, 0)]}
    got = [(f["wr"], f["wrk"], f["below"]) for f in fspas]
    expect(got == wraps.get(name, []), path, "FSPA wrap %s" % got)
    return paras, sep, fspas


def first_chars(doc, par, n=2):
    """The first characters of a paragraph (a reopened .doc keeps character formatting on the
    text, not on the paragraph)."""
    c = doc.getText().createTextCursorByRange(par.getStart())
    c.goRight(n, True)
    return c


def check_in_libreoffice(office, name, path):
    """The file still opens, and LibreOffice reads back the intended values."""
    doc = office.open(path)
    expect(doc is not None, path, "LibreOffice cannot open it")
    try:
        ps = paragraphs(doc)
        objs = drawn_objects(doc)
        st = doc.getStyleFamilies().getByName("PageStyles").getByName(
            ps[0].getPropertyValue("PageStyleName") or "Standard")
        if name == "title-body.doc":
            c = first_chars(doc, ps[0])
            expect(c.getPropertyValue("CharFontNameAsian") == "黑体", path, "title font")
            expect(c.getPropertyValue("CharColor") == RED, path, "title colour")
        if name == "font-colours.doc":
            expect([first_chars(doc, p).getPropertyValue("CharColor") for p in ps[:3]]
                   == [ORANGE, GREEN, RED], path, "colours")
            expect(first_chars(doc, ps[3]).getPropertyValue("CharFontNameAsian") == "楷体_GB2312"
                   and first_chars(doc, ps[4]).getPropertyValue("CharFontNameAsian") == "隶书",
                   path, "face names")
        if name == "char-units.doc":
            # LibreOffice 7.4 ignores the character-unit sprms: the patched indents read back as 0
            expect([(p.getPropertyValue("ParaFirstLineIndent"), p.getPropertyValue("ParaLeftMargin"))
                    for p in ps[:3]] == [(0, 0)] * 3, path, "indents read back")
        if name == "line-units.doc":
            expect([(p.getPropertyValue("ParaTopMargin"), p.getPropertyValue("ParaBottomMargin"))
                    for p in ps[:3]] == [(0, 0)] * 3, path, "spacing read back")
        if name == "header.doc":
            expect(st.getPropertyValue("HeaderIsOn") and
                   st.getPropertyValue("HeaderText").getString() == "九寨", path, "header")
        if name.startswith(("picture-", "two-", "wordart-")):
            expect(len(objs) == (2 if name == "two-pictures.doc" else 1), path,
                   "objects %d" % len(objs))
        if name.startswith("wordart-"):
            expect(objs[0].getString() == "中国航天事业雄起", path, "Fontwork text")
        return (st.getPropertyValue("Width"), st.getPropertyValue("Height"))
    finally:
        close(doc)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "data", "doc")
    os.makedirs(out_dir, exist_ok=True)
    patches = {}
    with Office() as office:
        for name, maker, args in FIXTURES:
            path = os.path.join(out_dir, name)
            patch = maker(office, path, *args)
            if patch:
                for line in patch_doc.patch_file(path, para=patch.get("para", ()),
                                                 section=patch.get("section", ()),
                                                 char_line_units=patch.get("char_line_units", False)):
                    print("%s: %s" % (name, line))
                patches[name] = patch
        for name, _, _ in FIXTURES:
            path = os.path.join(out_dir, name)
            paras, sep, fspas = check_file(name, path)
            size = check_in_libreoffice(office, name, path)
            print("%-26s %5d bytes, %d paragraphs, page %d x %d twips, %d FSPA; "
                  "LibreOffice reopens it (page %d x %d 1/100 mm)"
                  % (name, os.path.getsize(path), len(paras), struct.unpack("<H", sep[0xB01F])[0],
                     struct.unpack("<H", sep[0xB020])[0], len(fspas), size[0], size[1]))


if __name__ == "__main__":
    main()
