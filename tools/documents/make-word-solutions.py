#!/usr/bin/python3
"""Solutions of the three word-processing exercises as a student makes them in LibreOffice
Writer, their patched Word form, and one-change variants, into tests/data/word-solutions/
(described in its README.md):

    exN-lo.doc          the starting document (src/resources/files/) worked through in
                        LibreOffice and saved as "Word 97-2003" (filter "MS Word 97"), unpatched
    exN-solution.doc    exN-lo.doc patched by patch-word-solutions.py into what Word stores
    variants/exN-*.doc  the solution's steps with one step changed, in LibreOffice, then the same
                        patches

Usage (from the repository root; needs Debian's libreoffice-writer and python3-uno):

    /usr/bin/python3 tools/documents/make-word-solutions.py [OUTPUT_DIR]

The starting document and the picture the task names are first copied into a fresh exam folder
(as the practice program prepares c:\\MyExam); the document is opened from there, edited through
UNO the way the Writer dialogs do it, and stored under the output name. Every file is then
reopened in LibreOffice (it must still open, with the paragraphs and objects intended). The
values the kit reads from them are checked by check-word-solutions.py. Reruns write the same
bytes (fixed document properties, documents saved unmodified).
"""
import os
import runpy
import shutil
import sys
import tempfile
import types

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import patch_doc  # noqa: E402
from writer import (Office, save_doc, close, paragraphs, char_format, para_format, set_page,  # noqa: E402
                    set_header, footer_page_number, insert_picture, insert_fontwork,
                    replace_all, join_paragraphs, insert_empty_paragraphs, pictures, fontworks,
                    natural_size, paste_picture, wrap, position, anchor_as_character, gradient, fill_gradient,
                    outline, shadow, finish_layout, cm, pt, LEFT, RIGHT, CENTER, FIX, ONE_AND_HALF,
                    UNDERLINE_SINGLE, RED, GREEN, ORANGE, HORI_RIGHT, HORI_CENTER)

ROOT = os.path.dirname(os.path.dirname(HERE))
RESOURCES = os.path.join(ROOT, "src", "resources", "files")

# the patch plan (its file name has hyphens, so it is run as a file rather than imported)
patcher = types.SimpleNamespace(**runpy.run_path(os.path.join(HERE, "patch-word-solutions.py")))

EXERCISES = {1: ("中国航天事业.doc", ["earth.jpg"]),
             2: ("九寨童话世界.doc", []),
             7: ("Tenbury二中赋.doc", ["qvor.jpg"])}

# "2 characters" and "2 lines" as the student types them in LibreOffice, which keeps lengths
# only: two characters of the paragraph's text size, two of Word's 12-point lines. The patch
# turns exactly these values into Word's units.
TWO_CHARS_12PT, TWO_CHARS_14PT, TWO_LINES = pt(24), pt(28), pt(24)
WORDART_TEXT = "中国航天事业雄起"


# --- exercise 1: 中国航天事业.doc ----------------------------------------------------------------

def exercise_1(office, doc, exam, change):
    ps = paragraphs(doc)
    # 1, 2: the title 黑体 三号 (16 pt), red, bold
    char_format(ps[0], name="黑体", size=16.5 if change == "title-16.5" else 16, bold=True, color=RED)
    # 3: centred, 2 lines after
    para_format(ps[0], adjust=CENTER, after=TWO_LINES)
    # 4: the first body paragraph: 2 characters first line, exactly 18 pt
    para_format(ps[1], first_line=TWO_CHARS_12PT, spacing=(FIX, pt(18)))
    # 5: every body paragraph 2 characters from the left; 国家 -> state
    for p in ps[1:]:
        para_format(p, left=TWO_CHARS_12PT)
    replace_all(doc, "国家", "State" if change == "state-capitalised" else "state")
    # 6: 16K (26 x 18.4 cm) landscape, left and right 2 cm
    set_page(doc, landscape=True, width=26000, height=18400, left=cm(2), right=cm(2))
    # 7: earth.jpg at the end of the text, wrapped tight (Wrap > Page Wrap + Contour)
    earth = os.path.join(exam, "earth.jpg")
    last = paragraphs(doc)[-1]
    w, h = natural_size(office, earth)
    insert_picture(office, doc, last, earth, w, h, wrap="PARALLEL", contour=True)
    # 8: a WordArt 中国航天事业雄起 at the end of the text, wrapped square (Page Wrap)
    for _ in range(2 if change == "two-wordarts" else 1):
        insert_fontwork(doc, last, WORDART_TEXT, cm(10), cm(2.5), wrap="PARALLEL",
                        contour=change == "wordart-tight", font="黑体", size=36)


# --- exercise 2: 九寨童话世界.doc ----------------------------------------------------------------

def exercise_2(office, doc, exam, change):
    ps = paragraphs(doc)
    if change == "one-paragraph":
        # the paragraph marks deleted: one paragraph holding all the text, the picture and the
        # WordArt, formatted as the title (requirements 3 and 4 have no paragraph 2 or 3 left)
        ps = join_paragraphs(doc)
    # 1: A4, top and bottom 2 cm
    set_page(doc, landscape=False, width=21000, height=29700, top=cm(2), bottom=cm(2))
    # 2: the title 楷体_GB2312 23 pt, green, bold, centred
    char_format(ps[0], name="楷体" if change == "title-kaiti" else "楷体_GB2312", size=23, bold=True,
                color=GREEN)
    para_format(ps[0], adjust=CENTER)
    if len(ps) > 2:
        # 3: the first paragraph: 2 characters first line, 1.5 lines, 2 lines before, left
        para_format(ps[1], first_line=TWO_CHARS_12PT, spacing=ONE_AND_HALF, before=TWO_LINES,
                    adjust=LEFT)
        # 4: the second paragraph underlined and italic
        char_format(ps[2], underline=UNDERLINE_SINGLE, italic=True)
    # 5: the picture wrapped square, right-aligned
    picture = pictures(doc)[0]
    if change == "picture-inline":
        anchor_as_character(picture)
    else:
        wrap(picture, "PARALLEL")
        position(picture, HORI_RIGHT)
    if change == "two-pictures":
        # the picture copied and pasted into the next paragraph, formatted the same way
        size = picture.getPropertyValue("Size")
        copy = paste_picture(doc, paragraphs(doc)[4], picture, size.Width, size.Height)
        wrap(copy, "PARALLEL")
        position(copy, HORI_RIGHT)
    # 6: the WordArt in gallery style 12 (yellow to orange from a corner, no outline, a shadow),
    # wrapped tight (Page Wrap + Contour)
    wordart = fontworks(doc)[0]
    fill_gradient(wordart, gradient("SQUARE", 0xFFFF00, 0xFF9933, x_offset=0, y_offset=0))
    outline(wordart, None)
    shadow(wordart, 0xC0C0C0, cm(0.1), cm(0.1))
    wrap(wordart, "PARALLEL", contour=change != "wordart-square")
    # 7: the header 九寨
    set_header(doc, {"header-jiuzhaigou": "九寨沟", "header-jiu": "九"}.get(change, "九寨"))


# --- exercise 7: Tenbury二中赋.doc ---------------------------------------------------------------

def exercise_7(office, doc, exam, change):
    ps = paragraphs(doc)
    # 1: B4 (25.7 x 36.4 cm), left and right 2 cm
    set_page(doc, landscape=False, width=25700, height=36400, left=cm(2), right=cm(2))
    # 2: the title 隶书 21 pt, orange, italic, centred
    char_format(ps[0], name="华文隶书" if change == "title-face" else "隶书", size=21, italic=True,
                color=ORANGE)
    para_format(ps[0], adjust=CENTER)
    # 3, 4: the body 隶书 四号 (14 pt), orange; 2 characters first line, 1.5 lines, left
    body = ps[1:-1] if change == "body-unformatted" else ps[1:]
    for p in body:
        char_format(p, name="隶书", size=14, color=ORANGE)
        para_format(p, first_line=TWO_CHARS_14PT, spacing=ONE_AND_HALF, adjust=LEFT)
    # 5: qvor.jpg after the third paragraph (anchored to it), square, centred
    qvor = os.path.join(exam, "qvor.jpg")
    w, h = natural_size(office, qvor)
    holders = [ps[3]]
    if change == "extra-paragraph":
        # Enter at the end of the third paragraph, the picture into the new paragraph
        holders = [insert_empty_paragraphs(doc, ps[3], 1)[4]]
    if change == "two-pictures":
        holders = [ps[3], ps[4]]
    for holder in holders:
        picture = insert_picture(office, doc, holder, qvor, w, h,
                                 anchor="AS_CHARACTER" if change == "picture-inline" else "AT_PARAGRAPH")
        if change != "picture-inline":
            wrap(picture, "PARALLEL")
            position(picture, HORI_CENTER)
    # 6: the WordArt in gallery style 20 (maroon to gold from the top, grey outline, a shadow),
    # wrapped tight
    wordart = fontworks(doc)[0]
    fill_gradient(wordart, gradient("LINEAR", 0x520402, 0xFFCC00))
    outline(wordart, 0xB2B2B2, 0)
    shadow(wordart, 0xC0C0C0, cm(0.1), cm(0.1))
    wrap(wordart, "PARALLEL", contour=True)
    # 7: the page number in the footer, on the right
    footer_page_number(doc, CENTER if change == "page-number-centre" else RIGHT)
    if change == "two-empty-paragraphs":
        # Enter twice at the end of the sixth paragraph
        insert_empty_paragraphs(doc, paragraphs(doc)[5], 2)


SOLVERS = {1: exercise_1, 2: exercise_2, 7: exercise_7}

# variant name -> (exercise, change); each is the solution with one step done otherwise
VARIANTS = [
    (1, "state-capitalised"), (1, "title-16.5"), (1, "two-wordarts"), (1, "wordart-tight"),
    (2, "two-pictures"), (2, "picture-inline"), (2, "wordart-square"), (2, "header-jiuzhaigou"),
    (2, "header-jiu"), (2, "one-paragraph"), (2, "title-kaiti"),
    (7, "two-pictures"), (7, "picture-inline"), (7, "title-face"), (7, "body-unformatted"),
    (7, "extra-paragraph"), (7, "page-number-centre"), (7, "two-empty-paragraphs"),
]

# what LibreOffice must read back from every file of an exercise: paragraph count, pictures,
# Fontwork objects (per change where it differs)
EXPECTED = {
    1: (5, 1, 1), 2: (9, 1, 1), 7: (8, 1, 1),
    (1, "two-wordarts"): (5, 1, 2), (2, "two-pictures"): (9, 2, 1), (2, "one-paragraph"): (1, 1, 1),
    (7, "two-pictures"): (8, 2, 1), (7, "extra-paragraph"): (9, 1, 1),
    (7, "two-empty-paragraphs"): (10, 1, 1),
}


def make_lo(office, n, change, out):
    """The exercise worked through in LibreOffice from a fresh exam folder, saved to `out`."""
    name, supporting = EXERCISES[n]
    with tempfile.TemporaryDirectory(prefix="tarnwick-exam-") as exam:
        for f in [name] + supporting:
            shutil.copyfile(os.path.join(RESOURCES, f), os.path.join(exam, f))
        doc = office.open(os.path.join(exam, name))
        if doc is None:
            raise SystemExit("LibreOffice cannot open %s" % name)
        try:
            SOLVERS[n](office, doc, exam, change)
            finish_layout(doc)
            save_doc(doc, out, title=os.path.splitext(name)[0])
        finally:
            close(doc)


def check_in_libreoffice(office, path, expected):
    doc = office.open(path)
    if doc is None:
        raise SystemExit("%s: LibreOffice cannot open it" % path)
    try:
        got = (len(paragraphs(doc)), len(pictures(doc)), len(fontworks(doc)))
    finally:
        close(doc)
    if got != expected:
        raise SystemExit("%s: LibreOffice reads %d paragraphs, %d pictures, %d Fontwork objects; "
                         "%d, %d, %d intended" % ((os.path.basename(path),) + got + expected))
    return got


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "tests", "data", "word-solutions")
    os.makedirs(os.path.join(out, "variants"), exist_ok=True)
    made = []
    with Office() as office:
        for n in SOLVERS:
            lo = os.path.join(out, "ex%d-lo.doc" % n)
            make_lo(office, n, None, lo)
            solution = os.path.join(out, "ex%d-solution.doc" % n)
            log = patcher.patch(n, lo, solution)
            made += [(lo, EXPECTED[n], []), (solution, EXPECTED[n], log)]
        with tempfile.TemporaryDirectory(prefix="tarnwick-variant-") as tmp:
            for n, change in VARIANTS:
                lo = os.path.join(tmp, "ex%d-%s-lo.doc" % (n, change))
                make_lo(office, n, change, lo)
                path = os.path.join(out, "variants", "ex%d-%s.doc" % (n, change))
                log = patcher.patch(n, lo, path)
                made.append((path, EXPECTED.get((n, change), EXPECTED[n]), log))
        for path, expected, log in made:
            got = check_in_libreoffice(office, path, expected)
            print("%s: %d bytes; LibreOffice reopens it: %d paragraphs, %d pictures, %d Fontwork"
                  % (os.path.relpath(path, out), os.path.getsize(path), *got))
            for line in log:
                print("    " + line)
    # the patcher's parser must still read every file
    for path, _, _ in made:
        patch_doc.WordFile(bytearray(open(path, "rb").read())).paragraphs()


if __name__ == "__main__":
    main()
