// Shape properties: the OfficeArt property tables (OPT, secondary OPT, tertiary OPT) of a shape
// or of the drawing group, merged into one lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::odraw {

// Property ids (opid) this reader gives accessors for.
namespace pid {
inline constexpr std::uint16_t Rotation = 0x0004;
inline constexpr std::uint16_t GtextUnicode = 0x00C0;
inline constexpr std::uint16_t GtextSize = 0x00C3;
inline constexpr std::uint16_t GtextFont = 0x00C5;
inline constexpr std::uint16_t GtextBooleans = 0x00FF;
inline constexpr std::uint16_t Pib = 0x0104;
inline constexpr std::uint16_t PibName = 0x0105;
inline constexpr std::uint16_t FillType = 0x0180;
inline constexpr std::uint16_t FillColor = 0x0181;
inline constexpr std::uint16_t FillOpacity = 0x0182;
inline constexpr std::uint16_t FillBackColor = 0x0183;
inline constexpr std::uint16_t FillBackOpacity = 0x0184;
inline constexpr std::uint16_t FillBlip = 0x0186;
inline constexpr std::uint16_t FillBlipName = 0x0187;
inline constexpr std::uint16_t FillAngle = 0x018B;
inline constexpr std::uint16_t FillFocus = 0x018C;
inline constexpr std::uint16_t FillShadePreset = 0x0196;
inline constexpr std::uint16_t FillShadeColors = 0x0197;
inline constexpr std::uint16_t FillBooleans = 0x01BF;
inline constexpr std::uint16_t LineColor = 0x01C0;
inline constexpr std::uint16_t LineWidth = 0x01CB;
inline constexpr std::uint16_t LineDashing = 0x01CE;
inline constexpr std::uint16_t LineBooleans = 0x01FF;
inline constexpr std::uint16_t ShadowType = 0x0200;
inline constexpr std::uint16_t ShadowColor = 0x0201;
inline constexpr std::uint16_t ShadowOpacity = 0x0204;
inline constexpr std::uint16_t ShadowOffsetX = 0x0205;
inline constexpr std::uint16_t ShadowOffsetY = 0x0206;
inline constexpr std::uint16_t ShadowBooleans = 0x023F;
inline constexpr std::uint16_t ExtrusionColor = 0x0287;
inline constexpr std::uint16_t ThreeDObjectBooleans = 0x02BF;
inline constexpr std::uint16_t ThreeDStyleBooleans = 0x02FF;
inline constexpr std::uint16_t ShapeBooleans = 0x033F;
inline constexpr std::uint16_t ShapeName = 0x0380;
inline constexpr std::uint16_t Posh = 0x038F;
inline constexpr std::uint16_t Posrelh = 0x0390;
inline constexpr std::uint16_t Posv = 0x0391;
inline constexpr std::uint16_t Posrelv = 0x0392;
inline constexpr std::uint16_t GroupShapeBooleans = 0x03BF;
}  // namespace pid

// OfficeArtCOLORREF: red, green, blue bytes and a flags byte saying how to read them.
struct Color {
    std::uint32_t raw = 0;  // as stored: 0xFFBBGGRR-style, flags in the high byte

    static Color fromRgb(std::uint32_t rrggbb);  // a plain colour from #RRGGBB
    std::uint8_t red() const { return static_cast<std::uint8_t>(raw & 0xFF); }
    std::uint8_t green() const { return static_cast<std::uint8_t>((raw >> 8) & 0xFF); }
    std::uint8_t blue() const { return static_cast<std::uint8_t>((raw >> 16) & 0xFF); }
    bool paletteIndex() const { return (raw >> 24) & 0x01; }
    bool paletteRgb() const { return (raw >> 24) & 0x02; }
    bool systemRgb() const { return (raw >> 24) & 0x04; }
    bool schemeIndex() const { return (raw >> 24) & 0x08; }
    bool sysIndex() const { return (raw >> 24) & 0x10; }
    // True when red/green/blue hold the colour itself (not an index into a palette or scheme).
    bool isRgb() const { return !paletteIndex() && !schemeIndex() && !sysIndex(); }
    std::uint32_t rgb() const { return (std::uint32_t{red()} << 16) | (std::uint32_t{green()} << 8) | blue(); }
    friend bool operator==(const Color&, const Color&) = default;
};

// Which table a property came from. The drawing group's table gives defaults for every shape.
enum class PropertySource : std::uint8_t { Group, Primary, Secondary, Tertiary };

struct Property {
    std::uint16_t id = 0;     // opid, 14 bits
    bool isBlipId = false;    // fBid: value is a BLIP index (1-based) into the blip store
    bool isComplex = false;   // fComplex: value is the byte length of data
    std::uint32_t value = 0;
    std::vector<std::uint8_t> data;  // complex data, value bytes long
    PropertySource source = PropertySource::Primary;
};

// One parsed property table record.
struct PropertyList {
    std::vector<Property> properties;  // in file order
    std::size_t dropped = 0;           // complex properties whose data ran past the record
};

// Parses the body of an OPT / secondary OPT / tertiary OPT record. count is its recInstance.
// Entries that do not fit in the body are an error. Complex data is taken in entry order; the
// first complex property whose data runs past the body is dropped together with every complex
// property after it (their data can no longer be placed); simple properties are all kept.
Result<PropertyList> parsePropertyTable(Bytes body, std::uint16_t count, PropertySource source);

// The merged properties of one shape. Later tables override earlier ones in this order: drawing
// group defaults, primary OPT, secondary OPT, tertiary OPT. A plain property is replaced whole; a
// boolean property set (an id whose low six bits are all set, 0x..3F/0x..7F/0x..BF/0x..FF) is merged
// bit by bit: a later table's bit counts only where its "use" bit (bit + 16) is set.
class PropertyTable {
public:
    void merge(const std::vector<Property>& properties);

    const Property* find(std::uint16_t id) const;
    std::optional<std::uint32_t> value(std::uint16_t id) const;
    std::uint32_t valueOr(std::uint16_t id, std::uint32_t fallback) const;
    std::optional<Color> color(std::uint16_t id) const;
    // Bit 0..15 of a boolean property set; empty when the set is missing or the bit's "use" flag
    // (bit + 16) is clear, which means the property's default applies.
    std::optional<bool> flag(std::uint16_t id, unsigned bit) const;
    bool flagOr(std::uint16_t id, unsigned bit, bool fallback) const;
    // Complex data of a property (empty when missing or not complex).
    Bytes complexData(std::uint16_t id) const;

    const std::vector<Property>& all() const { return props_; }
    bool empty() const { return props_.empty(); }

    static bool isBooleanSet(std::uint16_t id) { return (id & 0x3F) == 0x3F; }

private:
    std::vector<Property> props_;  // sorted by id
};

}  // namespace tarnwick::odraw
