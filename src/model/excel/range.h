// excel::Range: a block of cells of one worksheet and the reads the rubrics make on it. A
// property of a block is the common value of its cells, Null when they differ. Reads that the
// file cannot answer are Failed variants; so is every read on a Range that could not be made
// (bad address).
#pragma once

#include <cstdint>
#include <string>

#include "model/excel/address.h"
#include "model/excel/book_data.h"
#include "model/common/fold.h"
#include "model/excel/variant.h"

namespace tarnwick::excel {

class Font;
class Interior;
class Border;

class Range {
public:
    Range() = default;
    Range(BookPtr book, const xls::Sheet* sheet, Block block) : book_(std::move(book)), sheet_(sheet), block_(block) {}
    static Range failedRange(std::string reason) {
        Range r;
        r.error_ = std::move(reason);
        return r;
    }

    bool failed() const { return !error_.empty() || !sheet_; }
    const std::string& failure() const { return error_; }
    const Block& block() const { return block_; }

    Variant Address() const;
    Range MergeArea() const;
    Variant MergeCells() const;
    Variant HorizontalAlignment() const;
    Variant VerticalAlignment() const;
    Variant RowHeight() const;    // points
    Variant ColumnWidth() const;  // characters of the standard font
    excel::Font Font() const;
    excel::Interior Interior() const;
    excel::Border Borders(int index) const;
    Variant Formula() const;
    Variant FormulaR1C1() const;
    Variant HasFormula() const;
    Variant Value() const;
    Variant Text() const;  // Value as text (formatted as General)
    Variant NumberFormatLocal() const;

    // Cells of the block, counted row by row from 1.
    std::uint64_t Count() const { return failed() ? 0 : block_.cellCount(); }
    Range Item(std::uint64_t index) const;
    // A cell relative to the block's top-left cell, both 1-based.
    Range Cells(std::uint32_t row, std::uint32_t column) const;
    std::uint32_t Row() const { return block_.firstRow + 1; }
    std::uint32_t Column() const { return block_.firstCol + 1; }

    // For the readers of the properties above.
    const xls::Sheet* sheet() const { return sheet_; }
    const BookData* book() const { return book_.get(); }
    const xls::Xf* xfAt(std::uint32_t row, std::uint32_t col) const;
    std::uint16_t xfIndexAt(std::uint32_t row, std::uint32_t col) const;
    // Calls f(row, col) -> Variant for every cell, folding the results: Failed wins, differing
    // values give Null.
    template <class F>
    Variant fold(F&& f) const;

private:
    Variant formulaText(bool r1c1) const;

    BookPtr book_;
    const xls::Sheet* sheet_ = nullptr;
    Block block_;
    std::string error_;
};


class Font {
public:
    explicit Font(Range r) : range_(std::move(r)) {}
    Variant Name() const;
    Variant Size() const;        // points
    Variant Bold() const;
    Variant Italic() const;
    Variant ColorIndex() const;  // 1..56, -4105 automatic
private:
    Range range_;
};

class Interior {
public:
    explicit Interior(Range r) : range_(std::move(r)) {}
    Variant ColorIndex() const;  // 1..56, -4142 no fill, -4105 automatic
private:
    Range range_;
};

class Border {
public:
    Border(Range r, int index) : range_(std::move(r)), index_(index) {}
    Variant LineStyle() const;  // xlContinuous, xlDash, ..., xlLineStyleNone; Null when mixed
    Variant Weight() const;     // xlHairline, xlThin, xlMedium, xlThick; xlThin where no line is drawn
private:
    // The value of `map` (from the stored line kind) over the edges the index names.
    Variant foldEdges(int (*map)(std::uint8_t)) const;
    Range range_;
    int index_;
};

inline constexpr std::uint64_t kMaxCellsPerRead = std::uint64_t{1} << 20;

template <class F>
Variant Range::fold(F&& f) const {
    if (failed()) return Variant::failed(error_.empty() ? "区域无效。" : error_);
    if (block_.cellCount() > kMaxCellsPerRead) return Variant::failed("区域太大，无法逐个单元格读取。");
    model::Fold fold(Variant::null());  // Excel reads a mixed range as Null
    for (std::uint32_t r = block_.firstRow; r <= block_.lastRow; ++r)
        for (std::uint32_t c = block_.firstCol; c <= block_.lastCol; ++c)
            if (!fold.add(f(r, c))) return fold.result();
    return fold.result();
}

}  // namespace tarnwick::excel
