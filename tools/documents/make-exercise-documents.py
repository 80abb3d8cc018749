#!/usr/bin/python3
"""Authors the starting documents and pictures of the three word-processing exercises into
src/resources/files/:

    exercise 1: 中国航天事业.doc and earth.jpg (a Windows bitmap under a .jpg name)
    exercise 2: 九寨童话世界.doc (holds one floating picture and one WordArt to format)
    exercise 7: Tenbury二中赋.doc (holds one WordArt) and qvor.jpg (a JPEG)

Usage (from the repository root; needs Debian's libreoffice-writer, python3-uno, imagemagick):

    /usr/bin/python3 tools/documents/make-exercise-documents.py [OUTPUT_DIR]

The files are committed; the build only embeds them. Every document is in the state a teacher
would hand out from a Chinese installation of Word: body 宋体 12 pt, every paragraph justified,
single spacing, no indents, A4 portrait, Word's default margins (top/bottom 2.54 cm, left/right
3.17 cm, not LibreOffice's 2 cm), no header or footer, a plain title. So the untouched file fails
every marking item that asks for a change. The script reads every file back (patch_doc's parser
and LibreOffice reopening it) and stops when a fact the marking relies on does not hold.
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import patch_doc  # noqa: E402
from writer import (Office, new_writer, save_doc, close, set_default_font, write_paragraphs,  # noqa: E402
                    paragraphs, char_format, para_format, set_page, insert_picture,
                    insert_fontwork, drawn_objects, page_style, cm, BLOCK, PROP,
                    HORI_CENTER, HORI_LEFT, HORI_RIGHT, REL_FRAME, AUTOMATIC_COLOR)

ROOT = os.path.dirname(os.path.dirname(HERE))
BODY_FACE, BODY_SIZE, TITLE_SIZE = "宋体", 12, 14

SPACE_TEXTS = [
    "中国航天事业",
    "中国的航天事业起步于1956年。几十年来，一代又一代航天人自力更生、艰苦奋斗，"
    "在十分薄弱的工业基础上建立起完整的航天工业体系，取得了举世瞩目的成就。",
    "1970年4月24日，我国第一颗人造地球卫星“东方红一号”发射成功，"
    "中国成为世界上第五个独立研制并发射人造卫星的国家。此后，返回式卫星、通信卫星、"
    "气象卫星相继升空，航天技术开始服务于经济建设和人民生活。",
    "2003年10月15日，航天员杨利伟乘坐“神舟五号”飞船进入太空，中华民族千年的飞天梦想终于实现。"
    "中国由此成为继苏联和美国之后第三个独立掌握载人航天技术的国家。",
    "今天，“嫦娥”探月、“北斗”导航、“天宫”空间站等重大工程不断取得新的突破。"
    "航天事业的发展增强了国家的综合实力，也激励着无数青少年热爱科学、立志报效祖国。",
]

JIUZHAI_TEXTS = [
    "九寨·童话世界",
    "九寨沟位于四川省阿坝藏族羌族自治州九寨沟县境内，是白水江上游白河的支沟，"
    "因沟内有树正、荷叶、则查洼等九个藏族村寨而得名。",
    "九寨沟海拔在2000米以上，遍布原始森林，沟内分布着一百多个湖泊。这里四季景色各异："
    "春来山花烂漫，夏至绿荫满谷，秋日层林尽染，冬天冰瀑如玉。",
    "翠海是九寨沟的精灵。湖水清澈见底，在阳光照射下呈现出蓝、绿、黄、橙等多种色彩，"
    "当地人称之为“海子”。五花海、长海、镜海、熊猫海，各有各的风采。",
    "叠瀑是九寨沟的灵魂。诺日朗瀑布宽三百多米，水流从林间倾泻而下，声如雷鸣；"
    "珍珠滩瀑布水花四溅，宛若万斛珍珠洒落人间。",
    "彩林是九寨沟的衣裳。每到深秋，红叶、黄叶与常绿的松柏交织在一起，倒映在湖水之中，"
    "构成一幅幅绚丽的油画。",
    "雪峰是九寨沟的冠冕。远处的雪山终年积雪，在蓝天白云的映衬下显得格外圣洁。",
    "藏情是九寨沟的底色。古老的村寨、飘动的经幡、转动的经筒和热情好客的藏族同胞，"
    "使这里充满了浓郁的民族风情。",
    "1992年，九寨沟被联合国教科文组织列入《世界遗产名录》。这片神奇的土地，"
    "被人们誉为“童话世界”和“人间仙境”。",
]

SCHOOL_TEXTS = [
    "Tenbury二中赋",
    "巍巍Tenbury二中，坐落城南之畔；创校一九五八，弦歌六十余年。前临碧水，后倚青山；"
    "钟灵毓秀，气象万千。",
    "校园之美，四时可观：春则桃李争艳，夏则绿荫满院；秋则丹桂飘香，冬则松柏傲寒。"
    "书声琅琅，回荡于晨曦之间；灯火点点，辉映乎星月之天。",
    "师者之德，如山如渊：传道授业，呕心沥血而无怨；因材施教，春风化雨而不倦。"
    "三尺讲台，耕耘岁岁年年；一支粉笔，写尽苦辣酸甜。",
    "学子之志，高远无边：晨读于朝霞之下，夜习于明灯之前；勤学好问，不畏路远途艰；"
    "德智体美，全面发展争先。",
    "赛场之上，龙腾虎跃；科技苑中，百舸争帆。球影飞越，歌声婉转；三千学子，各展其长，"
    "共绘锦绣华篇。",
    "喜看今朝，桃李满天；英才辈出，遍布山川。继往开来，再谱新篇；扬帆远航，前程无限。",
    "谨以此赋，献给Tenbury二中建校六十五周年。",
]

# --- pictures (ImageMagick) -------------------------------------------------------------------

EARTH = [  # a blue disc with green land, a desert, cloud bands and a thin atmosphere, on black
    "-size", "160x160", "xc:#05081c",
    "-fill", "#1e5fb4", "-draw", "circle 80,80 80,8",
    "-fill", "#2f8f3a", "-draw", "polygon 48,40 70,30 86,44 80,62 64,70 56,88 44,80 38,58",
    "-draw", "polygon 92,70 118,64 132,84 124,112 104,124 94,104",
    "-draw", "ellipse 60,118 14,9 0,360",
    "-fill", "#d9c38a", "-draw", "ellipse 110,88 8,6 0,360",
    "-fill", "#ffffffcc", "-draw", "ellipse 70,52 26,4 -15,195",
    "-draw", "ellipse 104,130 22,4 10,170", "-draw", "ellipse 120,44 14,3 0,360",
    "-fill", "none", "-stroke", "#6fb3ff", "-strokewidth", "2", "-draw", "circle 80,80 80,7",
]

SCHOOL = [  # a school building with a clock, windows and a door, a flag, two trees, a path
    "-size", "320x240", "gradient:#8ec5f0-#e8f4ff",
    "-fill", "#7cc46a", "-draw", "rectangle 0,190 320,240",
    "-fill", "#c9b89a", "-draw", "polygon 140,240 180,240 170,190 150,190",
    "-fill", "#e9dcc4", "-draw", "rectangle 60,90 260,190",
    "-fill", "#b84a3a", "-draw", "polygon 50,92 160,50 270,92",
    "-fill", "#5a7fa8",
    "-draw", "rectangle 75,105 95,125", "-draw", "rectangle 110,105 130,125",
    "-draw", "rectangle 190,105 210,125", "-draw", "rectangle 225,105 245,125",
    "-draw", "rectangle 75,145 95,165", "-draw", "rectangle 110,145 130,165",
    "-draw", "rectangle 190,145 210,165", "-draw", "rectangle 225,145 245,165",
    "-fill", "#7a4a2a", "-draw", "rectangle 145,140 175,190",
    "-fill", "#f7f2e6", "-draw", "circle 160,78 160,68",
    "-fill", "#333333", "-draw", "line 160,78 160,71", "-draw", "line 160,78 165,78",
    "-fill", "#888888", "-draw", "rectangle 284,60 287,190",
    "-fill", "#de2910", "-draw", "rectangle 288,60 312,76",
    "-fill", "#ffde00", "-draw", "circle 293,65 293,63",
    "-fill", "#6b4a2a", "-draw", "rectangle 22,160 27,192",
    "-fill", "#2e7d32", "-draw", "circle 25,150 25,132",
    "-fill", "#6b4a2a", "-draw", "rectangle 262,165 266,192",
    "-fill", "#388e3c", "-draw", "circle 264,158 264,144",
]

LAKE = [  # snowy mountains, a forest with autumn trees, a waterfall and a turquoise lake
    "-size", "320x200", "gradient:#6fb0ea-#d6ecff",
    "-fill", "#8e9bb0",
    "-draw", "polygon 0,120 60,40 110,100 170,30 240,95 290,50 320,80 320,130 0,130",
    "-fill", "#ffffff", "-draw", "polygon 48,56 60,40 72,55 64,60",
    "-draw", "polygon 156,48 170,30 184,46 172,52", "-draw", "polygon 280,62 290,50 300,60 292,64",
    "-fill", "#2f6b3a",
    "-draw", "polygon 0,150 0,115 40,105 90,118 140,104 200,116 260,102 320,112 320,150",
    "-fill", "#e0a030", "-draw", "circle 60,122 60,114",
    "-fill", "#c8502a", "-draw", "circle 250,118 250,110",
    "-fill", "#1fb5a8", "-draw", "rectangle 0,140 320,200",
    "-fill", "#38d0c0", "-draw", "ellipse 160,170 120,14 0,360",
    "-fill", "#ffffff", "-draw", "rectangle 196,118 204,142",
]


def draw(args, target):
    """ImageMagick's convert; `target` carries the output format (BMP3:..., JPEG:...)."""
    subprocess.run(["convert"] + args + ["-strip", target], check=True)


# --- documents ------------------------------------------------------------------------------

def starting_document(office, texts):
    """The common state: 宋体 12 pt body, every paragraph justified and single-spaced, a title
    in the body face at 14 pt (not bold, automatic colour, not centred), A4 portrait with Word's
    default margins, no header or footer."""
    doc = new_writer(office)
    set_default_font(doc, BODY_FACE, BODY_SIZE)
    ps = write_paragraphs(doc, texts)
    for p in ps:
        para_format(p, adjust=BLOCK, spacing=(PROP, 100))
    char_format(ps[0], size=TITLE_SIZE, bold=False, color=AUTOMATIC_COLOR)
    set_page(doc, landscape=False, width=21000, height=29700, left=cm(3.17), right=cm(3.17),
             top=cm(2.54), bottom=cm(2.54))
    return doc, ps


def space_document(office, path):
    doc, _ = starting_document(office, SPACE_TEXTS)
    save_doc(doc, path, title=SPACE_TEXTS[0])
    close(doc)


def jiuzhai_document(office, path, lake_picture):
    doc, ps = starting_document(office, JIUZHAI_TEXTS)
    # the lakes' paragraph holds the picture: centred, no text beside it (top and bottom)
    insert_picture(office, doc, ps[3], lake_picture, cm(8), cm(5), wrap="NONE", hori=HORI_CENTER,
                   hori_rel=REL_FRAME, name="Picture 1")
    # the colourful-forest paragraph holds the WordArt: plain Fontwork, square wrap, left
    insert_fontwork(doc, ps[5], "人间仙境", cm(6), cm(1.6), wrap="PARALLEL", hori=HORI_LEFT,
                    hori_rel=REL_FRAME, name="WordArt 1")
    save_doc(doc, path, title=JIUZHAI_TEXTS[0])
    close(doc)


def school_document(office, path):
    doc, ps = starting_document(office, SCHOOL_TEXTS)
    # the closing line (paragraph 8) holds the document's one WordArt
    insert_fontwork(doc, ps[7], "育才树人", cm(5), cm(1.5), wrap="PARALLEL", hori=HORI_RIGHT,
                    hori_rel=REL_FRAME, name="WordArt 1")
    save_doc(doc, path, title=SCHOOL_TEXTS[0])
    close(doc)


# --- checks ---------------------------------------------------------------------------------

def fail(path, what):
    raise SystemExit("%s: %s" % (os.path.basename(path), what))


def check_document(path, texts, shapes):
    """Reads the file with patch_doc's parser: paragraph texts, alignment and the absence of
    indents and spacing, the page, no header/footer stories, the FSPA wrap of each shape."""
    wf = patch_doc.WordFile(bytearray(open(path, "rb").read()))
    paras = wf.paragraphs()
    got = [t.replace("\x08", "").replace("\x01", "") for _, _, t in paras]
    if got != texts:
        fail(path, "paragraphs differ: %r" % got)
    for k in range(len(paras)):
        _, istd, grpprl = wf.papx(wf.papx_of_paragraph(k))
        sprms = {c: grpprl[o:o + n] for _, c, o, n in patch_doc.parse_sprms(grpprl)}
        if sprms.get(0x2461) != b"\x03" or istd != 0:
            fail(path, "paragraph %d is not a justified Normal paragraph" % (k + 1))
        for c in (0x4457, 0x4456, 0x4458, 0x4459):
            if c in sprms:
                fail(path, "paragraph %d has sprm 0x%04X" % (k + 1, c))
        for c in (0x8460, 0x845E, 0xA413, 0xA414):
            if c in sprms and struct.unpack("<h", sprms[c])[0] != 0:
                fail(path, "paragraph %d has an indent or spacing" % (k + 1))
        if 0x6412 in sprms and sprms[0x6412] != struct.pack("<hh", 240, 1):
            fail(path, "paragraph %d is not single-spaced" % (k + 1))
    _, sep = wf.sepx(0)
    s = {c: struct.unpack("<h", sep[o:o + 2])[0] for _, c, o, n in patch_doc.parse_sprms(sep) if n == 2}
    page = (s[0xB01F], s[0xB020], s[0xB021], s[0xB022], s[0x9023], s[0x9024])
    if page != (11906, 16838, 1797, 1797, 1440, 1440) or 0x301D in {c for _, c, _, _ in
                                                                    patch_doc.parse_sprms(sep)}:
        fail(path, "page setup %r" % (page,))
    if wf.fc_lcb(11)[1] != 0:                  # PlcfHdd: no header or footer stories
        fail(path, "has header/footer stories")
    fc, lcb = wf.fc_lcb(40)                    # PlcSpaMom
    n = (lcb - 4) // 30 if lcb else 0
    wraps = []
    for i in range(n):
        flags = struct.unpack_from("<H", wf.table.data, fc + 4 * (n + 1) + 26 * i + 20)[0]
        cp = struct.unpack_from("<I", wf.table.data, fc + 4 * i)[0]
        para = next(k for k, (c0, c1, _) in enumerate(paras) if c0 <= cp <= c1)
        wraps.append((para + 1, (flags >> 5) & 15))
    if sorted(wraps) != sorted(shapes):
        fail(path, "FSPA (paragraph, wr) %r, want %r" % (wraps, shapes))
    return page, wraps


def check_in_libreoffice(office, path, texts, objects):
    doc = office.open(path)
    if doc is None:
        fail(path, "LibreOffice cannot open it")
    try:
        ps = paragraphs(doc)
        if [p.getString() for p in ps] != texts:
            fail(path, "LibreOffice reads other paragraphs")
        st = page_style(doc, ps[0].getPropertyValue("PageStyleName") or "Standard")
        if st.getPropertyValue("HeaderIsOn") or st.getPropertyValue("FooterIsOn"):
            fail(path, "header or footer on")
        c = doc.getText().createTextCursorByRange(ps[0].getStart())
        c.goRight(2, True)
        title = (c.getPropertyValue("CharFontNameAsian"), c.getPropertyValue("CharHeight"),
                 c.getPropertyValue("CharWeight"), c.getPropertyValue("CharColor"))
        if title != (BODY_FACE, float(TITLE_SIZE), 100.0, AUTOMATIC_COLOR):
            fail(path, "title formatting %r" % (title,))
        got = sorted((o.getPropertyValue("TextWrap").value,
                      o.supportsService("com.sun.star.drawing.CustomShape") and o.getString())
                     for o in drawn_objects(doc))
        if got != sorted(objects):
            fail(path, "LibreOffice reads objects %r" % got)
    finally:
        close(doc)


def check_pictures(out):
    with open(os.path.join(out, "earth.jpg"), "rb") as f:
        head = f.read(2)
    if head != b"BM":
        fail("earth.jpg", "not a Windows bitmap")
    with open(os.path.join(out, "qvor.jpg"), "rb") as f:
        head = f.read(3)
    if head != b"\xff\xd8\xff":
        fail("qvor.jpg", "not a JPEG")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "src", "resources", "files")
    os.makedirs(out, exist_ok=True)
    space_doc = os.path.join(out, "中国航天事业.doc")
    jiuzhai_doc = os.path.join(out, "九寨童话世界.doc")
    school_doc = os.path.join(out, "Tenbury二中赋.doc")
    body = "".join(SPACE_TEXTS[1:])
    assert body.count("国家") == 3 and "state" not in "".join(SPACE_TEXTS).lower()
    assert len(JIUZHAI_TEXTS) == 9 and len(SCHOOL_TEXTS) == 8
    draw(EARTH, "BMP3:" + os.path.join(out, "earth.jpg"))
    draw(SCHOOL, "JPEG:" + os.path.join(out, "qvor.jpg"))
    with tempfile.TemporaryDirectory(prefix="tarnwick-doc-") as tmp:
        lake = os.path.join(tmp, "jiuzhai.jpg")
        draw(LAKE, "JPEG:" + lake)
        with Office() as office:
            space_document(office, space_doc)
            jiuzhai_document(office, jiuzhai_doc, lake)
            school_document(office, school_doc)
            checks = [(space_doc, SPACE_TEXTS, [], []),
                      (jiuzhai_doc, JIUZHAI_TEXTS, [(4, 1), (6, 2)],
                       [("NONE", False), ("PARALLEL", "人间仙境")]),
                      (school_doc, SCHOOL_TEXTS, [(8, 2)], [("PARALLEL", "育才树人")])]
            for path, texts, shapes, objects in checks:
                page, wraps = check_document(path, texts, shapes)
                check_in_libreoffice(office, path, texts, objects)
                print("%s: %d bytes, %d paragraphs, page %d x %d, margins L/R %d T/B %d twips, "
                      "FSPA (paragraph, wr) %s" % (os.path.basename(path), os.path.getsize(path),
                                                   len(texts), page[0], page[1], page[2], page[4],
                                                   wraps))
    check_pictures(out)
    print("earth.jpg: %d bytes (BMP), qvor.jpg: %d bytes (JPEG)"
          % (os.path.getsize(os.path.join(out, "earth.jpg")),
             os.path.getsize(os.path.join(out, "qvor.jpg"))))


if __name__ == "__main__":
    main()
