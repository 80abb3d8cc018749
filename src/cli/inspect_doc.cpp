// tarnwick-cli inspect for .doc: what the document reader and the word:: model see, through the
// same reads the rubrics make.
#include <cstdio>
#include <cstdlib>

#include "cli/commands.h"
#include "base/number_text.h"
#include "base/json_text.h"
#include "base/path_text.h"
#include "model/word/document.h"

namespace tarnwick::cli {
namespace {

using word::Variant;

// A Single as Word shows it: the fewest digits that give the same single-precision value.
std::string singleText(double v) { return shortNumberText(v); }

std::string text(const Variant& v) {
    if (v.isNumber()) return singleText(v.asNumber());
    if (v.isText()) return "“" + v.asText() + "”";
    return v.describe();
}

std::string json(const Variant& v) {
    if (v.isNumber()) return singleText(v.asNumber());
    if (v.isText()) return jsonString(v.asText());
    if (v.isFailed()) return "{\"failed\": " + jsonString(v.failure()) + "}";
    return "null";
}

// Paragraph text for people: the marks and special characters spelt out.
std::string visible(const Variant& v) {
    if (!v.isText()) return v.describe();
    std::string out;
    for (char c : v.asText()) {
        switch (c) {
            case '\r': out += "¶"; break;
            case '\x07': out += "¤"; break;
            case '\x01': out += "[图片]"; break;
            case '\x08': out += "[浮动对象]"; break;
            case '\x13': out += "{"; break;
            case '\x14': out += "|"; break;
            case '\x15': out += "}"; break;
            case '\x0C': out += "[分页]"; break;
            case '\x0B': out += "↵"; break;
            default: out += c;
        }
    }
    return out;
}

struct ParagraphReport {
    Variant text, name, size, bold, italic, underline, color, alignment, lineSpacing, firstLine, left, before, after;
};

ParagraphReport paragraphReport(const word::Range& r) {
    const word::Font f = r.Font();
    const word::ParagraphFormat p = r.ParagraphFormat();
    return {r.Text(),       f.Name(),         f.Size(),
            f.Bold(),       f.Italic(),       f.Underline(),
            f.Color(),      p.Alignment(),    p.LineSpacing(),
            p.CharacterUnitFirstLineIndent(), p.CharacterUnitLeftIndent(), p.LineUnitBefore(), p.LineUnitAfter()};
}

Variant headerText(const word::Document& d) {
    word::Pane pane = d.ActivePane();
    pane.SetViewType(word::wd::PrintView);
    pane.SetSeekView(word::wd::SeekCurrentPageHeader);
    pane.SetSelectionStart(0);
    pane.SetSelectionEnd(2);
    return pane.SelectionText();
}

std::string savedByText(const word::SavedBy& s) {
    char product[8];
    std::snprintf(product, sizeof product, "0x%04X", s.product);
    std::string out = s.libreOffice ? "LibreOffice/OpenOffice" : "Word 或其他程序";
    out += "（nProduct ";
    out += product;
    if (!s.application.empty()) out += "，应用程序名 " + s.application;
    return out + "）";
}

struct ShapeReport {
    Variant type, left, wrap, text, preset;
    std::uint16_t shapeType = 0;
    std::string fill, line, shadow, threeD, alignment;
};

std::string hex6(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", v & 0xFFFFFF);
    return buf;
}

// A colour as #RRGGBB ([MS-ODRAW] stores red in the low byte), or its index when it is one.
std::string colourText(const tarnwick::odraw::Color& c) {
    if (c.isRgb()) return hex6(c.rgb());
    char buf[24];
    std::snprintf(buf, sizeof buf, "索引 0x%08X", c.raw);
    return buf;
}

ShapeReport shapeReport(const word::Shape& s) {
    ShapeReport r;
    r.type = s.Type();
    r.left = s.Left();
    r.wrap = s.WrapFormat().Type();
    r.text = s.TextEffect().Text();
    r.preset = s.TextEffect().PresetTextEffect();
    const auto& sh = s.drawing();
    r.shapeType = sh.shapeType;
    const auto fill = sh.fill();
    r.fill = fill.filled ? "类型 " + std::to_string(fill.type) + " " + colourText(fill.color) +
                               (fill.isGradient() ? " → " + colourText(fill.backColor) : "")
                         : "无";
    const auto line = sh.line();
    r.line = line.on ? colourText(line.color) + " " + std::to_string(line.width) + " EMU" : "无";
    const auto shadow = sh.shadow();
    r.shadow = shadow.on ? "类型 " + std::to_string(shadow.type) + " " + colourText(shadow.color) : "无";
    r.threeD = sh.threeD().on ? "有" : "无";
    const auto posh = sh.posh();
    r.alignment = posh ? "posh " + std::to_string(*posh) : "无（按位置）";
    return r;
}

void writeText(const word::Document& d, const std::string& file, std::ostream& out) {
    out << "文档：" << file << "\n保存者：" << savedByText(d.savedBy()) << "\n";
    const word::PageSetup ps = d.PageSetup();
    out << "页面：宽 " << text(ps.PageWidth()) << " 高 " << text(ps.PageHeight()) << " 磅，方向 "
        << text(ps.Orientation()) << "（0 纵向，1 横向）；边距 上 " << text(ps.TopMargin()) << " 下 "
        << text(ps.BottomMargin()) << " 左 " << text(ps.LeftMargin()) << " 右 " << text(ps.RightMargin()) << "\n";
    out << "节数：" << d.Sections().Count() << "\n";
    out << "第 1 页的页眉（前两个字符）：" << visible(headerText(d)) << "\n";
    out << "第 1 节主页脚的页码对齐：" << text(d.Sections()(1).Footers()(word::wd::HeaderFooterPrimary).PageNumbers()(1).Alignment())
        << "（0 左，1 居中，2 右，3 内侧，4 外侧）\n";
    const word::Shapes shapes = d.Shapes();
    out << "浮动图形（Shapes）：" << shapes.Count() << " 个" << (shapes.failure().empty() ? "" : "，" + shapes.failure())
        << "；嵌入型图片（InlineShapes）：" << d.InlineShapesCount() << " 个\n";
    for (std::int32_t k = 1; k <= shapes.Count(); ++k) {
        const ShapeReport r = shapeReport(shapes(k));
        out << "  图形 " << k << "：类型=" << text(r.type) << "（形状 " << r.shapeType << "） 左=" << text(r.left)
            << " 环绕=" << text(r.wrap) << " 艺术字文字=" << text(r.text) << " 艺术字样式=" << text(r.preset)
            << "\n    填充=" << r.fill << " 线条=" << r.line << " 阴影=" << r.shadow << " 三维=" << r.threeD
            << " 水平对齐=" << r.alignment << "\n";
    }
    const word::Paragraphs ps2 = d.Paragraphs();
    out << "段落数：" << ps2.Count() << "\n";
    for (std::int32_t i = 1; i <= ps2.Count(); ++i) {
        const ParagraphReport r = paragraphReport(ps2(i).Range());
        out << "\n段落 " << i << "：" << visible(r.text) << "\n  字体=" << text(r.name) << " 字号=" << text(r.size)
            << " 加粗=" << text(r.bold) << " 倾斜=" << text(r.italic) << " 下划线=" << text(r.underline)
            << " 颜色=" << text(r.color) << "\n  对齐=" << text(r.alignment) << " 行距=" << text(r.lineSpacing)
            << " 首行缩进(字符)=" << text(r.firstLine) << " 左缩进(字符)=" << text(r.left)
            << " 段前(行)=" << text(r.before) << " 段后(行)=" << text(r.after) << "\n";
    }
}

void writeJson(const word::Document& d, const std::string& file, std::ostream& out) {
    const word::SavedBy by = d.savedBy();
    out << "{\"file\": " << jsonString(file) << ", \"savedBy\": {\"product\": " << by.product
        << ", \"application\": " << jsonString(by.application) << ", \"libreOffice\": " << (by.libreOffice ? "true" : "false")
        << "}, \"paragraphs\": [";
    const word::Paragraphs ps = d.Paragraphs();
    for (std::int32_t i = 1; i <= ps.Count(); ++i) {
        const ParagraphReport r = paragraphReport(ps(i).Range());
        out << (i > 1 ? ",\n  " : "\n  ") << "{\"text\": " << json(r.text) << ", \"font\": {\"name\": " << json(r.name)
            << ", \"size\": " << json(r.size) << ", \"bold\": " << json(r.bold) << ", \"italic\": " << json(r.italic)
            << ", \"underline\": " << json(r.underline) << ", \"color\": " << json(r.color)
            << "}, \"alignment\": " << json(r.alignment) << ", \"lineSpacing\": " << json(r.lineSpacing)
            << ", \"characterUnitFirstLineIndent\": " << json(r.firstLine) << ", \"characterUnitLeftIndent\": "
            << json(r.left) << ", \"lineUnitBefore\": " << json(r.before) << ", \"lineUnitAfter\": " << json(r.after) << "}";
    }
    const word::PageSetup p = d.PageSetup();
    out << "],\n \"pageSetup\": {\"pageWidth\": " << json(p.PageWidth()) << ", \"pageHeight\": " << json(p.PageHeight())
        << ", \"topMargin\": " << json(p.TopMargin()) << ", \"bottomMargin\": " << json(p.BottomMargin())
        << ", \"leftMargin\": " << json(p.LeftMargin()) << ", \"rightMargin\": " << json(p.RightMargin())
        << ", \"orientation\": " << json(p.Orientation()) << "},\n \"sections\": " << d.Sections().Count()
        << ", \"header\": " << json(headerText(d)) << ", \"pageNumberAlignment\": "
        << json(d.Sections()(1).Footers()(word::wd::HeaderFooterPrimary).PageNumbers()(1).Alignment())
        << ",\n \"shapes\": [";
    const word::Shapes shapes = d.Shapes();
    for (std::int32_t k = 1; k <= shapes.Count(); ++k) {
        const ShapeReport r = shapeReport(shapes(k));
        out << (k > 1 ? ",\n  " : "\n  ") << "{\"type\": " << json(r.type) << ", \"left\": " << json(r.left)
            << ", \"wrap\": " << json(r.wrap) << ", \"text\": " << json(r.text) << ", \"presetTextEffect\": "
            << json(r.preset) << ", \"shapeType\": " << r.shapeType << ", \"fill\": " << jsonString(r.fill)
            << ", \"line\": " << jsonString(r.line) << ", \"shadow\": " << jsonString(r.shadow)
            << ", \"threeD\": " << jsonString(r.threeD) << ", \"alignment\": " << jsonString(r.alignment) << "}";
    }
    out << "], \"shapesFailure\": " << jsonString(shapes.failure()) << ", \"inlineShapes\": " << d.InlineShapesCount()
        << "}\n";
}

}  // namespace

int runInspectDocument(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
    auto d = word::Document::open(pathFromUtf8(file));
    if (!d) {
        if (json) out << "{\"file\": " << jsonString(file) << ", \"error\": " << jsonString(d.error().message) << "}\n";
        err << file << "：" << d.error().message << "\n";
        return kExitCannotMark;
    }
    if (json)
        writeJson(*d, file, out);
    else
        writeText(*d, file, out);
    return kExitOk;
}

}  // namespace tarnwick::cli
