// The drawings of a Word document ([MS-ODRAW] records at the FIB's fcDggInfo): the drawing group
// (blip store, shape id clusters, default properties) and one drawing per story kind (main
// document, headers), each a tree of shapes and groups flattened in document order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/odraw/properties.h"
#include "formats/odraw/record.h"

namespace tarnwick::odraw {

// Shape types (msospt, the FSP's recInstance) the Word side tells apart.
namespace spt {
inline constexpr std::uint16_t NotPrimitive = 0;
inline constexpr std::uint16_t Rectangle = 1;
inline constexpr std::uint16_t Line = 20;
inline constexpr std::uint16_t PictureFrame = 75;
inline constexpr std::uint16_t TextPlainText = 136;  // first text-effect (WordArt) shape
inline constexpr std::uint16_t TextCanDown = 175;    // last text-effect shape
inline constexpr std::uint16_t TextBox = 202;
}  // namespace spt

// Fill types (fillType, 0x0180).
namespace fill {
inline constexpr std::uint32_t Solid = 0;
inline constexpr std::uint32_t Pattern = 1;
inline constexpr std::uint32_t Texture = 2;
inline constexpr std::uint32_t Picture = 3;
inline constexpr std::uint32_t Shade = 4;         // linear gradient
inline constexpr std::uint32_t ShadeCenter = 5;   // gradient from a rectangle
inline constexpr std::uint32_t ShadeShape = 6;    // gradient following the shape
inline constexpr std::uint32_t ShadeScale = 7;    // linear gradient, scaled
inline constexpr std::uint32_t ShadeTitle = 8;
inline constexpr std::uint32_t Background = 9;
}  // namespace fill

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Fill of a shape with the [MS-ODRAW] defaults applied where nothing is stored.
struct FillStyle {
    std::uint32_t type = fill::Solid;
    Color color{0x00FFFFFF};      // white
    std::uint32_t opacity = 0x10000;  // 16.16, 1.0
    Color backColor{0x00FFFFFF};  // white
    std::int32_t angle = 0;       // 16.16 degrees
    std::int32_t focus = 0;       // percent
    bool filled = true;           // fFilled
    bool hasShadeColors = false;  // a multi-colour (preset) gradient, 0x0197
    std::optional<std::uint32_t> shadePreset;
    bool isGradient() const { return type >= fill::Shade && type <= fill::ShadeTitle; }
};

struct LineStyle {
    Color color{0x00000000};  // black
    std::uint32_t width = 9525;  // EMU (0.75 pt)
    bool on = true;              // fLine
};

struct ShadowStyle {
    std::uint32_t type = 0;          // 0 offset, 1 double, 2 perspective ("rich"), ...
    Color color{0x00808080};         // grey
    std::uint32_t opacity = 0x10000;
    std::int32_t offsetX = 25400;    // EMU (2 pt)
    std::int32_t offsetY = 25400;
    bool on = false;                 // fShadow
};

struct ThreeDStyle {
    bool on = false;                     // f3D of the 3-D object booleans (0x02BF)
    std::optional<Color> extrusionColor;  // 0x0287
    std::uint32_t objectBooleans = 0;    // 0x02BF as merged (0 when missing)
    std::uint32_t styleBooleans = 0;     // 0x02FF as merged (0 when missing)
};

// Bits of the geometry-text booleans (0x00FF).
namespace gtext {
inline constexpr unsigned Bold = 5;
inline constexpr unsigned Italic = 4;
inline constexpr unsigned Kern = 12;
inline constexpr unsigned Vertical = 13;
inline constexpr unsigned Gtext = 14;
inline constexpr unsigned ReverseRows = 15;
}  // namespace gtext

struct Shape {
    std::uint32_t spid = 0;
    std::uint16_t shapeType = 0;  // msospt
    std::uint32_t flags = 0;      // FSP flags as stored (bit 0 fGroup ... bit 11 fHaveSpt)
    bool hasFsp = false;
    std::optional<Rect> groupBounds;  // FSPGR: coordinate space of a group's children
    std::optional<Rect> childAnchor;  // position inside the parent group
    std::optional<std::vector<std::uint8_t>> clientAnchor;   // Word: 4 bytes
    std::optional<std::vector<std::uint8_t>> clientData;     // Word: 4 bytes
    std::optional<std::vector<std::uint8_t>> clientTextbox;  // Word: 4 bytes
    PropertyTable properties;
    std::size_t droppedProperties = 0;  // complex properties lost to data past their record
    int parent = -1;  // index in Drawing::shapes of the group shape holding this one, -1 for none
    int depth = 0;    // 0 for the patriarch, 1 for its direct children, ...

    bool isGroup() const { return flags & 0x001; }
    bool isChild() const { return flags & 0x002; }
    bool isPatriarch() const { return flags & 0x004; }
    bool isDeleted() const { return flags & 0x008; }
    bool isOleShape() const { return flags & 0x010; }
    bool hasMaster() const { return flags & 0x020; }
    bool flipH() const { return flags & 0x040; }
    bool flipV() const { return flags & 0x080; }
    bool isConnector() const { return flags & 0x100; }
    bool hasAnchor() const { return flags & 0x200; }
    bool isBackground() const { return flags & 0x400; }
    bool hasShapeType() const { return flags & 0x800; }

    // gtextUNICODE as UTF-8, the trailing NUL dropped; empty optional when not stored.
    std::optional<std::string> geometryText() const;
    std::optional<std::string> geometryTextFont() const;  // gtextFont 0x00C5
    std::optional<bool> geometryTextFlag(unsigned bit) const;  // 0x00FF, see namespace gtext
    bool isVerticalText() const;
    bool hasGeometryText() const;  // gtextUNICODE stored or fGtext set

    std::optional<std::uint32_t> pib() const;  // 1-based index into the blip store
    bool hasBlip() const;

    FillStyle fill() const;
    LineStyle line() const;
    ShadowStyle shadow() const;
    ThreeDStyle threeD() const;
    std::optional<std::uint32_t> posh() const;
    std::optional<std::uint32_t> posrelh() const;
    std::optional<std::uint32_t> posv() const;
    std::optional<std::uint32_t> posrelv() const;
    std::optional<std::uint32_t> groupShapeBooleans() const;  // 0x03BF as merged
    std::optional<bool> behindDocument() const;                // 0x03BF fBehindDocument
    std::int32_t rotation() const;                             // 16.16 degrees, 0 when missing
    std::optional<std::string> name() const;                   // 0x0380
};

struct Drawing {
    std::uint8_t dgglbl = 0;        // 0 main document, 1 headers and footers
    std::uint16_t drawingId = 0;    // FDG recInstance
    std::uint32_t shapeCount = 0;   // FDG csp
    std::uint32_t lastSpid = 0;     // FDG spidCur
    std::vector<Shape> shapes;      // the patriarch group and everything in it, document order
    std::optional<Shape> background;
    std::vector<Shape> deleted;     // deleted shapes kept by the writer

    // The shape of that id among shapes and the background; nullptr when none has it.
    const Shape* findShape(std::uint32_t spid) const;
    // Indexes of the direct children of shapes[group] (or of the top level for -1).
    std::vector<std::size_t> childrenOf(int group) const;

    std::vector<std::pair<std::uint32_t, std::size_t>> index;  // spid -> shapes index, sorted
};

struct BlipEntry {
    std::uint16_t recInstance = 0;
    std::uint8_t btWin32 = 0;  // 2 EMF, 3 WMF, 4 PICT, 5 JPEG, 6 PNG, 7 DIB, 0x11 TIFF, 0x12 CMYK JPEG
    std::uint8_t btMacOS = 0;
    std::array<std::uint8_t, 16> uid{};
    std::uint16_t tag = 0;
    std::uint32_t size = 0;     // of the blip, wherever it is
    std::uint32_t cRef = 0;     // references; 0 means an empty slot
    std::uint32_t foDelay = 0;  // offset of the blip in the WordDocument stream
    std::string name;           // UTF-8
    bool embedded = false;      // the blip record follows the entry inside the blip store
};

struct IdCluster {
    std::uint32_t drawingId = 0;
    std::uint32_t spidCount = 0;
};

struct DrawingGroup {
    std::uint32_t spidMax = 0;
    std::uint32_t cidcl = 0;
    std::uint32_t savedShapes = 0;
    std::uint32_t savedDrawings = 0;
    std::vector<IdCluster> clusters;
    std::vector<BlipEntry> blips;  // blip store entries in order; pib n is blips[n - 1]
    std::vector<Property> defaults;  // the group's OPT and tertiary OPT, already merged into shapes
};

struct DrawingContent {
    DrawingGroup group;
    std::vector<Drawing> drawings;  // in file order

    const Drawing* mainDrawing() const;    // dgglbl 0
    const Drawing* headerDrawing() const;  // dgglbl 1
    // The blip store entry a shape's pib points at; nullptr when it has none or it is out of range.
    const BlipEntry* blipOf(const Shape& shape) const;
};

// Reads Word's OfficeArtContent: a drawing group container followed by drawings, each one byte
// dgglbl and a drawing container. Empty bytes read as no drawings at all.
Result<DrawingContent> readWordDrawings(Bytes dggInfo, const Limits& limits = {});

// Reads one drawing container record (header included), e.g. from a PowerPoint slide.
Result<Drawing> readDrawingContainer(Bytes record, const Limits& limits = {});

// Reads one shape container record (header included), e.g. an inline shape in Word's Data stream.
// The shape gets no drawing-group defaults.
Result<Shape> readShapeContainer(Bytes record, const Limits& limits = {});

}  // namespace tarnwick::odraw
