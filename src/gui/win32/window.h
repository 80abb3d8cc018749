// One top-level window made from its table (layout.h): the controls are created in tab order,
// placed in pixels of the window's monitor and kept there when the window moves to a monitor of
// another DPI. Clicks and the close box are handed to callbacks; apply() mirrors a view.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/win32/layout.h"
#include "gui/win32/view.h"

namespace tarnwick::gui::win32 {

class Window {
public:
    struct Callbacks {
        std::function<void(std::string_view control)> click;  // a button or option button
        std::function<void()> close;                          // the close box, Alt+F4
        // A text box double-clicked: the 0-based line of its text (a wrapped line counts once).
        std::function<void(std::string_view control, int line)> lineDoubleClick;
    };

    // `owner` may be null. A window without a taskbar button and without an owner gets a hidden
    // owner of its own (Windows shows no button for an owned window).
    Window(WindowTable table, HWND owner, Callbacks callbacks);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void apply(const WindowView& view);

    HWND handle() const { return hwnd_; }
    HWND control(std::string_view name) const;
    bool visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }

private:
    struct Control {
        const ControlRow* row;
        HWND hwnd = nullptr;
        std::string shown;  // the text last set from a view (the caption until then)
    };
    struct CachedFont {
        Font font;
        HFONT handle;
    };

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK textBoxProcedure(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM w, LPARAM l);
    void createControls();
    void layout();  // fonts and places at dpi_, and the window's size for its client area
    HFONT fontFor(const Font& font);
    HBRUSH brushFor(Colour colour);
    void releaseFonts();
    const Control* controlOf(HWND hwnd) const;
    LRESULT colours(HDC dc, HWND child, bool editColours);
    void drawColouredButton(const DRAWITEMSTRUCT& item);
    void drawFrame(const DRAWITEMSTRUCT& item);
    void showFirstTime();

    WindowTable table_;
    Callbacks callbacks_;
    HWND hiddenOwner_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND savedFocus_ = nullptr;
    UINT dpi_ = 96;
    bool shownBefore_ = false;
    bool topmost_ = false;
    std::vector<Control> controls_;
    std::vector<CachedFont> fonts_;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;  // solid brushes of the tables' own colours
};

// The program's message loop, with dialog keys (Tab, arrows, Enter, Space) in every window; ends
// at PostQuitMessage and returns its exit code.
int runMessageLoop();

}  // namespace tarnwick::gui::win32
