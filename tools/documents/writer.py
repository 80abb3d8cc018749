"""Shared helpers for the document scripts: Writer documents made through UNO in the one headless
LibreOffice of tools/workbooks/office.py, formatted the way the Writer dialogs do it, and stored
as Word 97-2003 files (filter "MS Word 97").

Run the scripts with Debian's interpreter (/usr/bin/python3), which has python3-uno.
Lengths given to LibreOffice are 1/100 mm (what the dialogs store); the .doc gets twips, rounded
by LibreOffice's export (1134 twips for 2 cm, 11906 x 16838 for A4).
"""
import os
import sys

import uno

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "workbooks"))
from office import Office, prop, BOLD, NORMAL_WEIGHT, ITALIC, UPRIGHT, ZH_CN  # noqa: E402,F401

# com.sun.star.style.ParagraphAdjust names
LEFT, RIGHT, BLOCK, CENTER = "LEFT", "RIGHT", "BLOCK", "CENTER"
# com.sun.star.style.LineSpacingMode
PROP, MINIMUM, LEADING, FIX = 0, 1, 2, 3
# com.sun.star.awt.FontUnderline
UNDERLINE_NONE, UNDERLINE_SINGLE = 0, 1
# com.sun.star.text.HoriOrientation
HORI_NONE, HORI_RIGHT, HORI_CENTER, HORI_LEFT = 0, 1, 2, 3
# com.sun.star.text.RelOrientation
REL_FRAME, REL_PRINT_AREA, REL_CHAR, REL_PAGE_FRAME, REL_PAGE_PRINT_AREA = 0, 1, 2, 7, 8
# com.sun.star.text.VertOrientation
VERT_NONE, VERT_TOP = 0, 1
# com.sun.star.text.ControlCharacter
PARAGRAPH_BREAK = 0
# com.sun.star.style.NumberingType
ARABIC = 4
AUTOMATIC_COLOR = -1
# Colours as LibreOffice keeps them (0xRRGGBB); Word's WdColor is the same colour with red in the
# low byte (R + 256 G + 65536 B).
RED, GREEN, ORANGE, BLUE = 0xFF0000, 0x008000, 0xFF6600, 0x0000FF

# A fixed date for the document properties, so that two runs write the same bytes.
FIXED_DATE = (2026, 9, 1, 8, 0, 0)


def cm(value):
    """Centimetres as the 1/100 mm LibreOffice stores."""
    return int(round(value * 1000))


def pt(value):
    """Points as 1/100 mm (the way Writer converts a value typed in points)."""
    return int(round(value * 2540 / 72))


def enum(type_name, value):
    return uno.Enum(type_name, value)


def line_spacing(mode, height):
    ls = uno.createUnoStruct("com.sun.star.style.LineSpacing")
    ls.Mode, ls.Height = mode, height
    return ls


SINGLE = (PROP, 100)
ONE_AND_HALF = (PROP, 150)


def new_writer(office):
    return office.desktop.loadComponentFromURL(
        "private:factory/swriter", "_blank", 0, (prop("Hidden", True),))


def _uno_datetime(parts):
    d = uno.createUnoStruct("com.sun.star.util.DateTime")
    d.Year, d.Month, d.Day, d.Hours, d.Minutes, d.Seconds = parts
    return d


def fix_document_properties(doc, title=""):
    """File > Properties: one author, fixed dates, no editing time, so reruns give the same file."""
    p = doc.getDocumentProperties()
    p.Author = "Tarnwick"
    p.ModifiedBy = "Tarnwick"
    p.Title = title
    p.Generator = "Tarnwick fixture script"
    p.CreationDate = _uno_datetime(FIXED_DATE)
    p.ModificationDate = _uno_datetime(FIXED_DATE)
    p.PrintDate = _uno_datetime((0, 0, 0, 0, 0, 0))
    p.EditingDuration = 0
    p.EditingCycles = 1


def save_doc(doc, path, title=""):
    """File > Save As, type "Word 97-2003" (filter "MS Word 97")."""
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    fix_document_properties(doc, title)
    # Saving a modified document stamps the current time and user as the last modification;
    # an unmodified one keeps the properties set above.
    doc.setModified(False)
    doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(path)),
                   (prop("FilterName", "MS Word 97"), prop("Overwrite", True)))


def close(doc):
    doc.close(True)


def open_doc(office, path):
    return office.open(path)


# --- styles and text -----------------------------------------------------------------------

def paragraph_style(doc, name="Standard"):
    return doc.getStyleFamilies().getByName("ParagraphStyles").getByName(name)


def page_style(doc, name="Standard"):
    return doc.getStyleFamilies().getByName("PageStyles").getByName(name)


def set_default_font(doc, name, size):
    """Format > Styles > Default Paragraph Style > Font: the same face for Western and Asian
    text (a Chinese installation's default of 宋体 for both), and the document's languages."""
    style = paragraph_style(doc)
    for p in ("CharFontName", "CharFontNameAsian"):
        style.setPropertyValue(p, name)
    for p in ("CharHeight", "CharHeightAsian"):
        style.setPropertyValue(p, float(size))
    style.setPropertyValue("CharLocaleAsian", ZH_CN)


def write_paragraphs(doc, texts):
    """Types the paragraphs one after the other (no trailing empty paragraph) and returns them."""
    text = doc.getText()
    cursor = text.createTextCursor()
    for i, s in enumerate(texts):
        if i:
            text.insertControlCharacter(cursor, PARAGRAPH_BREAK, False)
        text.insertString(cursor, s, False)
    return paragraphs(doc)


def paragraphs(doc):
    out = []
    en = doc.getText().createEnumeration()
    while en.hasMoreElements():
        out.append(en.nextElement())
    return out


def text_of(doc):
    return "\n".join(p.getString() for p in paragraphs(doc))


def char_format(rng, name=None, asian_name=None, size=None, bold=None, italic=None,
                underline=None, color=None):
    """Format > Character. `name` sets the Western and the Asian face alike (the font box of a
    Chinese installation applied to mixed text); `asian_name` sets only the Asian face."""
    if name is not None:
        rng.setPropertyValue("CharFontName", name)
        rng.setPropertyValue("CharFontNameAsian", name)
    if asian_name is not None:
        rng.setPropertyValue("CharFontNameAsian", asian_name)
    if size is not None:
        for p in ("CharHeight", "CharHeightAsian"):
            rng.setPropertyValue(p, float(size))
    if bold is not None:
        for p in ("CharWeight", "CharWeightAsian"):
            rng.setPropertyValue(p, BOLD if bold else NORMAL_WEIGHT)
    if italic is not None:
        slant = enum("com.sun.star.awt.FontSlant", "ITALIC" if italic else "NONE")
        for p in ("CharPosture", "CharPostureAsian"):
            rng.setPropertyValue(p, slant)
    if underline is not None:
        rng.setPropertyValue("CharUnderline", underline)
    if color is not None:
        rng.setPropertyValue("CharColor", color)


def para_format(par, adjust=None, first_line=None, left=None, right=None, before=None,
                after=None, spacing=None):
    """Format > Paragraph: alignment, indents and spacing in 1/100 mm, line spacing (mode, value)."""
    if adjust is not None:
        par.setPropertyValue("ParaAdjust", enum("com.sun.star.style.ParagraphAdjust", adjust))
    if first_line is not None:
        par.setPropertyValue("ParaFirstLineIndent", first_line)
    if left is not None:
        par.setPropertyValue("ParaLeftMargin", left)
    if right is not None:
        par.setPropertyValue("ParaRightMargin", right)
    if before is not None:
        par.setPropertyValue("ParaTopMargin", before)
    if after is not None:
        par.setPropertyValue("ParaBottomMargin", after)
    if spacing is not None:
        par.setPropertyValue("ParaLineSpacing", line_spacing(*spacing))


# --- page ----------------------------------------------------------------------------------

def set_page(doc, width=None, height=None, landscape=None, left=None, right=None, top=None,
             bottom=None):
    """Format > Page Style > Page: size (1/100 mm), orientation and margins."""
    st = page_style(doc)
    if landscape is not None:
        st.setPropertyValue("IsLandscape", landscape)
    if width is not None:
        st.setPropertyValue("Width", width)
    if height is not None:
        st.setPropertyValue("Height", height)
    for name, v in (("LeftMargin", left), ("RightMargin", right), ("TopMargin", top),
                    ("BottomMargin", bottom)):
        if v is not None:
            st.setPropertyValue(name, v)


def set_header(doc, text):
    """Insert > Header and Footer > Header > Default Page Style, then the text typed in it."""
    st = page_style(doc)
    st.setPropertyValue("HeaderIsOn", True)
    st.getPropertyValue("HeaderText").setString(text)


def footer_page_number(doc, adjust):
    """Insert > Header and Footer > Footer, Insert > Field > Page Number in it, and the footer
    paragraph aligned (LibreOffice makes no page-number frame)."""
    st = page_style(doc)
    st.setPropertyValue("FooterIsOn", True)
    footer = st.getPropertyValue("FooterText")
    cursor = footer.createTextCursor()
    field = doc.createInstance("com.sun.star.text.TextField.PageNumber")
    field.setPropertyValue("NumberingType", ARABIC)
    field.setPropertyValue("SubType", enum("com.sun.star.text.PageNumberType", "CURRENT"))
    footer.insertTextContent(cursor, field, False)
    cursor.gotoStart(False)
    cursor.setPropertyValue("ParaAdjust", enum("com.sun.star.style.ParagraphAdjust", adjust))


# --- drawing layer -------------------------------------------------------------------------

def _size(width, height):
    s = uno.createUnoStruct("com.sun.star.awt.Size")
    s.Width, s.Height = width, height
    return s


def _anchor_cursor(doc, par):
    """A cursor at the end of the paragraph's text: where Insert puts an object after the user
    clicked at the end of that paragraph."""
    return doc.getText().createTextCursorByRange(par.getEnd())


def _place(obj, wrap, contour, hori, hori_rel, hori_pos, vert_pos):
    if wrap is not None:
        obj.setPropertyValue("TextWrap", enum("com.sun.star.text.WrapTextMode", wrap))
    if contour:
        obj.setPropertyValue("SurroundContour", True)
    if hori is not None:
        obj.setPropertyValue("HoriOrient", hori)
    if hori_rel is not None:
        obj.setPropertyValue("HoriOrientRelation", hori_rel)
    if hori_pos is not None:
        obj.setPropertyValue("HoriOrientPosition", hori_pos)
    if vert_pos is not None:
        obj.setPropertyValue("VertOrient", VERT_NONE)
        obj.setPropertyValue("VertOrientPosition", vert_pos)


def insert_picture(office, doc, par, path, width, height, anchor="AT_PARAGRAPH", wrap=None,
                   contour=False, hori=None, hori_rel=None, hori_pos=None, vert_pos=None,
                   name=None):
    """Insert > Image from a file, then Format > Image > Type / Wrap (sizes in 1/100 mm).
    anchor: AT_PARAGRAPH, AT_CHARACTER or AS_CHARACTER; wrap: a WrapTextMode name (NONE,
    THROUGH, PARALLEL, DYNAMIC, LEFT, RIGHT)."""
    provider = office.smgr.createInstanceWithContext("com.sun.star.graphic.GraphicProvider",
                                                     office.ctx)
    graphic = provider.queryGraphic((prop("URL", uno.systemPathToFileUrl(os.path.abspath(path))),))
    obj = doc.createInstance("com.sun.star.text.TextGraphicObject")
    obj.setPropertyValue("Graphic", graphic)
    obj.setPropertyValue("AnchorType", enum("com.sun.star.text.TextContentAnchorType", anchor))
    obj.setPropertyValue("Size", _size(width, height))
    doc.getText().insertTextContent(_anchor_cursor(doc, par), obj, False)
    if anchor != "AS_CHARACTER":
        _place(obj, wrap, contour, hori, hori_rel, hori_pos, vert_pos)
    if name:
        obj.setName(name)
    return obj


def _geometry_text_path():
    """The geometry of Fontwork's plain-text shape ("fontwork-plain-text"): the text is
    stretched over the shape (TextPath, mode SHAPE). Without this type LibreOffice stores the
    object as a rectangle with a text box, not as WordArt."""
    path = (prop("TextPath", True),
            prop("TextPathMode", enum("com.sun.star.drawing.EnhancedCustomShapeTextPathMode",
                                      "SHAPE")),
            prop("ScaleX", False))
    return (prop("Type", "fontwork-plain-text"),
            prop("TextPath", uno.Any("[]com.sun.star.beans.PropertyValue", path)))


def insert_fontwork(doc, par, text, width, height, wrap="PARALLEL", contour=False, hori=None,
                    hori_rel=None, hori_pos=None, vert_pos=None, font="宋体", size=28, fill=BLUE,
                    name=None):
    """A Fontwork object anchored to the paragraph (what Insert > Fontwork makes, re-coloured:
    solid fill, no outline, no shadow), with its own text, face, size (points) and wrap."""
    shape = doc.createInstance("com.sun.star.drawing.CustomShape")
    shape.setPropertyValue("Size", _size(width, height))
    shape.setPropertyValue("AnchorType",
                           enum("com.sun.star.text.TextContentAnchorType", "AT_PARAGRAPH"))
    doc.getText().insertTextContent(_anchor_cursor(doc, par), shape, False)
    uno.invoke(shape, "setPropertyValue",
               ("CustomShapeGeometry",
                uno.Any("[]com.sun.star.beans.PropertyValue", _geometry_text_path())))
    shape.setString(text)
    for p in ("CharFontName", "CharFontNameAsian"):
        shape.setPropertyValue(p, font)
    for p in ("CharHeight", "CharHeightAsian"):
        shape.setPropertyValue(p, float(size))
    shape.setPropertyValue("FillStyle", enum("com.sun.star.drawing.FillStyle", "SOLID"))
    shape.setPropertyValue("FillColor", fill)
    shape.setPropertyValue("LineStyle", enum("com.sun.star.drawing.LineStyle", "NONE"))
    shape.setPropertyValue("Opaque", True)    # in front of the text, as new drawing objects are
    _place(shape, wrap, contour, hori, hori_rel, hori_pos, vert_pos)
    if name:
        shape.setName(name)
    return shape


def drawn_objects(doc):
    """Objects on the document's draw page (floating and inline pictures, Fontwork)."""
    page = doc.getDrawPage()
    return [page.getByIndex(i) for i in range(page.getCount())]


# --- editing and the objects of an opened document -----------------------------------------

def finish_layout(doc):
    """Lets the layout and the word count finish before a save: the .doc's statistics (pages,
    words, characters in the Dop) are otherwise whatever the background layout had reached."""
    cursor = doc.getCurrentController().getViewCursor()
    cursor.jumpToLastPage()
    stats = {"PageCount": doc.getCurrentController().getPropertyValue("PageCount")}
    stats.update((name, doc.getPropertyValue(name))
                 for name in ("WordCount", "CharacterCount", "ParagraphCount"))
    cursor.jumpToFirstPage()
    return stats


def replace_all(doc, search, replacement, match_case=True):
    """Edit > Find & Replace, "Match case", Replace All; returns the number of replacements."""
    desc = doc.createReplaceDescriptor()
    desc.setSearchString(search)
    desc.setReplaceString(replacement)
    desc.setPropertyValue("SearchCaseSensitive", match_case)
    return doc.replaceAll(desc)


def join_paragraphs(doc):
    """Deletes every paragraph break of the main text (Delete at the end of each paragraph), so
    the text becomes one paragraph; objects anchored to the later paragraphs move with their text."""
    text = doc.getText()
    for _ in range(len(paragraphs(doc)) - 1):
        first = paragraphs(doc)[0]
        cursor = text.createTextCursorByRange(first.getEnd())
        cursor.goRight(1, True)
        cursor.setString("")
    return paragraphs(doc)


def insert_empty_paragraphs(doc, par, count):
    """Enter pressed `count` times at the end of the paragraph: new empty paragraphs that take
    over its paragraph and character attributes."""
    text = doc.getText()
    cursor = text.createTextCursorByRange(par.getEnd())
    for _ in range(count):
        text.insertControlCharacter(cursor, PARAGRAPH_BREAK, False)
    return paragraphs(doc)


def pictures(doc):
    """The Writer images of the document (floating and in line), in draw-page order."""
    return [o for o in drawn_objects(doc) if o.supportsService("com.sun.star.text.TextGraphicObject")]


def fontworks(doc):
    return [o for o in drawn_objects(doc) if o.supportsService("com.sun.star.drawing.CustomShape")]


def natural_size(office, path):
    """The size Insert > Image gives a picture: its own size in 1/100 mm, or its pixels at 96 dpi
    when the file states no resolution."""
    provider = office.smgr.createInstanceWithContext("com.sun.star.graphic.GraphicProvider",
                                                     office.ctx)
    graphic = provider.queryGraphic((prop("URL", uno.systemPathToFileUrl(os.path.abspath(path))),))
    size = graphic.getPropertyValue("Size100thMM")
    if size.Width and size.Height:
        return size.Width, size.Height
    pixels = graphic.getPropertyValue("SizePixel")
    return int(round(pixels.Width * 2540 / 96)), int(round(pixels.Height * 2540 / 96))


def paste_picture(doc, par, picture, width, height):
    """Edit > Copy of a picture, then Edit > Paste at the end of a paragraph: a new image with the
    same graphic, anchored to that paragraph (sizes in 1/100 mm)."""
    obj = doc.createInstance("com.sun.star.text.TextGraphicObject")
    obj.setPropertyValue("Graphic", picture.getPropertyValue("Graphic"))
    obj.setPropertyValue("AnchorType", enum("com.sun.star.text.TextContentAnchorType", "AT_PARAGRAPH"))
    obj.setPropertyValue("Size", _size(width, height))
    doc.getText().insertTextContent(_anchor_cursor(doc, par), obj, False)
    return obj


def wrap(obj, mode, contour=False):
    """Format > Wrap: a WrapTextMode name (PARALLEL is "Page Wrap", the square wrap), and Contour
    (LibreOffice's tight wrap: Word's "tight" when the .doc is written)."""
    obj.setPropertyValue("TextWrap", enum("com.sun.star.text.WrapTextMode", mode))
    obj.setPropertyValue("SurroundContour", contour)


def position(obj, hori, hori_rel=REL_FRAME):
    """Format > Position and Size > Position: Horizontal (right, centre, left) to the paragraph
    area."""
    obj.setPropertyValue("HoriOrient", hori)
    obj.setPropertyValue("HoriOrientRelation", hori_rel)


def anchor_as_character(obj):
    """Anchor > As Character: the picture becomes part of the line (Word's "In line with text")."""
    obj.setPropertyValue("AnchorType", enum("com.sun.star.text.TextContentAnchorType", "AS_CHARACTER"))


def gradient(style, start, end, angle=0, border=0, x_offset=50, y_offset=50):
    """A com.sun.star.awt.Gradient as the Area > Gradient page sets it (angle in 1/10 degree,
    centre offsets in per cent)."""
    g = uno.createUnoStruct("com.sun.star.awt.Gradient")
    g.Style = enum("com.sun.star.awt.GradientStyle", style)
    g.StartColor, g.EndColor = start, end
    g.Angle, g.Border, g.XOffset, g.YOffset = angle, border, x_offset, y_offset
    g.StartIntensity = g.EndIntensity = 100
    g.StepCount = 0
    return g


def fill_gradient(shape, grad):
    """Format > Area > Gradient."""
    shape.setPropertyValue("FillStyle", enum("com.sun.star.drawing.FillStyle", "GRADIENT"))
    shape.setPropertyValue("FillGradient", grad)


def outline(shape, color=None, width=0):
    """Format > Line: a solid line of the colour and width (1/100 mm), or none (color None)."""
    if color is None:
        shape.setPropertyValue("LineStyle", enum("com.sun.star.drawing.LineStyle", "NONE"))
        return
    shape.setPropertyValue("LineStyle", enum("com.sun.star.drawing.LineStyle", "SOLID"))
    shape.setPropertyValue("LineColor", color)
    shape.setPropertyValue("LineWidth", width)


def shadow(shape, color, dx, dy):
    """Format > Area > Shadow: "Use shadow", its colour and distance (1/100 mm)."""
    shape.setPropertyValue("Shadow", True)
    shape.setPropertyValue("ShadowColor", color)
    shape.setPropertyValue("ShadowXDistance", dx)
    shape.setPropertyValue("ShadowYDistance", dy)
