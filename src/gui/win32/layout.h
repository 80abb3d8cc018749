// The windows of the native Windows front end as tables: each control with its name, kind,
// caption, place and size in twips, font, colours and initial state. Plain data, built and tested
// on every platform; src/gui/win32/window.cpp turns a table into real windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::selftest {
struct Program;
}

namespace tarnwick::gui::win32 {

// A colour as Windows stores it, 0x00BBGGRR; 0x80000000 | n is the desktop's system colour n.
using Colour = std::uint32_t;
inline constexpr Colour kDefaultColour = 0xFFFFFFFFu;  // the control's own colour
inline constexpr Colour kRed = 0x0000FFu;
inline constexpr Colour kGreen = 0x008000u;
inline constexpr Colour kPurple = 0x800080u;
inline constexpr Colour kLightBlue = 0xFFC0C0u;
inline constexpr Colour kDarkBlue = 0xC00000u;
inline constexpr Colour kMagenta = 0xC000C0u;
inline constexpr Colour kHighlight = 0x8000000Du;   // COLOR_HIGHLIGHT
inline constexpr Colour kButtonFace = 0x8000000Fu;  // COLOR_BTNFACE

constexpr bool isSystemColour(Colour c) { return c != kDefaultColour && (c & 0x80000000u) != 0; }
constexpr int systemColourIndex(Colour c) { return static_cast<int>(c & 0xFFu); }

inline constexpr std::string_view kSong = "宋体";
inline constexpr std::string_view kKai = "楷体_GB2312";
inline constexpr std::string_view kHei = "黑体";

// A GB2312 face at a point size; bold is weight 700, otherwise 400.
struct Font {
    std::string_view face;
    double points;
    bool bold = false;
};
// The default font of every window.
inline constexpr Font kWindowFont{kSong, 9};

enum class Kind {
    Button,
    ColouredButton,  // a button drawn by the program on its own background colour
    Option,          // an option button; the options of a window form one group
    Label,
    Frame,           // a frame (group box) with a caption; controls may sit in it
    TextBox,         // a multi-line text box
};

// Left, top, width, height in twips (1/1440 inch).
struct TwipRect {
    int left, top, width, height;
    bool operator==(const TwipRect&) const = default;
};

struct ControlRow {
    std::string name;     // "Command1", "Label2(0)", ...
    Kind kind = Kind::Label;
    std::string caption;  // UTF-8
    TwipRect rect{};      // relative to the frame named `frame`, else to the client area
    Font font = kWindowFont;
    Colour text = kDefaultColour;
    Colour back = kDefaultColour;
    std::string frame;    // empty: directly in the window
    bool visible = true;
    bool enabled = true;
    bool verticalScrollBar = false;  // text boxes
};

enum class FrameStyle {
    FixedDialog,  // not resizable, no minimise or maximise box
    Resizable,    // an ordinary window
};
enum class Placement { Centred, ByTheSystem };

struct WindowTable {
    std::string name;     // "xuanzhe", "main", ...
    std::string caption;  // UTF-8
    int clientWidth = 0, clientHeight = 0;  // twips
    FrameStyle frame = FrameStyle::Resizable;
    Placement placement = Placement::Centred;
    bool taskbarButton = true;
    std::string focus;    // the control with the focus when the window first shows; may be empty
    std::vector<ControlRow> controls;  // in tab order

    const ControlRow* find(std::string_view controlName) const;
};

// The practice program's windows.
WindowTable xuanzheTable();
WindowTable mainTable();
WindowTable yaoqiuTable();
WindowTable shuomingTable();

// A self-test marker's windows: the start window Dialog and the task window Form1.
WindowTable selftestDialogTable(const selftest::Program& program);
WindowTable selftestFormTable(const selftest::Program& program);

// Twips to pixels at `dpi` dots per inch, rounded half away from zero (MulDiv(twips, dpi, 1440)).
int toPixels(int twips, int dpi);

struct PixelRect {
    int x, y, width, height;
    bool operator==(const PixelRect&) const = default;
};
// The control's place in the window's client area: a control in a frame is placed in the frame's
// pixels, as it would be as the frame's child.
PixelRect pixelRect(const WindowTable& window, const ControlRow& control, int dpi);

// The LOGFONT height of a font, in pixels at `dpi` (negative: the character height, without the
// internal leading, as point sizes are meant).
int fontHeight(double points, int dpi);

}  // namespace tarnwick::gui::win32
