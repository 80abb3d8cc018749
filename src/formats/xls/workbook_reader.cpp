// Reading the records of a BIFF8 "Workbook" stream into xls::Workbook.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "formats/cfb/compound_file.h"
#include "formats/xls/record.h"
#include "formats/xls/record_types.h"
#include "formats/xls/unicode_string.h"
#include "formats/xls/workbook.h"

namespace tarnwick::xls {
namespace {

Error damaged(const std::string& what) { return Error{ErrorKind::Damaged, "工作簿已损坏，无法读取（" + what + "）。"}; }

const Error kEncrypted{ErrorKind::Encrypted, "工作簿设置了打开密码（已加密），无法读取；请在 Excel 中去掉密码后重新保存。"};
const Error kBiff5{ErrorKind::OlderFormat, "这是 Excel 5.0/95 格式的工作簿，不是 Excel 97-2003 工作簿；请在 Excel 中另存为“Excel 97-2003 工作簿”。"};
const Error kTooLarge{ErrorKind::TooLarge, "工作簿太大或已损坏，无法读取。"};
const Error kBiffOld{ErrorKind::OlderFormat, "这是 Excel 4.0 或更早版本的工作簿，不是 Excel 97-2003 工作簿；请在 Excel 中另存为“Excel 97-2003 工作簿”。"};

std::uint16_t u16(Bytes d, std::size_t at) {
    std::uint16_t v = 0;
    readLE(d, at, v);
    return v;
}
std::uint32_t u32(Bytes d, std::size_t at) {
    std::uint32_t v = 0;
    readLE(d, at, v);
    return v;
}
double f64(Bytes d, std::size_t at) {
    std::uint64_t u = 0;
    readLE(d, at, u);
    double v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

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

// The CONTINUE records that follow records[i], as byte segments after records[i]'s own body.
std::vector<Bytes> withContinues(const std::vector<Record>& records, std::size_t i, std::size_t* last) {
    std::vector<Bytes> segs{records[i].data};
    std::size_t j = i + 1;
    while (j < records.size() && records[j].type == rt::Continue) segs.push_back(records[j++].data);
    if (last) *last = j - 1;
    return segs;
}

std::string builtInName(std::uint8_t code) {
    static const char* const names[] = {"Consolidate_Area", "Auto_Open", "Auto_Close", "Extract", "Database",
                                        "Criteria", "Print_Area", "Print_Titles", "Recorder", "Data_Form",
                                        "Auto_Activate", "Auto_Deactivate", "Sheet_Title", "_FilterDatabase"};
    return code < std::size(names) ? names[code] : "Name" + std::to_string(code);
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

Xf readXf(Bytes d) {
    Xf x;
    x.font = u16(d, 0);
    x.format = u16(d, 2);
    const std::uint16_t flags = u16(d, 4);
    x.isStyle = (flags & 0x0004) != 0;
    x.parent = static_cast<std::uint16_t>(flags >> 4);
    std::uint8_t alc = 0, rot = 0, ind = 0;
    readLE(d, 6, alc);
    readLE(d, 7, rot);
    readLE(d, 8, ind);
    x.hAlign = alc & 0x07;
    x.wrap = (alc & 0x08) != 0;
    x.vAlign = static_cast<std::uint8_t>((alc >> 4) & 0x07);
    x.rotation = rot;
    x.indent = ind & 0x0F;
    const std::uint32_t b1 = u32(d, 10);
    const std::uint32_t b2 = u32(d, 14);
    const std::uint16_t b3 = u16(d, 18);
    x.borderLeft = b1 & 0x0F;
    x.borderRight = (b1 >> 4) & 0x0F;
    x.borderTop = (b1 >> 8) & 0x0F;
    x.borderBottom = (b1 >> 12) & 0x0F;
    x.colorLeft = (b1 >> 16) & 0x7F;
    x.colorRight = (b1 >> 23) & 0x7F;
    x.diagonals = static_cast<std::uint8_t>((b1 >> 30) & 0x03);
    x.colorTop = b2 & 0x7F;
    x.colorBottom = (b2 >> 7) & 0x7F;
    x.colorDiagonal = (b2 >> 14) & 0x7F;
    x.borderDiagonal = (b2 >> 21) & 0x0F;
    x.fillPattern = static_cast<std::uint8_t>((b2 >> 26) & 0x3F);
    x.fillFore = b3 & 0x7F;
    x.fillBack = (b3 >> 7) & 0x7F;
    return x;
}

Font readFont(Bytes d) {
    Font f;
    f.height = u16(d, 0);
    const std::uint16_t grbit = u16(d, 2);
    f.italic = (grbit & 0x02) != 0;
    f.strikeOut = (grbit & 0x08) != 0;
    f.color = u16(d, 4);
    f.weight = u16(d, 6);
    f.script = u16(d, 8);
    readLE(d, 10, f.underline);
    f.name = shortString(d, 14).value_or("");
    return f;
}

// Index of the record that starts at the stream offset, or npos.
std::size_t recordAt(const std::vector<Record>& records, std::size_t offset) {
    auto it = std::lower_bound(records.begin(), records.end(), offset,
                               [](const Record& r, std::size_t o) { return r.offset < o; });
    if (it == records.end() || it->offset != offset) return std::string::npos;
    return static_cast<std::size_t>(it - records.begin());
}

// The index of the EOF that closes the BOF at records[begin] (nested sub-streams counted), or
// the last record when the stream ends first.
std::size_t matchingEof(const std::vector<Record>& records, std::size_t begin) {
    int depth = 0;
    for (std::size_t i = begin; i < records.size(); ++i) {
        if (records[i].type == rt::Bof) ++depth;
        if (records[i].type == rt::Eof && --depth == 0) return i;
    }
    return records.size() - 1;
}

struct SharedTokens {
    std::uint16_t firstRow, lastRow, firstCol, lastCol;
    std::vector<std::uint8_t> rgce, extra;
    bool array;
};

struct PendingExp {
    std::size_t formula;
    std::uint16_t row, col;          // the cell
    std::uint16_t masterRow, masterCol;
};

class SheetReader {
public:
    // `cellBudget` is what the workbook may still add in cells and formula definitions; it is
    // shared by all sheets.
    SheetReader(Workbook& book, Sheet& sheet, std::size_t& cellBudget)
        : book_(book), sheet_(sheet), cellBudget_(cellBudget) {}

    Result<bool> read(const std::vector<Record>& records, std::size_t bof) {
        const std::size_t end = matchingEof(records, bof);
        for (std::size_t i = bof + 1; i <= end && i < records.size(); ++i) {
            const Record& r = records[i];
            if (r.type == rt::Bof) {
                const std::size_t sub = matchingEof(records, i);
                if (u16(r.data, 2) == 0x0020) {
                    const std::span<const Record> span(records.data() + i, sub - i + 1);
                    sheet_.charts.push_back(readChart(span, book_.formulaEnv(0, 0)));
                }
                i = sub;
                continue;
            }
            if (r.type == rt::Eof) break;
            if (r.type == rt::Str && pendingString_) {
                std::string text;
                ContinuedReader cr(withContinues(records, i, nullptr));
                if (cr.unicodeString(text)) {
                    Cell& c = sheet_.cells[*pendingString_];
                    c.kind = ValueKind::Text;
                    c.text = std::move(text);
                }
                pendingString_.reset();
                continue;
            }
            if (r.type != rt::ShrFmla && r.type != rt::Array && r.type != rt::Table && r.type != rt::Continue)
                pendingString_.reset();
            record(r);
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

    void record(const Record& r) {
        const Bytes d = r.data;
        switch (r.type) {
            case rt::Number:
                if (d.size() < 14) return;
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Number)) c->number = f64(d, 6);
                return;
            case rt::Rk:
                if (d.size() < 10) return;
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Number)) c->number = decodeRk(u32(d, 6));
                return;
            case rt::MulRk: {
                if (d.size() < 6) return;
                const std::uint16_t row = u16(d, 0), first = u16(d, 2);
                const std::size_t n = (d.size() - 6) / 6;
                for (std::size_t k = 0; k < n; ++k) {
                    const auto col = static_cast<std::uint16_t>(first + k);
                    if (first + k >= kMaxColumns) break;
                    Cell* c = addCell(row, col, u16(d, 4 + 6 * k), ValueKind::Number);
                    if (!c) return;
                    c->number = decodeRk(u32(d, 6 + 6 * k));
                }
                return;
            }
            case rt::LabelSst: {
                if (d.size() < 10) return;
                const std::uint32_t isst = u32(d, 6);
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Text)) {
                    if (isst < book_.sharedStrings.size()) {
                        c->text = book_.sharedStrings[isst];
                        if (isst < book_.sharedStringRuns.size()) c->runs = book_.sharedStringRuns[isst];
                    } else
                        c->kind = ValueKind::Empty;  // a dangling string index reads as nothing
                }
                return;
            }
            case rt::Label: {
                if (d.size() < 9) return;
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Text)) {
                    std::vector<FormatRun> runs;
                    c->text = longString(d, 6, nullptr, &runs).value_or("");
                    c->runs = keepRuns(std::move(runs));
                }
                return;
            }
            case rt::RString: {
                // A LABEL whose string is followed by its own formatting runs.
                if (d.size() < 9) return;
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Text)) {
                    std::size_t at = 0;
                    c->text = longString(d, 6, &at).value_or("");
                    std::uint16_t count = 0;
                    if (at == 0 || !readLE(d, at, count)) return;
                    std::vector<FormatRun> runs;
                    for (std::size_t k = 0; k < count && k < kMaxRunsPerString; ++k) {
                        FormatRun run;
                        if (!readLE(d, at + 2 + 4 * k, run.position) || !readLE(d, at + 4 + 4 * k, run.font)) break;
                        runs.push_back(run);
                    }
                    c->runs = keepRuns(std::move(runs));
                }
                return;
            }
            case rt::BoolErr: {
                if (d.size() < 8) return;
                const bool isError = d[7] != 0;
                if (Cell* c = addCell(u16(d, 0), u16(d, 2), u16(d, 4), isError ? ValueKind::Error : ValueKind::Boolean)) {
                    if (isError)
                        c->code = d[6];
                    else
                        c->number = d[6] ? 1 : 0;
                }
                return;
            }
            case rt::Blank:
                if (d.size() < 6) return;
                addCell(u16(d, 0), u16(d, 2), u16(d, 4), ValueKind::Empty);
                return;
            case rt::MulBlank: {
                if (d.size() < 6) return;
                const std::uint16_t row = u16(d, 0), first = u16(d, 2);
                const std::size_t n = (d.size() - 6) / 2;
                for (std::size_t k = 0; k < n && first + k < kMaxColumns; ++k)
                    if (!addCell(row, static_cast<std::uint16_t>(first + k), u16(d, 4 + 2 * k), ValueKind::Empty)) return;
                return;
            }
            case rt::Formula: formula(d); return;
            case rt::ShrFmla: {
                if (d.size() < 10) return;
                const std::uint16_t cce = u16(d, 8);
                if (d.size() - 10 < cce || !spend()) return;
                shared_.push_back({u16(d, 0), u16(d, 2), d[4], d[5], {d.begin() + 10, d.begin() + 10 + cce},
                                   {d.begin() + 10 + cce, d.end()}, false});
                return;
            }
            case rt::Array: {
                if (d.size() < 14) return;
                const std::uint16_t cce = u16(d, 12);
                if (d.size() - 14 < cce || !spend()) return;
                shared_.push_back({u16(d, 0), u16(d, 2), d[4], d[5], {d.begin() + 14, d.begin() + 14 + cce},
                                   {d.begin() + 14 + cce, d.end()}, true});
                return;
            }
            case rt::Row: {
                if (d.size() < 16) return;
                RowInfo ri;
                ri.row = u16(d, 0);
                const std::uint16_t miy = u16(d, 6);
                const std::uint16_t grbit = u16(d, 12);
                ri.height = miy & 0x7FFF;
                ri.customHeight = (grbit & 0x40) != 0;
                ri.hidden = (grbit & 0x20) != 0;
                ri.hasFormat = (grbit & 0x80) != 0;
                ri.xf = u16(d, 14) & 0x0FFF;
                sheet_.rows.push_back(ri);
                return;
            }
            case rt::ColInfo: {
                if (d.size() < 10) return;
                ColumnInfo ci;
                ci.first = u16(d, 0);
                ci.last = std::min<std::uint16_t>(u16(d, 2), kMaxColumns - 1);
                ci.width = u16(d, 4);
                ci.xf = u16(d, 6);
                ci.hidden = (u16(d, 8) & 0x01) != 0;
                if (ci.first <= ci.last && ci.first < kMaxColumns) sheet_.columns.push_back(ci);
                return;
            }
            case rt::DefColWidth:
                if (d.size() >= 2) sheet_.defaultColumnWidth = u16(d, 0);
                return;
            case rt::StandardWidth:
                if (d.size() >= 2) sheet_.standardWidth = u16(d, 0);
                return;
            case rt::DefaultRowHeight:
                if (d.size() >= 4) {
                    sheet_.defaultRowHeight = u16(d, 2);
                    sheet_.hasDefaultRowHeight = true;
                }
                return;
            case rt::MergedCells: {
                const std::size_t n = std::min<std::size_t>(u16(d, 0), d.size() >= 2 ? (d.size() - 2) / 8 : 0);
                for (std::size_t k = 0; k < n; ++k) {
                    const std::size_t at = 2 + 8 * k;
                    MergedRange m{u16(d, at), u16(d, at + 2), u16(d, at + 4), u16(d, at + 6)};
                    if (m.firstRow <= m.lastRow && m.firstCol <= m.lastCol && m.lastCol < kMaxColumns)
                        sheet_.merges.push_back(m);
                }
                return;
            }
            case rt::Obj:
                if (u16(d, 0) == 0x15 && u16(d, 4) == 0x05) ++sheet_.chartObjects;
                return;
            default: return;
        }
    }

    // Files the runs of a cell's own string with the workbook's; the index, or -1 for none.
    std::int32_t keepRuns(std::vector<FormatRun> runs) {
        if (runs.empty()) return -1;
        std::stable_sort(runs.begin(), runs.end(), [](FormatRun a, FormatRun b) { return a.position < b.position; });
        book_.runLists.push_back(std::move(runs));
        return static_cast<std::int32_t>(book_.runLists.size() - 1);
    }

    void formula(Bytes d) {
        if (d.size() < 22) return;
        const std::uint16_t row = u16(d, 0), col = u16(d, 2);
        if (col >= kMaxColumns) return;
        const std::uint16_t cce = u16(d, 20);
        if (d.size() - 22 < cce) return;
        Cell* added = addCell(row, col, u16(d, 4), ValueKind::Number);
        if (!added) return;
        Cell& c = *added;
        if (u16(d, 12) == 0xFFFF) {
            switch (d[6]) {
                case 0:  // text result: a STRING record follows
                    c.kind = ValueKind::Text;
                    pendingString_ = sheet_.cells.size() - 1;
                    break;
                case 1:
                    c.kind = ValueKind::Boolean;
                    c.number = d[8] ? 1 : 0;
                    break;
                case 2:
                    c.kind = ValueKind::Error;
                    c.code = d[8];
                    break;
                default:
                    c.kind = ValueKind::Text;  // empty text
                    break;
            }
        } else {
            c.number = f64(d, 6);
        }
        Formula f;
        f.rgce.assign(d.begin() + 22, d.begin() + 22 + cce);
        f.extra.assign(d.begin() + 22 + cce, d.end());
        c.formula = static_cast<std::int32_t>(sheet_.formulas.size());
        if (cce == 5 && f.rgce[0] == 0x01) pending_.push_back({sheet_.formulas.size(), row, col, u16(d, 23), u16(d, 25)});
        sheet_.formulas.push_back(std::move(f));
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


Result<Workbook> readStream(Bytes stream, const ReadLimits& limits) {
    auto split = splitRecords(stream);
    if (!split) return split.error();
    const std::vector<Record>& records = *split;
    if (records.empty() || records[0].type != rt::Bof) {
        if (!records.empty() && (records[0].type == 0x0009 || records[0].type == 0x0209 || records[0].type == 0x0409))
            return kBiffOld;
        return damaged("工作簿数据不以 BOF 记录开头");
    }
    const std::uint16_t version = u16(records[0].data, 0);
    if (version == 0x0500) return kBiff5;
    if (version != 0x0600) return damaged("不认识的 BIFF 版本");
    if (u16(records[0].data, 2) != 0x0005) return damaged("第一个子流不是工作簿全局数据");

    Workbook book;
    book.palette = defaultPalette();
    std::vector<std::uint32_t> sheetOffsets;
    bool sawWindow = false;
    const std::size_t globalsEnd = matchingEof(records, 0);
    for (std::size_t i = 1; i <= globalsEnd && i < records.size(); ++i) {
        const Record& r = records[i];
        const Bytes d = r.data;
        switch (r.type) {
            case rt::FilePass: return kEncrypted;
            case rt::Font:
                if (book.fonts.size() < 4096) book.fonts.push_back(readFont(d));
                break;
            case rt::Format: {
                if (d.size() < 5) break;
                if (auto code = longString(d, 2)) book.formats[u16(d, 0)] = *code;
                break;
            }
            case rt::Xf:
                if (d.size() >= 20 && book.xfs.size() < 65536) book.xfs.push_back(readXf(d));
                break;
            case rt::Palette: {
                const std::size_t n = std::min<std::size_t>({u16(d, 0), 56, d.size() >= 2 ? (d.size() - 2) / 4 : 0});
                for (std::size_t k = 0; k < n; ++k) {
                    const std::size_t at = 2 + 4 * k;
                    book.palette[k] = (std::uint32_t{d[at]} << 16) | (std::uint32_t{d[at + 1]} << 8) | d[at + 2];
                }
                break;
            }
            case rt::Window1:
                // Only the first window counts: it is the one a file opens in.
                if (!sawWindow && d.size() >= 12) book.activeSheet = u16(d, 10);
                sawWindow = true;
                break;
            case rt::DateMode: book.date1904 = u16(d, 0) == 1; break;
            case rt::CodePage: book.codePage = u16(d, 0); break;
            case rt::BoundSheet: {
                if (d.size() < 8) return damaged("工作表列表记录太短");
                if (book.sheets.size() >= limits.maxSheets)
                    return damaged("工作表超过 " + std::to_string(limits.maxSheets) + " 个");
                Sheet s;
                s.visibility = d[4] & 0x03;
                s.type = static_cast<SheetType>(d[5]);
                s.name = shortString(d, 6).value_or("");
                sheetOffsets.push_back(u32(d, 0));
                book.sheets.push_back(std::move(s));
                break;
            }
            case rt::Sst: {
                std::size_t last = i;
                ContinuedReader cr(withContinues(records, i, &last));
                std::uint32_t total = 0, unique = 0;
                if (!cr.u32(total) || !cr.u32(unique)) return damaged("共享字符串表太短");
                // Every string takes at least three bytes: never reserve more than that allows.
                std::size_t bytes = 0;
                for (std::size_t k = i; k <= last; ++k) bytes += records[k].data.size();
                book.sharedStrings.reserve(std::min<std::size_t>(unique, bytes / 3));
                book.sharedStringRuns.reserve(book.sharedStrings.capacity());
                for (std::uint32_t k = 0; k < unique; ++k) {
                    std::string s;
                    std::vector<FormatRun> runs;
                    if (!cr.richString(s, &runs)) break;  // fewer strings than announced: keep those read
                    book.sharedStrings.push_back(std::move(s));
                    std::int32_t index = -1;
                    if (!runs.empty()) {
                        std::stable_sort(runs.begin(), runs.end(),
                                         [](FormatRun a, FormatRun b) { return a.position < b.position; });
                        index = static_cast<std::int32_t>(book.runLists.size());
                        book.runLists.push_back(std::move(runs));
                    }
                    book.sharedStringRuns.push_back(index);
                }
                i = last;
                break;
            }
            case rt::SupBook: {
                if (d.size() < 4) break;
                SupBook b;
                const std::uint16_t ctab = u16(d, 0), cch = u16(d, 2);
                if (cch == 0x0401) {
                    b.self = true;
                } else if (cch == 0x3A01) {
                    b.addIn = true;
                } else {
                    std::size_t at = 2;
                    b.path = decodeVirtualPath(longString(d, 2, &at).value_or(""));
                    for (std::uint16_t k = 0; k < ctab && at < d.size(); ++k) {
                        auto name = longString(d, at, &at);
                        if (!name) break;
                        b.sheetNames.push_back(*name);
                    }
                }
                if (book.supBooks.size() < 65536) book.supBooks.push_back(std::move(b));
                break;
            }
            case rt::ExternSheet: {
                const std::size_t n = std::min<std::size_t>(u16(d, 0), d.size() >= 2 ? (d.size() - 2) / 6 : 0);
                for (std::size_t k = 0; k < n; ++k) {
                    const std::size_t at = 2 + 6 * k;
                    book.externSheets.push_back({u16(d, at), static_cast<std::int16_t>(u16(d, at + 2)),
                                                 static_cast<std::int16_t>(u16(d, at + 4))});
                }
                break;
            }
            case rt::Name: {
                if (d.size() < 15) break;
                DefinedName n;
                const std::uint16_t grbit = u16(d, 0);
                n.builtIn = (grbit & 0x0020) != 0;
                n.sheet = u16(d, 8);
                auto text = stringNoCount(d, 14, d[3]);
                if (n.builtIn) {
                    n.name = builtInName(text && !text->empty() ? static_cast<std::uint8_t>((*text)[0]) : 0xFF);
                } else {
                    n.name = text.value_or("");
                }
                if (book.names.size() < 65536) book.names.push_back(std::move(n));
                break;
            }
            default: break;
        }
    }

    // Excel writes every sheet's sub-stream once; two entries at one offset only come from damage
    // (and would have the same cells read again for each of them).
    std::unordered_set<std::uint32_t> seenOffsets;
    std::size_t cellBudget = limits.maxCells;
    for (std::size_t k = 0; k < book.sheets.size(); ++k) {
        Sheet& sheet = book.sheets[k];
        const std::size_t bof = recordAt(records, sheetOffsets[k]);
        if (bof == std::string::npos || records[bof].type != rt::Bof)
            return damaged("工作表“" + sheet.name + "”的位置不正确");
        if (sheet.type != SheetType::Worksheet && sheet.type != SheetType::ChartSheet && sheet.type != SheetType::MacroSheet)
            continue;
        if (!seenOffsets.insert(sheetOffsets[k]).second)
            return damaged("工作表“" + sheet.name + "”与另一个工作表指向同一位置");
        if (u16(records[bof].data, 2) == 0x0020) {
            // A chart sheet: its one chart is the whole sub-stream.
            const std::size_t end = matchingEof(records, bof);
            sheet.charts.push_back(readChart(std::span<const Record>(records.data() + bof, end - bof + 1), book.formulaEnv(0, 0)));
            continue;
        }
        SheetReader reader(book, sheet, cellBudget);
        auto ok = reader.read(records, bof);
        if (!ok) return ok.error();
    }
    return book;
}

Result<Workbook> readFile(Bytes file, const ReadLimits& limits) {
    if (file.empty()) return Error{ErrorKind::Empty, "工作簿文件是空的（0 字节）。"};
    if (file.size() >= 4 && file[0] == 'P' && file[1] == 'K' && file[2] == 0x03 && file[3] == 0x04)
        return Error{ErrorKind::NewerFormat, "这是 Excel 2007 及以后版本的新格式工作簿（.xlsx），不是 Excel 97-2003 工作簿（.xls）；请另存为“Excel 97-2003 工作簿”。"};
    std::uint16_t firstType = 0;
    if (readLE(file, 0, firstType) && (firstType == 0x0009 || firstType == 0x0209 || firstType == 0x0409))
        return kBiffOld;
    if (firstType == 0x0809) return kBiff5;
    auto cf = cfb::CompoundFile::open(file);
    if (!cf) {
        if (cf.error().kind == ErrorKind::NotCompoundFile)
            return Error{ErrorKind::NotCompoundFile, "文件不是 Excel 97-2003 工作簿。"};
        return cf.error();
    }
    if (!cf->hasStream("Workbook")) {
        if (cf->hasStream("Book")) return kBiff5;
        return Error{ErrorKind::WrongFormat, "文件中没有工作簿数据，不是 Excel 工作簿（可能是其他 Office 文档）。"};
    }
    auto stream = cf->stream("Workbook");
    if (!stream) return stream.error();
    return readStream(*stream, limits);
}

// Runs a read so that nothing escapes it: a file that asks for more memory than there is (or
// for a container larger than its maximum size) gets an error like any other damage.
template <class F>
Result<Workbook> guarded(F&& read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return kTooLarge;
    } catch (const std::length_error&) {
        return kTooLarge;
    }
}

}  // namespace

Result<Workbook> readWorkbookStream(Bytes stream, const ReadLimits& limits) {
    return guarded([&] { return readStream(stream, limits); });
}

Result<Workbook> readWorkbook(Bytes file, const ReadLimits& limits) {
    return guarded([&] { return readFile(file, limits); });
}

}  // namespace tarnwick::xls
