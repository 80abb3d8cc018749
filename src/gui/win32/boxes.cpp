#include "gui/win32/boxes.h"

#include <vector>

#include "gui/win32/wide.h"

namespace tarnwick::gui::win32 {
namespace {

struct Walk {
    HWND owner;
    std::vector<HWND> disabled;
};

BOOL CALLBACK disableOne(HWND h, LPARAM p) {
    auto* walk = reinterpret_cast<Walk*>(p);
    if (h != walk->owner && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
        ::EnableWindow(h, FALSE);
        walk->disabled.push_back(h);
    }
    return TRUE;
}

// The program's other windows are disabled while a box shows (MessageBoxW disables only its
// owner), so that no second handler starts under it; they are enabled again after it.
std::vector<HWND> disableOtherWindows(HWND owner) {
    Walk walk{owner, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &disableOne, reinterpret_cast<LPARAM>(&walk));
    return walk.disabled;
}

}  // namespace

int MessageBoxPrompter::show(std::string_view text, UINT buttons) {
    HWND owner = beforeBox ? beforeBox() : nullptr;
    const std::vector<HWND> disabled = disableOtherWindows(owner);
    const int answer = ::MessageBoxW(owner, wide(text).c_str(), wide(caption_).c_str(),
                                     buttons | (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND);
    for (HWND h : disabled)
        if (::IsWindow(h)) ::EnableWindow(h, TRUE);
    return answer;
}

void MessageBoxPrompter::info(std::string_view text) { show(text, MB_OK); }

bool MessageBoxPrompter::yesNo(std::string_view text) { return show(text, MB_YESNO) == IDYES; }

}  // namespace tarnwick::gui::win32
