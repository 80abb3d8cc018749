// Builds BIFF8 record streams and small .xls files in memory for tests: records one by one, a
// workbook of one or more sheets with the sheet offsets patched in, the usual global records
// (fonts, cell formats, shared strings with formatting runs) and the compound file around it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "formats/cfb/cfb_builder.h"
#include "formats/xls/record_types.h"

namespace tarnwick::test {

using Buf = std::vector<std::uint8_t>;

inline void add16(Buf& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void add32(Buf& b, std::uint32_t v) {
    add16(b, static_cast<std::uint16_t>(v));
    add16(b, static_cast<std::uint16_t>(v >> 16));
}
inline void addText(Buf& b, const std::string& latin1) { b.insert(b.end(), latin1.begin(), latin1.end()); }
// UTF-16LE units of a UTF-8 text limited to the Basic Multilingual Plane (enough for tests).
inline std::vector<std::uint16_t> utf16(const std::string& utf8) {
    std::vector<std::uint16_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(c);
            i += 1;
        } else if ((c & 0xE0) == 0xC0) {
            out.push_back(static_cast<std::uint16_t>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F)));
            i += 2;
        } else {
            out.push_back(static_cast<std::uint16_t>(((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) |
                                                     (utf8[i + 2] & 0x3F)));
            i += 3;
        }
    }
    return out;
}

// A stream of records built one by one.
struct StreamBuilder {
    Buf bytes;
    std::size_t add(std::uint16_t type, const Buf& body) {
        const std::size_t at = bytes.size();
        add16(bytes, type);
        add16(bytes, static_cast<std::uint16_t>(body.size()));
        bytes.insert(bytes.end(), body.begin(), body.end());
        return at;
    }
    void bof(std::uint16_t kind, std::uint16_t version = 0x0600) {
        Buf b;
        add16(b, version);
        add16(b, kind);
        b.resize(16, 0);
        add(xls::rt::Bof, b);
    }
    void eof() { add(xls::rt::Eof, {}); }
};

inline Buf cellHeader(std::uint16_t row, std::uint16_t col, std::uint16_t xf) {
    Buf b;
    add16(b, row);
    add16(b, col);
    add16(b, xf);
    return b;
}

// A BOUNDSHEET body for a worksheet whose offset is patched in later.
inline Buf boundSheet(const std::string& name) {
    Buf bs;
    add32(bs, 0);
    bs.push_back(0);
    bs.push_back(0);
    bs.push_back(static_cast<std::uint8_t>(name.size()));
    bs.push_back(0);
    addText(bs, name);
    return bs;
}

inline void patch32(Buf& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

using RecordsFn = std::function<void(StreamBuilder&)>;

// Globals, then one sub-stream per sheet, each BOUNDSHEET pointing at its sheet's BOF.
inline Buf workbookStream(const RecordsFn& globals, const std::vector<std::pair<std::string, RecordsFn>>& sheets) {
    StreamBuilder s;
    s.bof(0x0005);
    globals(s);
    std::vector<std::size_t> entries;
    for (const auto& sheet : sheets) entries.push_back(s.add(xls::rt::BoundSheet, boundSheet(sheet.first)));
    s.eof();
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        patch32(s.bytes, entries[k] + 4, static_cast<std::uint32_t>(s.bytes.size()));
        s.bof(0x0010);
        sheets[k].second(s);
        s.eof();
    }
    return s.bytes;
}

// Globals with one sheet; `globals` adds records before the sheet list.
inline Buf workbookStream(const RecordsFn& globals, const RecordsFn& sheet, const std::string& sheetName = "Sheet1") {
    return workbookStream(globals, {{sheetName, sheet}});
}

// A FONT record; the name is stored as UTF-16.
inline Buf fontRecord(const std::string& name, std::uint16_t heightTwips, std::uint16_t weight = 400,
                      bool italic = false, std::uint16_t color = 0x7FFF) {
    Buf f;
    add16(f, heightTwips);
    add16(f, italic ? 0x0002 : 0);
    add16(f, color);
    add16(f, weight);
    add16(f, 0);  // script
    f.push_back(0);  // underline
    f.push_back(0);  // family
    f.push_back(0);  // charset
    f.push_back(0);
    const auto units = utf16(name);
    f.push_back(static_cast<std::uint8_t>(units.size()));
    f.push_back(1);
    for (std::uint16_t u : units) add16(f, u);
    return f;
}

// An XF record using `font` with everything else at its default (bottom aligned, no borders
// unless `lines` gives the left, right, top and bottom line kinds in its four low nibbles).
inline Buf xfRecord(std::uint16_t font, bool style = false, std::uint32_t lines = 0) {
    Buf x;
    add16(x, font);
    add16(x, 0);                      // General
    add16(x, style ? 0xFFF5 : 0x0001);  // style XF / cell XF with parent 0, locked
    x.push_back(0x20);                // bottom aligned
    x.push_back(0);
    x.push_back(0);
    x.push_back(0);
    add32(x, lines & 0xFFFF);
    add32(x, 0);
    add16(x, 0x20C0);  // automatic fill colours
    return x;
}

// Five FONT records of `defaultFont` (index 4 does not exist, so these are fonts 0-3 and 5), then
// `more` as fonts 6, 7, ...; then XF 0-14 as style XFs and XF 15 as the default cell format, all
// on font 0, then `cellXfFonts` as XF 16, 17, ... on the given fonts.
struct FontSpec {
    std::string name;
    std::uint16_t heightTwips = 200;
    std::uint16_t weight = 400;
    bool italic = false;
};
inline void standardGlobals(StreamBuilder& s, const FontSpec& defaultFont, const std::vector<FontSpec>& more = {},
                            const std::vector<std::uint16_t>& cellXfFonts = {}) {
    for (int i = 0; i < 5; ++i)
        s.add(xls::rt::Font, fontRecord(defaultFont.name, defaultFont.heightTwips, defaultFont.weight, defaultFont.italic));
    for (const FontSpec& f : more) s.add(xls::rt::Font, fontRecord(f.name, f.heightTwips, f.weight, f.italic));
    for (int i = 0; i < 15; ++i) s.add(xls::rt::Xf, xfRecord(0, true));
    s.add(xls::rt::Xf, xfRecord(0));
    for (std::uint16_t font : cellXfFonts) s.add(xls::rt::Xf, xfRecord(font));
}

struct RichString {
    std::string text;  // stored as UTF-16
    std::vector<std::pair<std::uint16_t, std::uint16_t>> runs;  // (character, font)
};

// An SST record (no CONTINUE: keep it under 8224 bytes).
inline Buf sstRecord(const std::vector<RichString>& strings) {
    Buf sst;
    add32(sst, static_cast<std::uint32_t>(strings.size()));
    add32(sst, static_cast<std::uint32_t>(strings.size()));
    for (const RichString& s : strings) {
        const auto units = utf16(s.text);
        add16(sst, static_cast<std::uint16_t>(units.size()));
        sst.push_back(s.runs.empty() ? 0x01 : 0x09);
        if (!s.runs.empty()) add16(sst, static_cast<std::uint16_t>(s.runs.size()));
        for (std::uint16_t u : units) add16(sst, u);
        for (const auto& [ich, font] : s.runs) {
            add16(sst, ich);
            add16(sst, font);
        }
    }
    return sst;
}

inline Buf labelSst(std::uint16_t row, std::uint16_t col, std::uint16_t xf, std::uint32_t isst) {
    Buf b = cellHeader(row, col, xf);
    add32(b, isst);
    return b;
}

// A compound file holding `stream` as its "Workbook" stream.
inline Buf xlsFile(Buf stream) {
    if (stream.size() < 4096) stream.resize(4096, 0);
    CfbBuilder b;
    b.add("Workbook", std::move(stream));
    return b.build();
}

}  // namespace tarnwick::test
