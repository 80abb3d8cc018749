#include "gui/win32/window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "gui/win32/wide.h"

namespace tarnwick::gui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TarnwickWindow";
constexpr int kFirstControlId = 100;

// Functions of newer Windows versions, looked up at run time so that the programs still start on
// Windows 7 (GetDpiForWindow and AdjustWindowRectExForDpi arrived with Windows 10 1607).
template <class F>
F user32Function(const char* name) {
    const FARPROC p = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
}

UINT dpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi > 0) return dpi;
    }
    HDC dc = ::GetDC(hwnd);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ::ReleaseDC(hwnd, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void adjustForDpi(RECT& r, DWORD style, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = user32Function<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjust) {
        adjust(&r, style, FALSE, exStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
}

COLORREF resolve(Colour c) {
    return isSystemColour(c) ? ::GetSysColor(systemColourIndex(c)) : static_cast<COLORREF>(c);
}

bool sameFont(const Font& a, const Font& b) { return a.face == b.face && a.points == b.points && a.bold == b.bold; }

// Without WS_CLIPCHILDREN: the window paints the inside of its frames, which group boxes leave.
DWORD windowStyle(FrameStyle frame) {
    return frame == FrameStyle::FixedDialog ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
}

DWORD windowExStyle(FrameStyle frame) { return frame == FrameStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0; }

bool isButton(Kind k) { return k == Kind::Button || k == Kind::ColouredButton; }

void registerClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
    registered = true;
}

}  // namespace

Window::Window(WindowTable table, HWND owner, Callbacks callbacks)
    : table_(std::move(table)), callbacks_(std::move(callbacks)) {
    registerClass(&Window::procedure);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!owner && !table_.taskbarButton) {
        hiddenOwner_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        owner = hiddenOwner_;
    }
    const DWORD style = windowStyle(table_.frame);
    hwnd_ = ::CreateWindowExW(windowExStyle(table_.frame), kClassName, wide(table_.caption).c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, owner, nullptr, instance, this);
    if (!hwnd_) return;
    dpi_ = dpiOf(hwnd_);
    createControls();
    layout();
    RECT r{0, 0, toPixels(table_.clientWidth, static_cast<int>(dpi_)), toPixels(table_.clientHeight, static_cast<int>(dpi_))};
    adjustForDpi(r, style, windowExStyle(table_.frame), dpi_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Window::~Window() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (hiddenOwner_) ::DestroyWindow(hiddenOwner_);
    releaseFonts();
    for (const auto& [colour, brush] : brushes_) ::DeleteObject(brush);
}

void Window::createControls() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    controls_.reserve(table_.controls.size());
    bool firstOption = true;
    int id = kFirstControlId;
    for (const ControlRow& c : table_.controls) {
        const wchar_t* cls = L"BUTTON";
        DWORD style = WS_CHILD;
        DWORD exStyle = 0;
        switch (c.kind) {
            case Kind::Button: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
            case Kind::ColouredButton: style |= WS_TABSTOP | BS_OWNERDRAW; break;
            case Kind::Option:
                // The options form one group: the first starts it and is the tab stop; the arrow
                // keys move among them.
                style |= BS_AUTORADIOBUTTON;
                if (firstOption) style |= WS_GROUP | WS_TABSTOP;
                firstOption = false;
                break;
            case Kind::Label:
                cls = L"STATIC";
                style |= SS_LEFT | SS_NOPREFIX;
                break;
            case Kind::Frame:
                // Drawn by the window (drawFrame): a group box would cut the caption's top row of
                // pixels with faces whose glyphs reach their ascent.
                cls = L"STATIC";
                style |= SS_OWNERDRAW | WS_CLIPSIBLINGS;
                break;
            case Kind::TextBox:
                cls = L"EDIT";
                style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
                if (c.verticalScrollBar) style |= WS_VSCROLL;
                exStyle |= WS_EX_CLIENTEDGE;
                break;
        }
        if (c.kind != Kind::Option) style |= WS_GROUP;
        if (c.visible) style |= WS_VISIBLE;
        if (!c.enabled) style |= WS_DISABLED;
        HWND h = ::CreateWindowExW(exStyle, cls, wide(c.caption).c_str(), style, 0, 0, 0, 0, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        if (c.kind == Kind::TextBox) {
            ::SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
            ::SetWindowSubclass(h, &Window::textBoxProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
        }
        // Themed option buttons draw their caption in the theme's colour; the classic look keeps
        // the colour of the table.
        if (c.kind == Kind::Option && c.text != kDefaultColour) ::SetWindowTheme(h, L"", L"");
        controls_.push_back(Control{&c, h, c.caption});
    }
    // Frames go below the controls placed in them; they skip what those controls cover.
    for (const Control& c : controls_)
        if (c.row->kind == Kind::Frame)
            ::SetWindowPos(c.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HFONT Window::fontFor(const Font& font) {
    for (const CachedFont& f : fonts_)
        if (sameFont(f.font, font)) return f.handle;
    HFONT h = ::CreateFontW(fontHeight(font.points, static_cast<int>(dpi_)), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                            FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wide(font.face).c_str());
    fonts_.push_back({font, h});
    return h;
}

void Window::releaseFonts() {
    for (const CachedFont& f : fonts_) ::DeleteObject(f.handle);
    fonts_.clear();
}

HBRUSH Window::brushFor(Colour colour) {
    if (isSystemColour(colour)) return ::GetSysColorBrush(systemColourIndex(colour));
    const COLORREF rgb = resolve(colour);
    for (const auto& [c, brush] : brushes_)
        if (c == rgb) return brush;
    HBRUSH brush = ::CreateSolidBrush(rgb);
    brushes_.emplace_back(rgb, brush);
    return brush;
}

void Window::layout() {
    std::vector<CachedFont> old;
    old.swap(fonts_);
    const int dpi = static_cast<int>(dpi_);
    for (const Control& c : controls_) {
        const PixelRect r = pixelRect(table_, *c.row, dpi);
        ::SetWindowPos(c.hwnd, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(c.row->font)), TRUE);
    }
    for (const CachedFont& f : old) ::DeleteObject(f.handle);
}

HWND Window::control(std::string_view name) const {
    for (const Control& c : controls_)
        if (c.row->name == name) return c.hwnd;
    return nullptr;
}

const Window::Control* Window::controlOf(HWND hwnd) const {
    for (const Control& c : controls_)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

void Window::showFirstTime() {
    shownBefore_ = true;
    if (table_.placement != Placement::Centred) return;
    RECT r;
    ::GetWindowRect(hwnd_, &r);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return;
    const RECT& work = info.rcWork;
    const int width = r.right - r.left, height = r.bottom - r.top;
    ::SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::apply(const WindowView& view) {
    for (const ControlState& state : view.controls) {
        auto it = std::find_if(controls_.begin(), controls_.end(),
                               [&](const Control& c) { return c.row->name == state.name; });
        if (it == controls_.end()) continue;
        // A text is set only when the model's text changed: what the student scrolled to or
        // typed stays while it is the same.
        if (it->shown != state.text) {
            ::SetWindowTextW(it->hwnd, wide(state.text).c_str());
            it->shown = state.text;
        }
        if (it->row->kind == Kind::TextBox) ::SendMessageW(it->hwnd, EM_SETREADONLY, state.readOnly ? TRUE : FALSE, 0);
        ::EnableWindow(it->hwnd, state.enabled ? TRUE : FALSE);
        ::ShowWindow(it->hwnd, state.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (view.topmost != topmost_) {
        // Stays above every window that is not topmost, the office application's included.
        ::SetWindowPos(hwnd_, view.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        topmost_ = view.topmost;
    }
    if (view.visible && !visible()) {
        const bool first = !shownBefore_;
        if (first) showFirstTime();
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd_);
        if (first && !table_.focus.empty()) ::SetFocus(control(table_.focus));
    } else if (!view.visible && visible()) {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

LRESULT Window::colours(HDC dc, HWND child, bool editColours) {
    const Control* c = controlOf(child);
    if (!c) return 0;
    const ControlRow& s = *c->row;
    if (s.kind == Kind::TextBox) {
        // A read-only text box keeps the look of an editable one (its own background).
        const Colour back = s.back != kDefaultColour ? s.back : Colour{0x80000000u | COLOR_WINDOW};
        ::SetTextColor(dc, s.text != kDefaultColour ? resolve(s.text) : ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, resolve(back));
        return reinterpret_cast<LRESULT>(brushFor(back));
    }
    if (editColours) return 0;
    const Colour back = s.back != kDefaultColour ? s.back : kButtonFace;
    if (s.text != kDefaultColour) ::SetTextColor(dc, resolve(s.text));
    ::SetBkColor(dc, resolve(back));
    return reinterpret_cast<LRESULT>(brushFor(back));
}

void Window::drawColouredButton(const DRAWITEMSTRUCT& item) {
    const Control* c = controlOf(item.hwndItem);
    if (!c) return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &r, brushFor(c->row->back));
    ::DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int length = ::GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));
    RECT text = r;
    if (pressed) ::OffsetRect(&text, 1, 1);
    const COLORREF ink = (item.itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT)
                         : c->row->text != kDefaultColour ? resolve(c->row->text)
                                                           : ::GetSysColor(COLOR_BTNTEXT);
    ::SetTextColor(dc, ink);
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, fontFor(c->row->font));
    ::DrawTextW(dc, caption.c_str(), length, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = r;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

void Window::drawFrame(const DRAWITEMSTRUCT& item) {
    const Control* c = controlOf(item.hwndItem);
    if (!c) return;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    ::FillRect(dc, &r, brushFor(c->row->back != kDefaultColour ? c->row->back : kButtonFace));
    HGDIOBJ oldFont = ::SelectObject(dc, fontFor(c->row->font));
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    // The etched line runs through the middle of the caption, which sits on the frame's face
    // a little in from its left edge.
    RECT line = r;
    line.top += tm.tmHeight / 2;
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = wide(c->row->caption);
    const int margin = ::MulDiv(8, static_cast<int>(dpi_), 96);
    RECT text{r.left + margin, r.top, r.right - margin, r.top + tm.tmHeight};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    ::InflateRect(&text, ::MulDiv(2, static_cast<int>(dpi_), 96), 0);
    ::FillRect(dc, &text, brushFor(c->row->back != kDefaultColour ? c->row->back : kButtonFace));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, c->row->text != kDefaultColour ? resolve(c->row->text) : ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOPREFIX | DT_CENTER);
    ::SelectObject(dc, oldFont);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(l)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, w, l);
    return self->handleMessage(message, w, l);
}

LRESULT CALLBACK Window::textBoxProcedure(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &Window::textBoxProcedure, 1);
    const LRESULT result = ::DefSubclassProc(hwnd, message, w, l);
    auto* window = reinterpret_cast<Window*>(self);
    if (message == WM_LBUTTONDBLCLK && window->callbacks_.lineDoubleClick) {
        // The visual line under the pointer, its first character, and the line breaks before it.
        const auto hit = static_cast<DWORD>(::SendMessageW(hwnd, EM_CHARFROMPOS, 0, l));
        const auto start = ::SendMessageW(hwnd, EM_LINEINDEX, HIWORD(hit), 0);
        const int length = ::GetWindowTextLengthW(hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::GetWindowTextW(hwnd, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        if (start >= 0) {
            const auto end = text.begin() + std::min<std::ptrdiff_t>(start, length);
            const auto line = static_cast<int>(std::count(text.begin(), end, L'\n'));
            if (const Control* c = window->controlOf(hwnd)) window->callbacks_.lineDoubleClick(c->row->name, line);
        }
    }
    return result;
}

LRESULT Window::handleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND: {
            const auto from = reinterpret_cast<HWND>(l);
            if (from && HIWORD(w) == BN_CLICKED) {
                const Control* c = controlOf(from);
                if (c && (isButton(c->row->kind) || c->row->kind == Kind::Option) && callbacks_.click)
                    callbacks_.click(c->row->name);
                return 0;
            }
            // Enter from the dialog keys: the button with the focus is pressed.
            if (LOWORD(w) == IDOK) {
                const Control* c = controlOf(::GetFocus());
                if (c && isButton(c->row->kind) && ::IsWindowEnabled(c->hwnd) && callbacks_.click)
                    callbacks_.click(c->row->name);
                return 0;
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return colours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), false);
        case WM_CTLCOLOREDIT: {
            const LRESULT brush = colours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), true);
            return brush ? brush : ::DefWindowProcW(hwnd_, message, w, l);
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (item.CtlType == ODT_STATIC) drawFrame(item);
            else drawColouredButton(item);
            return TRUE;
        }
        case WM_ACTIVATE:
            // Each window keeps its own focus when the student switches between windows.
            if (LOWORD(w) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) savedFocus_ = focus;
            } else if (savedFocus_ && ::IsWindow(savedFocus_) && ::IsWindowVisible(savedFocus_) &&
                       ::IsWindowEnabled(savedFocus_)) {
                ::SetFocus(savedFocus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            // Moved to a monitor of another DPI: fonts and places anew, the size Windows suggests.
            dpi_ = HIWORD(w);
            layout();
            const auto* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            // The model decides what closing means; the window is hidden or kept by the next view.
            if (callbacks_.close) callbacks_.close();
            return 0;
        default: break;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

int runMessageLoop() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && ::IsDialogMessageW(root, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tarnwick::gui::win32
