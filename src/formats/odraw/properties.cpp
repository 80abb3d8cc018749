#include "formats/odraw/properties.h"

#include <algorithm>

#include "formats/odraw/record.h"

namespace tarnwick::odraw {

Color Color::fromRgb(std::uint32_t rrggbb) {
    const std::uint32_t r = (rrggbb >> 16) & 0xFF, g = (rrggbb >> 8) & 0xFF, b = rrggbb & 0xFF;
    return Color{r | (g << 8) | (b << 16)};
}

Result<PropertyList> parsePropertyTable(Bytes body, std::uint16_t count, PropertySource source) {
    constexpr std::size_t kEntry = 6;
    if (std::size_t{count} * kEntry > body.size()) return damaged("属性表的条目超出记录");
    PropertyList out;
    out.properties.reserve(count);
    std::size_t dataPos = std::size_t{count} * kEntry;
    bool lost = false;  // a complex property did not fit: later complex data cannot be placed
    for (std::size_t i = 0; i < count; ++i) {
        std::uint16_t opid = 0;
        std::uint32_t op = 0;
        readLE(body, i * kEntry, opid);
        readLE(body, i * kEntry + 2, op);
        Property p;
        p.id = static_cast<std::uint16_t>(opid & 0x3FFF);
        p.isBlipId = (opid & 0x4000) != 0;
        p.isComplex = (opid & 0x8000) != 0;
        p.value = op;
        p.source = source;
        if (p.isComplex) {
            if (lost || op > body.size() - dataPos) {
                lost = true;
                ++out.dropped;
                continue;
            }
            p.data.assign(body.begin() + static_cast<std::ptrdiff_t>(dataPos),
                          body.begin() + static_cast<std::ptrdiff_t>(dataPos + op));
            dataPos += op;
        }
        out.properties.push_back(std::move(p));
    }
    return out;
}

void PropertyTable::merge(const std::vector<Property>& properties) {
    for (const Property& p : properties) {
        auto it = std::lower_bound(props_.begin(), props_.end(), p.id,
                                   [](const Property& a, std::uint16_t id) { return a.id < id; });
        if (it == props_.end() || it->id != p.id) {
            props_.insert(it, p);
            continue;
        }
        if (isBooleanSet(p.id) && !p.isComplex && !it->isComplex) {
            // Take the later value's bits where it says it sets them; keep the rest.
            const std::uint32_t use = p.value >> 16;
            const std::uint32_t mask = use | (use << 16);
            it->value = (it->value & ~mask) | (p.value & mask);
            it->source = p.source;
        } else {
            *it = p;
        }
    }
}

const Property* PropertyTable::find(std::uint16_t id) const {
    auto it = std::lower_bound(props_.begin(), props_.end(), id,
                               [](const Property& a, std::uint16_t key) { return a.id < key; });
    return it != props_.end() && it->id == id ? &*it : nullptr;
}

std::optional<std::uint32_t> PropertyTable::value(std::uint16_t id) const {
    const Property* p = find(id);
    if (!p || p->isComplex) return std::nullopt;
    return p->value;
}

std::uint32_t PropertyTable::valueOr(std::uint16_t id, std::uint32_t fallback) const {
    return value(id).value_or(fallback);
}

std::optional<Color> PropertyTable::color(std::uint16_t id) const {
    auto v = value(id);
    if (!v) return std::nullopt;
    return Color{*v};
}

std::optional<bool> PropertyTable::flag(std::uint16_t id, unsigned bit) const {
    if (bit > 15) return std::nullopt;
    auto v = value(id);
    if (!v || ((*v >> (bit + 16)) & 1u) == 0) return std::nullopt;
    return ((*v >> bit) & 1u) != 0;
}

bool PropertyTable::flagOr(std::uint16_t id, unsigned bit, bool fallback) const {
    return flag(id, bit).value_or(fallback);
}

Bytes PropertyTable::complexData(std::uint16_t id) const {
    const Property* p = find(id);
    if (!p || !p->isComplex) return {};
    return Bytes(p->data);
}

}  // namespace tarnwick::odraw
