#include "formats/xls/globals_reader.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "formats/xls/errors.h"
#include "formats/xls/record_types.h"
#include "formats/xls/unicode_string.h"

namespace tarnwick::xls {
namespace {

// What a real workbook holds at most; records past these counts are not read.
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxXfs = 65536;
constexpr std::size_t kMaxSupBooks = 65536;
constexpr std::size_t kMaxNames = 65536;

// SupBook cch values that stand for a link type instead of a path length.
constexpr std::uint16_t kSelfReference = 0x0401;
constexpr std::uint16_t kAddInReference = 0x3A01;

// [MS-XLS] 2.4.122 Font
Result<Font> parseFont(Bytes body) {
    ByteReader r(body);
    Font f;
    std::uint16_t grbit = 0;
    if (!r.u16(f.height) || !r.u16(grbit) || !r.u16(f.color) || !r.u16(f.weight) || !r.u16(f.script) ||
        !r.u8(f.underline) || !r.skip(3) || !readShortString(r, f.name))  // skip: family, charset, unused
        return damaged("字体记录太短");
    f.italic = (grbit & 0x02) != 0;
    f.strikeOut = (grbit & 0x08) != 0;
    return f;
}

struct NumberFormat {
    std::uint16_t id = 0;
    std::string code;
};

// [MS-XLS] 2.4.126 Format. Short: std::nullopt, and the record is skipped (see the policy).
std::optional<NumberFormat> parseFormat(Bytes body) {
    ByteReader r(body);
    NumberFormat f;
    if (!r.u16(f.id) || !readLongString(r, f.code)) return std::nullopt;
    return f;
}

// [MS-XLS] 2.4.353 XF (cell and style XFs alike: the reader takes the fields they share)
Result<Xf> parseXf(Bytes body) {
    ByteReader r(body);
    Xf x;
    std::uint16_t flags = 0, fill = 0;
    std::uint8_t alc = 0, rotation = 0, indent = 0;
    std::uint32_t borders = 0, colours = 0;
    if (!r.u16(x.font) || !r.u16(x.format) || !r.u16(flags) || !r.u8(alc) || !r.u8(rotation) || !r.u8(indent) ||
        !r.skip(1) || !r.u32(borders) || !r.u32(colours) || !r.u16(fill))
        return damaged("单元格格式记录太短");
    x.isStyle = (flags & 0x0004) != 0;
    x.parent = static_cast<std::uint16_t>(flags >> 4);
    x.hAlign = alc & 0x07;
    x.wrap = (alc & 0x08) != 0;
    x.vAlign = static_cast<std::uint8_t>((alc >> 4) & 0x07);
    x.rotation = rotation;
    x.indent = indent & 0x0F;
    x.borderLeft = borders & 0x0F;
    x.borderRight = (borders >> 4) & 0x0F;
    x.borderTop = (borders >> 8) & 0x0F;
    x.borderBottom = (borders >> 12) & 0x0F;
    x.colorLeft = (borders >> 16) & 0x7F;
    x.colorRight = (borders >> 23) & 0x7F;
    x.diagonals = static_cast<std::uint8_t>((borders >> 30) & 0x03);
    x.colorTop = colours & 0x7F;
    x.colorBottom = (colours >> 7) & 0x7F;
    x.colorDiagonal = (colours >> 14) & 0x7F;
    x.borderDiagonal = (colours >> 21) & 0x0F;
    x.fillPattern = static_cast<std::uint8_t>((colours >> 26) & 0x3F);
    x.fillFore = fill & 0x7F;
    x.fillBack = (fill >> 7) & 0x7F;
    return x;
}

// [MS-XLS] 2.4.188 Palette: ccv LongRGB colours, of which the first 56 are read (0xRRGGBB).
Result<std::vector<std::uint32_t>> parsePalette(Bytes body, std::size_t maxColours) {
    ByteReader r(body);
    std::uint16_t ccv = 0;
    if (!r.u16(ccv)) return damaged("调色板记录太短");
    std::vector<std::uint32_t> colours(std::min<std::size_t>(ccv, maxColours));
    for (std::uint32_t& c : colours) {
        std::uint8_t red = 0, green = 0, blue = 0;
        if (!r.u8(red) || !r.u8(green) || !r.u8(blue) || !r.skip(1)) return damaged("调色板记录太短");
        c = (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
    }
    return colours;
}

// [MS-XLS] 2.4.77 Date1904
Result<bool> parseDate1904(Bytes body) {
    ByteReader r(body);
    std::uint16_t v = 0;
    if (!r.u16(v)) return damaged("日期系统记录太短");
    return v == 1;
}

// [MS-XLS] 2.4.52 CodePage
Result<std::uint16_t> parseCodePage(Bytes body) {
    ByteReader r(body);
    std::uint16_t cv = 0;
    if (!r.u16(cv)) return damaged("代码页记录太短");
    return cv;
}

// [MS-XLS] 2.4.345 Window1: itabCur, the sheet the window shows. A record too short to hold it
// says nothing (the first sheet is shown), as Excel opens such a file.
std::optional<std::uint16_t> parseWindow1(Bytes body) {
    ByteReader r(body);
    std::uint16_t itabCur = 0;
    if (!r.skip(10) || !r.u16(itabCur)) return std::nullopt;
    return itabCur;
}

struct SheetEntry {
    std::uint32_t offset = 0;  // of the sheet's BOF in the stream
    Sheet sheet;
};

// [MS-XLS] 2.4.28 BoundSheet8
Result<SheetEntry> parseBoundSheet(Bytes body) {
    ByteReader r(body);
    SheetEntry e;
    std::uint8_t state = 0, type = 0;
    if (!r.u32(e.offset) || !r.u8(state) || !r.u8(type) || !readShortString(r, e.sheet.name))
        return damaged("工作表列表记录太短");
    e.sheet.visibility = state & 0x03;
    e.sheet.type = static_cast<SheetType>(type);
    return e;
}

// [MS-XLS] 2.4.265 SST: the counts, then XLUnicodeRichExtendedStrings, read across the CONTINUE
// seams. Fewer strings than announced keep those read (other programs miscount).
Result<bool> readSst(const Record& rec, Workbook& book) {
    ContinuedReader cr(rec.segments());
    std::uint32_t total = 0, unique = 0;
    if (!cr.u32(total) || !cr.u32(unique)) return damaged("共享字符串表太短");
    // Every string takes at least three bytes: never reserve more than that allows.
    book.sharedStrings.reserve(std::min<std::size_t>(unique, (rec.data.size() + rec.continuedBytes) / 3));
    book.sharedStringRuns.reserve(book.sharedStrings.capacity());
    for (std::uint32_t k = 0; k < unique; ++k) {
        std::string s;
        std::vector<FormatRun> runs;
        if (!cr.unicodeString(s, &runs)) break;
        book.sharedStrings.push_back(std::move(s));
        book.sharedStringRuns.push_back(book.addRunList(std::move(runs)));
    }
    return true;
}

// The path of an external workbook as Windows spells it ([MS-XLS] 2.5.277 VirtualPath): encoded
// paths start with 0x01; then 0x01 X is volume X: (0x01 @ a UNC path), 0x02 the root of the
// workbook's own volume, 0x03 a separator, 0x04 the folder above, 0x05 n a web address of n
// characters, 0x06-0x08 the startup and library folders (not known here, so left out).
std::string decodeVirtualPath(const std::string& path) {
    if (path.empty() || path[0] != '\x01') return path;  // a plain file name or path
    std::string out;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const char c = path[i];
        switch (c) {
            case '\x01':
                if (i + 1 < path.size()) {
                    const char volume = path[++i];
                    out += volume == '@' ? std::string("\\\\") : std::string(1, volume) + ":\\";
                }
                break;
            case '\x02': out += '\\'; break;
            case '\x03': out += '\\'; break;
            case '\x04': out += "..\\"; break;
            case '\x05': ++i; break;  // the count before a web address: the address follows as it is
            case '\x06':
            case '\x07':
            case '\x08': break;
            default: out += c;
        }
    }
    return out;
}

// [MS-XLS] 2.4.271 SupBook: ctab and cch; cch 0x0401 is this workbook and 0x3A01 the add-in
// functions, otherwise cch counts the VirtualPath that follows, then up to ctab sheet names
// (a link that is no longer used keeps its ctab without names).
Result<SupBook> parseSupBook(const Record& rec) {
    ByteReader head(rec.data);
    std::uint16_t ctab = 0, cch = 0;
    if (!head.u16(ctab) || !head.u16(cch)) return damaged("外部引用记录太短");
    SupBook b;
    if (cch == kSelfReference) {
        b.self = true;
        return b;
    }
    if (cch == kAddInReference) {
        b.addIn = true;
        return b;
    }
    ContinuedReader r(rec.segments());
    std::string path;
    if (!r.skip(2) || !r.unicodeString(path)) return damaged("外部引用记录太短");
    b.path = decodeVirtualPath(path);
    for (std::uint16_t k = 0; k < ctab && !r.atEnd(); ++k) {
        std::string name;
        if (!r.unicodeString(name)) return damaged("外部引用记录太短");
        b.sheetNames.push_back(std::move(name));
    }
    return b;
}

// [MS-XLS] 2.4.106 ExternSheet: cXTI XTIs (2.5.344), read across CONTINUE seams.
Result<std::vector<ExternSheet>> parseExternSheet(const Record& rec) {
    ContinuedReader r(rec.segments());
    std::uint16_t count = 0;
    if (!r.u16(count)) return damaged("外部工作表引用记录太短");
    std::vector<ExternSheet> out;
    out.reserve(std::min<std::size_t>(count, (rec.data.size() + rec.continuedBytes) / 6));
    for (std::uint16_t k = 0; k < count; ++k) {
        ExternSheet x;
        std::uint16_t first = 0, last = 0;
        if (!r.u16(x.supBook) || !r.u16(first) || !r.u16(last)) return damaged("外部工作表引用记录太短");
        x.firstSheet = static_cast<std::int16_t>(first);
        x.lastSheet = static_cast<std::int16_t>(last);
        out.push_back(x);
    }
    return out;
}

std::string builtInName(std::uint8_t code) {
    static const char* const names[] = {"Consolidate_Area", "Auto_Open", "Auto_Close", "Extract", "Database",
                                        "Criteria", "Print_Area", "Print_Titles", "Recorder", "Data_Form",
                                        "Auto_Activate", "Auto_Deactivate", "Sheet_Title", "_FilterDatabase"};
    return code < std::size(names) ? names[code] : "Name" + std::to_string(code);
}

// [MS-XLS] 2.4.150 Lbl: the flags, the name's length and sheet, then the name (a built-in name
// is one character, its code). The formula after the name is not read.
Result<DefinedName> parseName(Bytes body) {
    ByteReader r(body);
    DefinedName n;
    std::uint16_t grbit = 0;
    std::uint8_t cch = 0;
    std::string text;
    if (!r.u16(grbit) || !r.skip(1) || !r.u8(cch) || !r.skip(4) || !r.u16(n.sheet) || !r.skip(4) ||
        !readStringNoCount(r, cch, text))  // skips: chKey; cce, reserved; reserved
        return damaged("名称记录太短");
    n.builtIn = (grbit & 0x0020) != 0;
    n.name = n.builtIn ? builtInName(text.empty() ? 0xFF : static_cast<std::uint8_t>(text[0])) : std::move(text);
    return n;
}

}  // namespace

Result<bool> readGlobals(std::span<const Record> records, std::size_t end, const ReadLimits& limits,
                         Workbook& book, std::vector<std::uint32_t>& sheetOffsets) {
    bool sawWindow = false;
    for (std::size_t i = 1; i <= end && i < records.size(); ++i) {
        const Record& rec = records[i];
        const Bytes d = rec.data;
        switch (rec.type) {
            case rt::FilePass: return encrypted();
            case rt::Font: {
                if (book.fonts.size() >= kMaxFonts) break;
                auto f = parseFont(d);
                if (!f) return f.error();
                book.fonts.push_back(std::move(*f));
                break;
            }
            case rt::Format:
                if (auto f = parseFormat(d)) book.formats[f->id] = std::move(f->code);
                break;
            case rt::Xf: {
                if (book.xfs.size() >= kMaxXfs) break;
                auto x = parseXf(d);
                if (!x) return x.error();
                book.xfs.push_back(*x);
                break;
            }
            case rt::Palette: {
                auto colours = parsePalette(d, book.palette.size());
                if (!colours) return colours.error();
                std::copy(colours->begin(), colours->end(), book.palette.begin());
                break;
            }
            case rt::Window1:
                // Only the first window counts: it is the one a file opens in.
                if (!sawWindow) {
                    if (auto tab = parseWindow1(d)) book.activeSheet = *tab;
                }
                sawWindow = true;
                break;
            case rt::DateMode: {
                auto v = parseDate1904(d);
                if (!v) return v.error();
                book.date1904 = *v;
                break;
            }
            case rt::CodePage: {
                auto v = parseCodePage(d);
                if (!v) return v.error();
                book.codePage = *v;
                break;
            }
            case rt::BoundSheet: {
                auto e = parseBoundSheet(d);
                if (!e) return e.error();
                if (book.sheets.size() >= limits.maxSheets)
                    return damaged("工作表超过 " + std::to_string(limits.maxSheets) + " 个");
                sheetOffsets.push_back(e->offset);
                book.sheets.push_back(std::move(e->sheet));
                break;
            }
            case rt::Sst: {
                auto ok = readSst(rec, book);
                if (!ok) return ok;
                break;
            }
            case rt::SupBook: {
                if (book.supBooks.size() >= kMaxSupBooks) break;
                auto b = parseSupBook(rec);
                if (!b) return b.error();
                book.supBooks.push_back(std::move(*b));
                break;
            }
            case rt::ExternSheet: {
                auto x = parseExternSheet(rec);
                if (!x) return x.error();
                book.externSheets.insert(book.externSheets.end(), x->begin(), x->end());
                break;
            }
            case rt::Name: {
                if (book.names.size() >= kMaxNames) break;
                auto n = parseName(d);
                if (!n) return n.error();
                book.names.push_back(std::move(*n));
                break;
            }
            default: break;
        }
    }
    return true;
}

}  // namespace tarnwick::xls
