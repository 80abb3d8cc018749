#include "model/excel/chart.h"

#include "model/excel/names.h"

namespace tarnwick::excel {

Variant ChartObjects::Count() const {
    if (!sheet_) return Variant::failed("工作表无效。");
    return Variant::number(static_cast<double>(sheet_->charts.size()));
}

ChartObject ChartObjects::Item(std::uint32_t index) const {
    if (!sheet_ || index < 1 || index > sheet_->charts.size())
        return ChartObject(book_, nullptr, "工作表中没有第 " + std::to_string(index) + " 个图表。");
    return ChartObject(book_, &sheet_->charts[index - 1], {});
}

std::string Chart::failure() const {
    if (!info_) return failure_.empty() ? "图表不存在。" : failure_;
    if (!info_->ok()) return info_->error().message;
    return {};
}

Variant Chart::ChartType() const {
    if (failed()) return Variant::failed(failure());
    if ((*info_)->chartType == 0) return Variant::failed("无法确定图表类型。");
    return Variant::number((*info_)->chartType).withNames(&chartTypeName);
}

Variant Chart::PlotBy() const {
    if (failed()) return Variant::failed(failure());
    if ((*info_)->plotBy == 0) return Variant::failed("无法确定数据系列产生在行还是列。");
    return Variant::number((*info_)->plotBy).withNames(&plotByName);
}

Variant Chart::SeriesCount() const {
    if (failed()) return Variant::failed(failure());
    return Variant::number(static_cast<double>((*info_)->series.size()));
}

Series Chart::SeriesCollection(std::uint32_t index) const {
    if (failed()) return Series(std::nullopt, failure());
    const auto& series = (*info_)->series;
    if (index < 1 || index > series.size())
        return Series(std::nullopt, "图表中没有第 " + std::to_string(index) + " 个数据系列。");
    return Series(series[index - 1].formula, {});
}

Title Chart::ChartTitle() const {
    if (failed()) return Title(std::nullopt, failure());
    return Title((*info_)->title, "图表没有标题。");
}

Variant Chart::HasTitle() const {
    if (failed()) return Variant::failed(failure());
    return Variant::boolean((*info_)->title.has_value());
}

Axis Chart::Axes(int type, int group) const {
    if (failed()) return Axis(std::nullopt, failure());
    if (group != 1) return Axis(std::nullopt, "只读取主坐标轴。");
    if (type == xl::Category) return Axis((*info_)->categoryAxisTitle, "分类轴没有标题。");
    if (type == xl::Value) return Axis((*info_)->valueAxisTitle, "数值轴没有标题。");
    return Axis(std::nullopt, "坐标轴类型 " + std::to_string(type) + " 无效。");
}

}  // namespace tarnwick::excel
