// The practice program tarnwick, native Windows windows.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "gui/win32/practice_app.h"
#include "gui/win32/wide.h"
#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "platform/windows/openers_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    namespace win32 = tarnwick::gui::win32;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    auto folder = tarnwick::platform::defaultExamFolder();
    if (!folder) {
        // No exam folder to work in (TARNWICK_EXAM_DIR set but empty): say why and stop.
        ::MessageBoxW(nullptr, win32::wide(folder.error().message).c_str(),
                      win32::wide(tarnwick::shell::kProgramTitle).c_str(), MB_OK);
        return 1;
    }
    const std::unique_ptr<tarnwick::platform::AppProbe> probe = tarnwick::platform::systemProbe();
    tarnwick::platform::ShellFolderOpener opener;
    win32::PracticeApp practice(tarnwick::shell::Services{*folder, probe.get(), &opener, nullptr});
    practice.start();
    return win32::runMessageLoop();
}
