// Embedded charts of a worksheet: ChartObjects, ChartObject.Chart and the chart reads the
// rubrics make. An absent title or axis title is a failed read, as it is in Excel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/excel/book_data.h"
#include "model/excel/variant.h"

namespace tarnwick::excel {

class Characters {
public:
    Characters(std::optional<std::string> text, std::string failure)
        : text_(std::move(text)), failure_(std::move(failure)) {}
    Variant Text() const { return text_ ? Variant::text(*text_) : Variant::failed(failure_); }
private:
    std::optional<std::string> text_;
    std::string failure_;
};

// ChartTitle and AxisTitle.
class Title {
public:
    Title(std::optional<std::string> text, std::string failure) : text_(std::move(text)), failure_(std::move(failure)) {}
    bool exists() const { return text_.has_value(); }
    excel::Characters Characters() const { return excel::Characters(text_, failure_); }
    Variant Text() const { return Characters().Text(); }
private:
    std::optional<std::string> text_;
    std::string failure_;
};

class Series {
public:
    Series(std::optional<std::string> formula, std::string failure) : formula_(std::move(formula)), failure_(std::move(failure)) {}
    Variant Formula() const { return formula_ ? Variant::text(*formula_) : Variant::failed(failure_); }
private:
    std::optional<std::string> formula_;
    std::string failure_;
};

class Axis {
public:
    Axis(std::optional<std::string> title, std::string failure) : title_(std::move(title)), failure_(std::move(failure)) {}
    excel::Title AxisTitle() const { return Title(title_, failure_); }
private:
    std::optional<std::string> title_;
    std::string failure_;
};

class Chart {
public:
    Chart(BookPtr book, const Result<xls::ChartInfo>* info, std::string failure)
        : book_(std::move(book)), info_(info), failure_(std::move(failure)) {}
    bool failed() const { return !info_ || !info_->ok(); }
    std::string failure() const;

    Variant ChartType() const;
    Variant PlotBy() const;
    Variant SeriesCount() const;
    Series SeriesCollection(std::uint32_t index) const;  // 1-based
    Title ChartTitle() const;
    Variant HasTitle() const;
    Axis Axes(int type, int group = 1) const;            // type 1 category, 2 value; group 1 primary
private:
    BookPtr book_;
    const Result<xls::ChartInfo>* info_;
    std::string failure_;
};

class ChartObject {
public:
    ChartObject(BookPtr book, const Result<xls::ChartInfo>* info, std::string failure)
        : book_(std::move(book)), info_(info), failure_(std::move(failure)) {}
    excel::Chart Chart() const { return excel::Chart(book_, info_, failure_); }
private:
    BookPtr book_;
    const Result<xls::ChartInfo>* info_;
    std::string failure_;
};

class ChartObjects {
public:
    ChartObjects(BookPtr book, const xls::Sheet* sheet) : book_(std::move(book)), sheet_(sheet) {}
    Variant Count() const;
    ChartObject Item(std::uint32_t index) const;  // 1-based
    ChartObject operator()(std::uint32_t index) const { return Item(index); }
private:
    BookPtr book_;
    const xls::Sheet* sheet_;
};

}  // namespace tarnwick::excel
