// What the click-through under wine asks of the Windows side (a test tool, not shipped):
//
//   wine-helper.exe peek TITLE
//       The visible top-level window titled TITLE, as Windows itself sees it: lines
//       "client W H", "dpi N", "topmost 0|1", "owned 0|1", then one line per control:
//       "control CLASS X Y W H VISIBLE ENABLED TEXT" (client pixels; the text in UTF-8 with its line
//       breaks written as \n). Exit status 1 when there is no such window.
//   wine-helper.exe hold PROGID STOPFILE
//       Registers PROGID for a class of its own and puts an object of that class in the
//       running-object table, as a running office application does (WPS Office registers its
//       writer as KWps.Application and its spreadsheet as KET.Application); keeps it there until
//       STOPFILE exists, at most two minutes. Prints "holding PROGID" once it is registered.
//   wine-helper.exe record FILE ARGUMENT
//       Appends ARGUMENT and a line break to FILE (UTF-8): registered as the application of a
//       file type, it records what the shell was asked to open.
//
// Built by tools/windows/click-through.sh with the cross compiler.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The text of a window of any process (WM_GETTEXT is marshalled between processes).
std::wstring textOf(HWND h) {
    const LRESULT length = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0 || length > 1000000) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(h, WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::string escaped(const std::wstring& text) {
    std::string out;
    for (char c : utf8(text)) {
        if (c == '\r') continue;
        if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

struct Search {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK findVisible(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (IsWindowVisible(h) && textOf(h) == s->title) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK printControl(HWND h, LPARAM top) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(top), reinterpret_cast<POINT*>(&r), 2);
    std::printf("control %s %ld %ld %ld %ld %d %d %s\n", utf8(cls).c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top, IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0, escaped(textOf(h)).c_str());
    return TRUE;
}

int peek(const std::wstring& title) {
    Search s{title};
    EnumWindows(&findVisible, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return 1;
    RECT client;
    GetClientRect(s.found, &client);
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    std::printf("client %ld %ld\n", client.right, client.bottom);
    std::printf("dpi %u\n", getDpi ? getDpi(s.found) : 0u);
    std::printf("topmost %d\n", (GetWindowLongPtrW(s.found, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    std::printf("owned %d\n", GetWindow(s.found, GW_OWNER) ? 1 : 0);
    EnumChildWindows(s.found, &printControl, reinterpret_cast<LPARAM>(s.found));
    return 0;
}

// An object that only exists: what the probe finds in the running-object table.
struct Present final : IUnknown {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

int hold(const std::wstring& progId, const std::wstring& stopFile) {
    // Calls from the probing process arrive on COM's own threads: no message loop is needed.
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 2;
    GUID clsid;
    CoCreateGuid(&clsid);
    wchar_t clsidText[64] = {};
    StringFromGUID2(clsid, clsidText, 64);
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, (progId + L"\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 2;
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsidText),
                   static_cast<DWORD>((wcslen(clsidText) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    static Present present;
    DWORD cookie = 0;
    if (FAILED(RegisterActiveObject(&present, clsid, ACTIVEOBJECT_STRONG, &cookie))) return 2;
    std::printf("holding %s\n", utf8(progId).c_str());
    std::fflush(stdout);
    for (int i = 0; i < 1200 && GetFileAttributesW(stopFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    RevokeActiveObject(cookie, nullptr);
    CoUninitialize();
    return 0;
}

int record(const std::wstring& file, const std::wstring& argument) {
    const HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 2;
    const std::string line = utf8(argument) + "\n";
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
    return written == line.size() ? 0 : 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == L"peek") return peek(args[1]);
    if (args.size() == 3 && args[0] == L"hold") return hold(args[1], args[2]);
    if (args.size() == 3 && args[0] == L"record") return record(args[1], args[2]);
    std::fprintf(stderr, "usage: wine-helper.exe peek TITLE | hold PROGID STOPFILE | record FILE ARGUMENT\n");
    return 2;
}
