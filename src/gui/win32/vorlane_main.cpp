// Vorlane, the first self-test marker, native Windows windows.
#include <windows.h>

#include "gui/win32/selftest_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return tarnwick::gui::win32::runSelftestProgram(tarnwick::selftest::vorlane());
}
