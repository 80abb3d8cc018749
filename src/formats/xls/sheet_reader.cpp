#include "formats/xls/sheet_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/xls/chart.h"
#include "formats/xls/errors.h"
#include "formats/xls/record_types.h"
#include "formats/xls/unicode_string.h"

namespace tarnwick::xls {
namespace {

// --- One parse function per record. std::nullopt: the record is too short for its fields. ---

// The row, column and XF index every cell record starts with ([MS-XLS] Cell).
struct CellHeader {
    std::uint16_t row = 0, col = 0, xf = 0;
};
bool readCellHeader(ByteReader& r, CellHeader& c) { return r.u16(c.row) && r.u16(c.col) && r.u16(c.xf); }

struct NumberCell {
    CellHeader cell;
    double value = 0;
};
// [MS-XLS] 2.4.180 Number
std::optional<NumberCell> parseNumber(Bytes body) {
    ByteReader r(body);
    NumberCell n;
    if (!readCellHeader(r, n.cell) || !r.f64(n.value)) return std::nullopt;
    return n;
}

// An RkNumber: a 30-bit integer or the high 30 bits of a double, optionally divided by 100.
double decodeRk(std::uint32_t rk) {
    double v;
    if (rk & 0x02) {
        v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = std::uint64_t{rk & 0xFFFFFFFCu} << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    if (rk & 0x01) v /= 100;
    return v;
}

struct RkCell {
    CellHeader cell;
    std::uint32_t rk = 0;
};
// [MS-XLS] 2.4.220 RK
std::optional<RkCell> parseRk(Bytes body) {
    ByteReader r(body);
    RkCell c;
    if (!readCellHeader(r, c.cell) || !r.u32(c.rk)) return std::nullopt;
    return c;
}

// A row of cells from MULRK or MULBLANK: the record's length gives the count (whole items only),
// colLast at the end is not needed.
struct CellRun {
    std::uint16_t row = 0, firstCol = 0;
    Bytes items;  // whole items of `itemSize` bytes
};
std::optional<CellRun> parseCellRun(Bytes body, std::size_t itemSize) {
    ByteReader r(body);
    CellRun run;
    if (!r.u16(run.row) || !r.u16(run.firstCol) || r.remaining() < 2) return std::nullopt;
    r.bytes((r.remaining() - 2) / itemSize * itemSize, run.items);
    return run;
}
// [MS-XLS] 2.4.175 MulRk: RkRecs (ixfe, RkNumber) of 6 bytes.
std::optional<CellRun> parseMulRk(Bytes body) { return parseCellRun(body, 6); }
// [MS-XLS] 2.4.174 MulBlank: ixfes of 2 bytes.
std::optional<CellRun> parseMulBlank(Bytes body) { return parseCellRun(body, 2); }

struct SharedStringCell {
    CellHeader cell;
    std::uint32_t index = 0;
};
// [MS-XLS] 2.4.149 LabelSst
std::optional<SharedStringCell> parseLabelSst(Bytes body) {
    ByteReader r(body);
    SharedStringCell c;
    if (!readCellHeader(r, c.cell) || !r.u32(c.index)) return std::nullopt;
    return c;
}

struct TextCell {
    CellHeader cell;
    std::string text;
    std::vector<FormatRun> runs;
};
// [MS-XLS] 2.4.148 Label: the cell, then an XLUnicodeString (its own runs kept when it has any).
std::optional<TextCell> parseLabel(Bytes body) {
    ByteReader r(body);
    TextCell c;
    if (!readCellHeader(r, c.cell) || !readLongString(r, c.text, &c.runs)) return std::nullopt;
    return c;
}

// RSTRING (0x00D6, older Excel's rich-text cell, not in [MS-XLS]): a LABEL whose string is
// followed by a count of formatting runs and the runs.
std::optional<TextCell> parseRString(Bytes body) {
    ByteReader r(body);
    TextCell c;
    std::uint16_t count = 0;
    if (!readCellHeader(r, c.cell) || !readLongString(r, c.text) || !r.u16(count)) return std::nullopt;
    for (std::uint16_t k = 0; k < count; ++k) {
        FormatRun run;
        if (!r.u16(run.position) || !r.u16(run.font)) return std::nullopt;
        if (c.runs.size() < kMaxRunsPerString) c.runs.push_back(run);
    }
    return c;
}

struct BoolErrCell {
    CellHeader cell;
    std::uint8_t value = 0;
    bool isError = false;
};
// [MS-XLS] 2.4.24 BoolErr
std::optional<BoolErrCell> parseBoolErr(Bytes body) {
    ByteReader r(body);
    BoolErrCell c;
    std::uint8_t fError = 0;
    if (!readCellHeader(r, c.cell) || !r.u8(c.value) || !r.u8(fError)) return std::nullopt;
    c.isError = fError != 0;
    return c;
}

// [MS-XLS] 2.4.20 Blank
std::optional<CellHeader> parseBlank(Bytes body) {
    ByteReader r(body);
    CellHeader c;
    if (!readCellHeader(r, c)) return std::nullopt;
    return c;
}

struct FormulaCell {
    CellHeader cell;
    std::uint64_t value = 0;  // FormulaValue: a double, or a type byte and a value when the top 16 bits are 0xFFFF
    Bytes rgce, extra;
};
// [MS-XLS] 2.4.127 Formula: the cell, FormulaValue, flags, chn, then the CellParsedFormula (cce,
// rgce) and the extra data to the end of the record.
std::optional<FormulaCell> parseFormula(Bytes body) {
    ByteReader r(body);
    FormulaCell f;
    std::uint16_t cce = 0;
    if (!readCellHeader(r, f.cell) || !r.u64(f.value) || !r.skip(6) || !r.u16(cce) || !r.bytes(cce, f.rgce))
        return std::nullopt;  // skip: flags, chn
    r.bytes(r.remaining(), f.extra);
    return f;
}

struct SharedTokens {
    std::uint16_t firstRow = 0, lastRow = 0, firstCol = 0, lastCol = 0;
    std::vector<std::uint8_t> rgce, extra;
    bool array = false;
};
// [MS-XLS] 2.4.260 ShrFmla and 2.4.4 Array: the block of cells (RefU: rows as 16 bits, columns as
// 8), fields of their own (2 bytes in SHRFMLA, 6 in ARRAY), then the formula (cce, rgce) and the
// extra data to the end of the record.
std::optional<SharedTokens> parseSharedFormula(Bytes body, bool array) {
    ByteReader r(body);
    SharedTokens s;
    std::uint8_t firstCol = 0, lastCol = 0;
    std::uint16_t cce = 0;
    Bytes rgce, extra;
    if (!r.u16(s.firstRow) || !r.u16(s.lastRow) || !r.u8(firstCol) || !r.u8(lastCol) || !r.skip(array ? 6 : 2) ||
        !r.u16(cce) || !r.bytes(cce, rgce))
        return std::nullopt;
    r.bytes(r.remaining(), extra);
    s.firstCol = firstCol;
    s.lastCol = lastCol;
    s.rgce.assign(rgce.begin(), rgce.end());
    s.extra.assign(extra.begin(), extra.end());
    s.array = array;
    return s;
}

// [MS-XLS] 2.4.221 Row
std::optional<RowInfo> parseRow(Bytes body) {
    ByteReader r(body);
    RowInfo ri;
    std::uint16_t height = 0, flags = 0, xf = 0;
    if (!r.u16(ri.row) || !r.skip(4) || !r.u16(height) || !r.skip(4) || !r.u16(flags) || !r.u16(xf))
        return std::nullopt;  // skips: colMic, colMac; reserved, unused
    ri.height = height & 0x7FFF;
    ri.customHeight = (flags & 0x40) != 0;
    ri.hidden = (flags & 0x20) != 0;
    ri.hasFormat = (flags & 0x80) != 0;
    ri.xf = xf & 0x0FFF;
    return ri;
}

// [MS-XLS] 2.4.53 ColInfo
std::optional<ColumnInfo> parseColInfo(Bytes body) {
    ByteReader r(body);
    ColumnInfo ci;
    std::uint16_t flags = 0;
    if (!r.u16(ci.first) || !r.u16(ci.last) || !r.u16(ci.width) || !r.u16(ci.xf) || !r.u16(flags))
        return std::nullopt;
    ci.hidden = (flags & 0x01) != 0;
    return ci;
}

// [MS-XLS] 2.4.89 DefColWidth, 2.4.98 DxGCol (STANDARDWIDTH): one 16-bit width.
std::optional<std::uint16_t> parseWidth(Bytes body) {
    ByteReader r(body);
    std::uint16_t w = 0;
    if (!r.u16(w)) return std::nullopt;
    return w;
}

// [MS-XLS] 2.4.87 DefaultRowHeight: flags, then miyRw.
std::optional<std::uint16_t> parseDefaultRowHeight(Bytes body) {
    ByteReader r(body);
    std::uint16_t height = 0;
    if (!r.skip(2) || !r.u16(height)) return std::nullopt;
    return height;
}

// [MS-XLS] 2.4.168 MergeCells: cmcs Ref8s. Short is Damaged: a merge lost without a word would
// change what the rubric sees.
Result<std::vector<MergedRange>> parseMergeCells(Bytes body) {
    ByteReader r(body);
    std::uint16_t count = 0;
    if (!r.u16(count)) return damaged("合并单元格记录太短");
    std::vector<MergedRange> out;
    out.reserve(std::min<std::size_t>(count, r.remaining() / 8));
    for (std::uint16_t k = 0; k < count; ++k) {
        MergedRange m;
        if (!r.u16(m.firstRow) || !r.u16(m.lastRow) || !r.u16(m.firstCol) || !r.u16(m.lastCol))
            return damaged("合并单元格记录太短");
        out.push_back(m);
    }
    return out;
}

// [MS-XLS] 2.4.181 Obj, its first sub-record 2.5.143 FtCmo (ft, cb, ot): an embedded chart?
bool isChartObject(Bytes body) {
    ByteReader r(body);
    std::uint16_t ft = 0, cb = 0, ot = 0;
    return r.u16(ft) && r.u16(cb) && r.u16(ot) && ft == obj::FtCmo && ot == obj::OtChart;
}

// --- The sheet ------------------------------------------------------------------------------

struct PendingExp {
    std::size_t formula;
    std::uint16_t row, col;          // the cell
    std::uint16_t masterRow, masterCol;
};

class SheetReader {
public:
    SheetReader(Workbook& book, Sheet& sheet, std::size_t& cellBudget)
        : book_(book), sheet_(sheet), cellBudget_(cellBudget) {}

    Result<bool> read(std::span<const Record> records, std::size_t bof) {
        const std::size_t end = matchingEof(records, bof);
        for (std::size_t i = bof + 1; i <= end && i < records.size(); ++i) {
            const Record& r = records[i];
            if (r.type == rt::Bof) {
                // A sub-stream inside the sheet: an embedded chart, or something not read.
                auto inner = parseBof(r);
                if (!inner) return inner.error();
                const std::size_t sub = matchingEof(records, i);
                if (inner->type == bof::Chart)
                    sheet_.charts.push_back(readChart(records.subspan(i, sub - i + 1), book_.formulaEnv(0, 0)));
                i = sub;
                continue;
            }
            if (r.type == rt::Eof) break;
            if (r.type == rt::Str && pendingString_) {
                stringResult(r);
                continue;
            }
            if (r.type != rt::ShrFmla && r.type != rt::Array && r.type != rt::Table) pendingString_.reset();
            auto ok = record(r);
            if (!ok) return ok;
            if (overBudget_) return damaged("单元格太多");
        }
        finish();
        return true;
    }

private:
    bool spend() {
        if (cellBudget_ == 0) {
            overBudget_ = true;
            return false;
        }
        --cellBudget_;
        return true;
    }

    // The new cell, or nullptr when it lies past the last column or the budget is spent.
    Cell* addCell(std::uint16_t row, std::uint16_t col, std::uint16_t xf, ValueKind kind) {
        if (col >= kMaxColumns || !spend()) return nullptr;
        Cell c;
        c.row = row;
        c.col = col;
        c.xf = xf;
        c.kind = kind;
        sheet_.cells.push_back(std::move(c));
        return &sheet_.cells.back();
    }
    Cell* addCell(const CellHeader& h, ValueKind kind) { return addCell(h.row, h.col, h.xf, kind); }

    // Files the runs of a cell's own string with the workbook's; the index, or -1 for none.
    // A short cell record is skipped (each case returns without a cell); MERGEDCELLS and BOF are
    // the sheet's structural records.
    Result<bool> record(const Record& rec) {
        const Bytes d = rec.data;
        switch (rec.type) {
            case rt::Number:
                if (auto n = parseNumber(d))
                    if (Cell* c = addCell(n->cell, ValueKind::Number)) c->number = n->value;
                return true;
            case rt::Rk:
                if (auto n = parseRk(d))
                    if (Cell* c = addCell(n->cell, ValueKind::Number)) c->number = decodeRk(n->rk);
                return true;
            case rt::MulRk:
                if (auto run = parseMulRk(d)) mulRk(*run);
                return true;
            case rt::LabelSst:
                if (auto s = parseLabelSst(d)) sharedString(*s);
                return true;
            case rt::Label:
                if (auto t = parseLabel(d)) text(std::move(*t));
                return true;
            case rt::RString:
                if (auto t = parseRString(d)) text(std::move(*t));
                return true;
            case rt::BoolErr:
                if (auto b = parseBoolErr(d)) boolErr(*b);
                return true;
            case rt::Blank:
                if (auto h = parseBlank(d)) addCell(*h, ValueKind::Empty);
                return true;
            case rt::MulBlank:
                if (auto run = parseMulBlank(d)) mulBlank(*run);
                return true;
            case rt::Formula:
                if (auto f = parseFormula(d)) formula(*f);
                return true;
            case rt::ShrFmla:
            case rt::Array:
                if (auto s = parseSharedFormula(d, rec.type == rt::Array); s && spend()) shared_.push_back(std::move(*s));
                return true;
            case rt::Row:
                if (auto ri = parseRow(d)) sheet_.rows.push_back(*ri);
                return true;
            case rt::ColInfo:
                if (auto ci = parseColInfo(d)) column(*ci);
                return true;
            case rt::DefColWidth:
                if (auto w = parseWidth(d)) sheet_.defaultColumnWidth = *w;
                return true;
            case rt::StandardWidth:
                if (auto w = parseWidth(d)) sheet_.standardWidth = *w;
                return true;
            case rt::DefaultRowHeight:
                if (auto h = parseDefaultRowHeight(d)) {
                    sheet_.defaultRowHeight = *h;
                    sheet_.hasDefaultRowHeight = true;
                }
                return true;
            case rt::MergedCells: {
                auto merges = parseMergeCells(d);
                if (!merges) return merges.error();
                for (const MergedRange& m : *merges)
                    if (m.firstRow <= m.lastRow && m.firstCol <= m.lastCol && m.lastCol < kMaxColumns)
                        sheet_.merges.push_back(m);
                return true;
            }
            case rt::Obj:
                if (isChartObject(d)) ++sheet_.chartObjects;
                return true;
            default: return true;
        }
    }

    void mulRk(const CellRun& run) {
        ByteReader items(run.items);
        for (std::size_t k = 0; !items.atEnd(); ++k) {
            if (run.firstCol + k >= kMaxColumns) break;
            std::uint16_t xf = 0;
            std::uint32_t rk = 0;
            items.u16(xf);
            items.u32(rk);
            Cell* c = addCell(run.row, static_cast<std::uint16_t>(run.firstCol + k), xf, ValueKind::Number);
            if (!c) return;
            c->number = decodeRk(rk);
        }
    }

    void mulBlank(const CellRun& run) {
        ByteReader items(run.items);
        for (std::size_t k = 0; !items.atEnd() && run.firstCol + k < kMaxColumns; ++k) {
            std::uint16_t xf = 0;
            items.u16(xf);
            if (!addCell(run.row, static_cast<std::uint16_t>(run.firstCol + k), xf, ValueKind::Empty)) return;
        }
    }

    void sharedString(const SharedStringCell& s) {
        Cell* c = addCell(s.cell, ValueKind::Text);
        if (!c) return;
        if (s.index < book_.sharedStrings.size()) {
            c->text = book_.sharedStrings[s.index];
            if (s.index < book_.sharedStringRuns.size()) c->runs = book_.sharedStringRuns[s.index];
        } else {
            c->kind = ValueKind::Empty;  // a dangling string index reads as nothing
        }
    }

    void text(TextCell t) {
        Cell* c = addCell(t.cell, ValueKind::Text);
        if (!c) return;
        c->text = std::move(t.text);
        c->runs = book_.addRunList(std::move(t.runs));
    }

    void boolErr(const BoolErrCell& b) {
        Cell* c = addCell(b.cell, b.isError ? ValueKind::Error : ValueKind::Boolean);
        if (!c) return;
        if (b.isError)
            c->code = b.value;
        else
            c->number = b.value ? 1 : 0;
    }

    void column(ColumnInfo ci) {
        ci.last = std::min<std::uint16_t>(ci.last, kMaxColumns - 1);
        if (ci.first <= ci.last && ci.first < kMaxColumns) sheet_.columns.push_back(ci);
    }

    void formula(const FormulaCell& f) {
        const CellHeader& h = f.cell;
        Cell* added = addCell(h, ValueKind::Number);
        if (!added) return;
        Cell& c = *added;
        if ((f.value >> 48) == 0xFFFF) {
            const auto type = static_cast<std::uint8_t>(f.value);
            const auto value = static_cast<std::uint8_t>(f.value >> 16);
            switch (type) {
                case 0:  // text result: a STRING record follows
                    c.kind = ValueKind::Text;
                    pendingString_ = sheet_.cells.size() - 1;
                    break;
                case 1:
                    c.kind = ValueKind::Boolean;
                    c.number = value ? 1 : 0;
                    break;
                case 2:
                    c.kind = ValueKind::Error;
                    c.code = value;
                    break;
                default:
                    c.kind = ValueKind::Text;  // empty text
                    break;
            }
        } else {
            std::memcpy(&c.number, &f.value, sizeof c.number);
        }
        Formula tokens;
        tokens.rgce.assign(f.rgce.begin(), f.rgce.end());
        tokens.extra.assign(f.extra.begin(), f.extra.end());
        c.formula = static_cast<std::int32_t>(sheet_.formulas.size());
        // [MS-XLS] 2.5.198.58 PtgExp: the tokens are those of the SHRFMLA or ARRAY whose first cell
        // it names (row, column), resolved once the whole sheet is read.
        std::uint16_t masterRow = 0, masterCol = 0;
        if (f.rgce.size() == 5 && f.rgce[0] == ptg::Exp && readLE(f.rgce, 1, masterRow) && readLE(f.rgce, 3, masterCol))
            pending_.push_back({sheet_.formulas.size(), h.row, h.col, masterRow, masterCol});
        sheet_.formulas.push_back(std::move(tokens));
    }

    // [MS-XLS] 2.4.268 String: the text result of the formula just read.
    void stringResult(const Record& rec) {
        std::string text;
        ContinuedReader cr(rec.segments());
        if (cr.unicodeString(text)) {  // a short STRING leaves the result empty
            Cell& c = sheet_.cells[*pendingString_];
            c.kind = ValueKind::Text;
            c.text = std::move(text);
        }
        pendingString_.reset();
    }

    static std::uint32_t cellKey(std::uint32_t row, std::uint32_t col) { return (row << 8) | (col & 0xFF); }

    // The definition a PtgExp refers to: Excel's rule is the one whose first cell is the cell the
    // PtgExp names (the last such record when there are several). Files from other programs that
    // name some other cell get the definition whose block holds the formula's cell, looked for
    // among the few definitions that start just before it.
    const SharedTokens* definitionFor(const PendingExp& p,
                                      const std::unordered_map<std::uint32_t, std::size_t>& byAnchor,
                                      const std::vector<std::size_t>& byStart) const {
        if (auto it = byAnchor.find(cellKey(p.masterRow, p.masterCol)); it != byAnchor.end()) return &shared_[it->second];
        const std::uint32_t key = cellKey(p.row, p.col);
        auto it = std::upper_bound(byStart.begin(), byStart.end(), key, [&](std::uint32_t k, std::size_t i) {
            return k < cellKey(shared_[i].firstRow, shared_[i].firstCol);
        });
        constexpr int kProbes = 64;
        for (int n = 0; n < kProbes && it != byStart.begin(); ++n) {
            const SharedTokens& s = shared_[*--it];
            if (p.row >= s.firstRow && p.row <= s.lastRow && p.col >= s.firstCol && p.col <= s.lastCol) return &s;
        }
        return nullptr;
    }

    void finish() {
        std::unordered_map<std::uint32_t, std::size_t> byAnchor;
        std::vector<std::size_t> byStart;
        if (!pending_.empty()) {
            byAnchor.reserve(shared_.size());
            byStart.reserve(shared_.size());
            for (std::size_t k = 0; k < shared_.size(); ++k) {
                byAnchor[cellKey(shared_[k].firstRow, shared_[k].firstCol)] = k;  // a later record wins
                byStart.push_back(k);
            }
            std::stable_sort(byStart.begin(), byStart.end(), [&](std::size_t a, std::size_t b) {
                return cellKey(shared_[a].firstRow, shared_[a].firstCol) < cellKey(shared_[b].firstRow, shared_[b].firstCol);
            });
        }
        for (const PendingExp& p : pending_) {
            const SharedTokens* found = definitionFor(p, byAnchor, byStart);
            Formula& f = sheet_.formulas[p.formula];
            if (!found) {
                f.unresolved = true;
                continue;
            }
            f.rgce = found->rgce;
            f.extra = found->extra;
            f.shared = !found->array;
            f.array = found->array;
        }
        // One cell per position, the last record winning; sorted by row, then column.
        std::stable_sort(sheet_.cells.begin(), sheet_.cells.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.col < b.col;
        });
        std::vector<Cell> unique;
        unique.reserve(sheet_.cells.size());
        for (Cell& c : sheet_.cells) {
            if (!unique.empty() && unique.back().row == c.row && unique.back().col == c.col)
                unique.back() = std::move(c);
            else
                unique.push_back(std::move(c));
        }
        sheet_.cells = std::move(unique);
        std::stable_sort(sheet_.rows.begin(), sheet_.rows.end(), [](const RowInfo& a, const RowInfo& b) { return a.row < b.row; });
        std::vector<RowInfo> rows;
        for (const RowInfo& r : sheet_.rows) {
            if (!rows.empty() && rows.back().row == r.row)
                rows.back() = r;
            else
                rows.push_back(r);
        }
        sheet_.rows = std::move(rows);
    }

    Workbook& book_;
    Sheet& sheet_;
    std::size_t& cellBudget_;
    bool overBudget_ = false;
    std::optional<std::size_t> pendingString_;
    std::vector<SharedTokens> shared_;
    std::vector<PendingExp> pending_;
};

}  // namespace

Result<bool> readSheet(std::span<const Record> records, std::size_t bof, Workbook& book, Sheet& sheet,
                       std::size_t& cellBudget) {
    return SheetReader(book, sheet, cellBudget).read(records, bof);
}

}  // namespace tarnwick::xls
