#include "model/excel/range.h"

#include <optional>

#include "base/utf.h"
#include "formats/xls/formula.h"
#include "model/excel/column_width.h"
#include "model/excel/names.h"
#include "model/excel/number_format_local.h"
#include "model/excel/workbook.h"

namespace tarnwick::excel {
namespace {

int horizontalConstant(std::uint8_t alc) {
    switch (alc) {
        case 1: return xl::Left;
        case 2: return xl::Center;
        case 3: return xl::Right;
        case 4: return xl::Fill;
        case 5: return xl::Justify;
        case 6: return xl::CenterAcrossSelection;
        case 7: return xl::Distributed;
        default: return xl::General;
    }
}

int verticalConstant(std::uint8_t alcV) {
    switch (alcV) {
        case 0: return xl::Top;
        case 1: return xl::Center;
        case 3: return xl::Justify;
        case 4: return xl::Distributed;
        default: return xl::Bottom;
    }
}

// Palette index as stored -> ColorIndex: 8..63 are the 56 palette entries; 0..7 repeat the first
// eight; 64 and above (system colours, 0x7FFF) are automatic.
int colorIndex(std::uint16_t icv) {
    if (icv >= 8 && icv <= 63) return icv - 7;
    if (icv < 8) return icv + 1;
    return xl::ColorIndexAutomatic;
}

int lineStyleConstant(std::uint8_t dg) {
    switch (dg) {
        case 0: return xl::LineStyleNone;
        case 1:   // thin
        case 2:   // medium
        case 5:   // thick
        case 7:   // hair
            return xl::Continuous;
        case 3:
        case 8: return xl::Dash;
        case 4: return xl::Dot;
        case 6: return xl::Double;
        case 9:
        case 10: return xl::DashDot;
        case 11:
        case 12: return xl::DashDotDot;
        case 13: return xl::SlantDashDot;
        default: return xl::Continuous;
    }
}

// The weight Excel reports for a stored line kind; a cell without a line reads xlThin.
int lineWeightConstant(std::uint8_t dg) {
    switch (dg) {
        case 2:   // medium
        case 8:   // medium dashed
        case 10:  // medium dash-dot
        case 12:  // medium dash-dot-dot
        case 13:  // slanted dash-dot
            return xl::Medium;
        case 5:   // thick
        case 6:   // double
            return xl::Thick;
        case 7: return xl::Hairline;
        default: return xl::Thin;
    }
}

const Variant kNoXf = Variant::failed("单元格的格式记录缺失，文件可能已损坏。");

}  // namespace

std::uint16_t Range::xfIndexAt(std::uint32_t row, std::uint32_t col) const {
    if (const xls::Cell* c = sheet_->cell(row, col)) return c->xf;
    if (const xls::RowInfo* r = sheet_->rowInfo(row); r && r->hasFormat) return r->xf;
    if (const xls::ColumnInfo* ci = sheet_->columnInfo(col)) return ci->xf;
    return 15;
}

const xls::Xf* Range::xfAt(std::uint32_t row, std::uint32_t col) const {
    return book_->book.xf(xfIndexAt(row, col));
}

excel::Font Range::Font() const { return excel::Font(*this); }
excel::Interior Range::Interior() const { return excel::Interior(*this); }
excel::Border Range::Borders(int index) const { return excel::Border(*this, index); }

Variant Range::Address() const {
    if (failed()) return Variant::failed(error_);
    return Variant::text(absoluteAddress(block_));
}

Range Range::MergeArea() const {
    if (failed()) return *this;
    for (const xls::MergedRange& m : sheet_->merges) {
        if (m.contains(block_.firstRow, block_.firstCol)) {
            Block b{m.firstRow, m.lastRow, m.firstCol, m.lastCol, false, false};
            return Range(book_, sheet_, b);
        }
    }
    return *this;
}

Variant Range::MergeCells() const {
    return fold([&](std::uint32_t r, std::uint32_t c) {
        for (const xls::MergedRange& m : sheet_->merges)
            if (m.contains(r, c)) return Variant::boolean(true);
        return Variant::boolean(false);
    });
}

Variant Range::HorizontalAlignment() const {
    return fold([&](std::uint32_t r, std::uint32_t c) {
               const xls::Xf* x = xfAt(r, c);
               return x ? Variant::number(horizontalConstant(x->hAlign)) : kNoXf;
           })
        .withNames(&alignmentName);
}

Variant Range::VerticalAlignment() const {
    return fold([&](std::uint32_t r, std::uint32_t c) {
               const xls::Xf* x = xfAt(r, c);
               return x ? Variant::number(verticalConstant(x->vAlign)) : kNoXf;
           })
        .withNames(&alignmentName);
}

Variant Range::RowHeight() const {
    if (failed()) return Variant::failed(error_);
    const double defaultHeight = sheet_->defaultRowHeight / 20.0;
    // Rows with a ROW record in the block, then one stand-in for all rows without one.
    model::Fold fold(Variant::null());
    std::uint32_t withRecord = 0;
    for (const xls::RowInfo& ri : sheet_->rows) {
        if (ri.row < block_.firstRow || ri.row > block_.lastRow) continue;
        ++withRecord;
        if (!fold.add(Variant::number(ri.hidden ? 0.0 : ri.height / 20.0))) return fold.result();
    }
    if (withRecord < block_.lastRow - block_.firstRow + 1) fold.add(Variant::number(defaultHeight));
    return fold.result();
}

Variant Range::ColumnWidth() const {
    if (failed()) return Variant::failed(error_);
    const int mdw = book_->digitWidth;
    model::Fold fold(Variant::null());
    for (std::uint32_t c = block_.firstCol; c <= block_.lastCol; ++c) {
        double w;
        if (const xls::ColumnInfo* ci = sheet_->columnInfo(c))
            w = ci->hidden ? 0.0 : columnWidthFromStored(ci->width, mdw);
        else
            w = Worksheet(book_, sheet_).StandardWidth().asNumber();
        if (!fold.add(Variant::number(w))) break;
    }
    return fold.result();
}

Variant Range::formulaText(bool r1c1) const {
    if (failed()) return Variant::failed(error_);
    if (block_.cellCount() != 1) return Variant::failed("多个单元格的公式是一个数组，只能逐个单元格读取。");
    const xls::Cell* c = sheet_->cell(block_.firstRow, block_.firstCol);
    if (!c) return Variant::text("");
    if (c->formula < 0) {
        // A constant reads back as the text of its value.
        switch (c->kind) {
            case xls::ValueKind::Empty: return Variant::text("");
            case xls::ValueKind::Number: return Variant::text(generalNumberText(c->number));
            case xls::ValueKind::Text: return Variant::text(c->text);
            case xls::ValueKind::Boolean: return Variant::text(c->number != 0 ? "TRUE" : "FALSE");
            case xls::ValueKind::Error: return Variant::text(errorText(c->code));
        }
    }
    const xls::Formula& f = sheet_->formulas[static_cast<std::size_t>(c->formula)];
    if (f.unresolved) return Variant::failed("共享公式的定义缺失，无法读取公式。");
    auto text = xls::formulaText(f.rgce, f.extra, book_->book.formulaEnv(c->row, c->col),
                                 r1c1 ? xls::RefStyle::R1C1 : xls::RefStyle::A1);
    if (!text) return Variant::failed(text.error().message);
    return Variant::text(*text);
}

Variant Range::Formula() const { return formulaText(false); }
Variant Range::FormulaR1C1() const { return formulaText(true); }

Variant Range::HasFormula() const {
    return fold([&](std::uint32_t r, std::uint32_t c) {
        const xls::Cell* cell = sheet_->cell(r, c);
        return Variant::boolean(cell && cell->formula >= 0);
    });
}

Variant Range::Value() const {
    if (failed()) return Variant::failed(error_);
    if (block_.cellCount() != 1) return Variant::failed("多个单元格的值是一个数组，只能逐个单元格读取。");
    const xls::Cell* c = sheet_->cell(block_.firstRow, block_.firstCol);
    if (!c) return Variant::empty();
    switch (c->kind) {
        case xls::ValueKind::Empty: return Variant::empty();
        case xls::ValueKind::Number: return Variant::number(c->number);
        case xls::ValueKind::Text: return Variant::text(c->text);
        case xls::ValueKind::Boolean: return Variant::boolean(c->number != 0);
        case xls::ValueKind::Error: return cellErrorValue(c->code);
    }
    return Variant::empty();
}

Variant Range::Text() const {
    Variant v = Value();
    if (v.isFailed() || v.isText()) return v;
    if (v.isEmpty()) return Variant::text("");
    return Variant::text(v.describe());
}

Variant Range::NumberFormatLocal() const {
    return fold([&](std::uint32_t r, std::uint32_t c) {
        const xls::Xf* x = xfAt(r, c);
        if (!x) return kNoXf;
        auto code = numberFormatLocal(x->format, book_->book.formats);
        if (!code) return Variant::failed("数字格式 " + std::to_string(x->format) + " 在文件中没有定义。");
        return Variant::text(std::move(*code));
    });
}

Range Range::Item(std::uint64_t index) const {
    if (failed()) return *this;
    if (index < 1 || index > block_.cellCount()) return failedRange("单元格序号超出区域。");
    const std::uint64_t width = block_.lastCol - block_.firstCol + 1;
    const auto r = static_cast<std::uint32_t>(block_.firstRow + (index - 1) / width);
    const auto c = static_cast<std::uint32_t>(block_.firstCol + (index - 1) % width);
    return Range(book_, sheet_, Block{r, r, c, c, false, false});
}

Range Range::Cells(std::uint32_t row, std::uint32_t column) const {
    if (failed()) return *this;
    const std::uint64_t r = std::uint64_t{block_.firstRow} + row - 1, c = std::uint64_t{block_.firstCol} + column - 1;
    if (row < 1 || column < 1 || r >= xls::kMaxRows || c >= xls::kMaxColumns) return failedRange("单元格位置超出工作表。");
    const auto r32 = static_cast<std::uint32_t>(r), c32 = static_cast<std::uint32_t>(c);
    return Range(book_, sheet_, Block{r32, r32, c32, c32, false, false});
}

// --- Font, Interior, Border ---------------------------------------------------------------

namespace {

const Variant kNoFont = Variant::failed("单元格的字体记录缺失，文件可能已损坏。");

// A cell's font property as Excel's Range.Font reports it: over the characters of its text. The
// cell format's font holds up to the first run, each run's font from its position to the next
// run (or the end); runs at or past the end of the text do not show. Null when the characters
// disagree; an empty or plain text has the cell format's font.
template <class G>
Variant fontFold(const Range& range, G&& get) {
    return range.fold([&](std::uint32_t r, std::uint32_t c) {
        const xls::Workbook& book = range.book()->book;  // a failed range has none: fold never calls this
        const xls::Xf* x = range.xfAt(r, c);
        if (!x) return kNoXf;
        const xls::Font* f = book.font(x->font);
        if (!f) return kNoFont;
        const xls::Cell* cell = range.sheet()->cell(r, c);
        if (!cell || cell->kind != xls::ValueKind::Text || cell->runs < 0 ||
            static_cast<std::size_t>(cell->runs) >= book.runLists.size())
            return get(*f);
        const std::vector<xls::FormatRun>& runs = book.runLists[static_cast<std::size_t>(cell->runs)];
        const std::size_t length = utf16Length(cell->text);
        if (length == 0) return get(*f);
        model::Fold fold(Variant::null());
        // Runs are sorted by position; of several at one position the last one holds.
        if (runs.empty() || runs.front().position > 0) fold.add(get(*f));
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const xls::FormatRun& run = runs[k];
            if (run.position >= length) break;
            if (k + 1 < runs.size() && runs[k + 1].position == run.position) continue;
            const xls::Font* font = book.font(run.font);
            if (!font) return kNoFont;
            if (!fold.add(get(*font))) return fold.result();
        }
        return fold.empty() ? get(*f) : fold.result();
    });
}

}  // namespace

Variant Font::Name() const { return fontFold(range_, [](const xls::Font& f) { return Variant::text(f.name); }); }
Variant Font::Size() const { return fontFold(range_, [](const xls::Font& f) { return Variant::number(f.height / 20.0); }); }
Variant Font::Bold() const { return fontFold(range_, [](const xls::Font& f) { return Variant::boolean(f.weight >= 700); }); }
Variant Font::Italic() const { return fontFold(range_, [](const xls::Font& f) { return Variant::boolean(f.italic); }); }
Variant Font::ColorIndex() const {
    return fontFold(range_, [](const xls::Font& f) { return Variant::number(colorIndex(f.color)); }).withNames(&colorIndexName);
}

Variant Interior::ColorIndex() const {
    return range_
        .fold([&](std::uint32_t r, std::uint32_t c) {
            const xls::Xf* x = range_.xfAt(r, c);
            if (!x) return kNoXf;
            if (x->fillPattern == 0) return Variant::number(xl::ColorIndexNone);
            return Variant::number(colorIndex(x->fillFore));
        })
        .withNames(&colorIndexName);
}

Variant Border::LineStyle() const { return foldEdges(&lineStyleConstant).withNames(&lineStyleName); }
Variant Border::Weight() const { return foldEdges(&lineWeightConstant).withNames(&borderWeightName); }

Variant Border::foldEdges(int (*map)(std::uint8_t)) const {
    if (range_.failed()) return Variant::failed(range_.failure().empty() ? "区域无效。" : range_.failure());
    const Block& b = range_.block();
    if (b.cellCount() > kMaxCellsPerRead) return Variant::failed("区域太大，无法逐个单元格读取。");
    const xls::Workbook& book = range_.book()->book;
    auto xfOf = [&](std::int64_t r, std::int64_t c) -> const xls::Xf* {
        if (r < 0 || c < 0 || r >= xls::kMaxRows || c >= xls::kMaxColumns) return nullptr;
        return book.xf(range_.xfIndexAt(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c)));
    };
    model::Fold fold(Variant::null());
    bool mixed = false;
    auto take = [&](std::uint8_t own, std::uint8_t other) { mixed = !fold.add(Variant::number(map(own != 0 ? own : other))); };
    // The line between two cells is drawn when either of them stores it.
    auto edge = [&](std::int64_t r, std::int64_t c, int side) {
        const xls::Xf* x = xfOf(r, c);
        std::uint8_t own = 0, other = 0;
        const xls::Xf* n = nullptr;
        switch (side) {
            case xl::EdgeLeft:
                own = x ? x->borderLeft : 0;
                n = xfOf(r, c - 1);
                other = n ? n->borderRight : 0;
                break;
            case xl::EdgeRight:
                own = x ? x->borderRight : 0;
                n = xfOf(r, c + 1);
                other = n ? n->borderLeft : 0;
                break;
            case xl::EdgeTop:
                own = x ? x->borderTop : 0;
                n = xfOf(r - 1, c);
                other = n ? n->borderBottom : 0;
                break;
            default:
                own = x ? x->borderBottom : 0;
                n = xfOf(r + 1, c);
                other = n ? n->borderTop : 0;
                break;
        }
        take(own, other);
    };
    const std::int64_t r1 = b.firstRow, r2 = b.lastRow, c1 = b.firstCol, c2 = b.lastCol;
    switch (index_) {
        case xl::EdgeLeft:
            for (auto r = r1; r <= r2 && !mixed; ++r) edge(r, c1, xl::EdgeLeft);
            break;
        case xl::EdgeRight:
            for (auto r = r1; r <= r2 && !mixed; ++r) edge(r, c2, xl::EdgeRight);
            break;
        case xl::EdgeTop:
            for (auto c = c1; c <= c2 && !mixed; ++c) edge(r1, c, xl::EdgeTop);
            break;
        case xl::EdgeBottom:
            for (auto c = c1; c <= c2 && !mixed; ++c) edge(r2, c, xl::EdgeBottom);
            break;
        case xl::InsideVertical:
            for (auto r = r1; r <= r2 && !mixed; ++r)
                for (auto c = c1; c < c2 && !mixed; ++c) edge(r, c, xl::EdgeRight);
            break;
        case xl::InsideHorizontal:
            for (auto r = r1; r < r2 && !mixed; ++r)
                for (auto c = c1; c <= c2 && !mixed; ++c) edge(r, c, xl::EdgeBottom);
            break;
        case xl::DiagonalDown:
        case xl::DiagonalUp: {
            const std::uint8_t bit = index_ == xl::DiagonalDown ? 1 : 2;
            for (auto r = r1; r <= r2 && !mixed; ++r)
                for (auto c = c1; c <= c2 && !mixed; ++c) {
                    const xls::Xf* x = xfOf(r, c);
                    take(x && (x->diagonals & bit) ? x->borderDiagonal : 0, 0);
                }
            break;
        }
        default: return Variant::failed("边框序号 " + std::to_string(index_) + " 无效。");
    }
    return fold.empty() ? Variant::number(map(0)) : fold.result();
}

}  // namespace tarnwick::excel
