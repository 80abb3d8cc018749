#include "gui/win32/selftest_app.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "gui/win32/layout.h"
#include "gui/win32/view.h"
#include "platform/windows/openers_windows.h"

namespace tarnwick::gui::win32 {
namespace {


// The folder of the running executable, where the workbook lies.
std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);  // a long path: try again with more room
    }
    return {};
}

}  // namespace

SelftestApp::SelftestApp(const selftest::Program& program, selftest::Services services)
    : model_(program, platform::withPrompter(std::move(services), &boxes_)) {
    boxes_.beforeBox = [this] {
        sync();
        return boxOwner();
    };
}

template <class Handler>
void SelftestApp::run(Handler handler) {
    handler(model_);
    sync();
}

void SelftestApp::start() {
    run([](selftest::SelftestModel& m) { m.start(); });
}

HWND SelftestApp::boxOwner() const {
    for (const Window* w : {form_.get(), dialog_.get()})
        if (w && w->visible()) return w->handle();
    return nullptr;
}

void SelftestApp::sync() {
    using M = selftest::SelftestModel;
    if (model_.ended()) {
        for (Window* w : {form_.get(), dialog_.get()})
            if (w && w->visible()) ::ShowWindow(w->handle(), SW_HIDE);
        if (!quitPosted_) {
            quitPosted_ = true;
            ::PostQuitMessage(0);
        }
        return;
    }
    if (model_.dialog.loaded && !dialog_)
        dialog_ = std::make_unique<Window>(selftestDialogTable(model_.program()), nullptr,
                                           Window::Callbacks{[this](std::string_view c) {
                                                                 if (c == "OKButton") run([](M& m) { m.dialogOkClick(); });
                                                                 if (c == "CancelButton")
                                                                     run([](M& m) { m.dialogCancelClick(); });
                                                             },
                                                             [this] { run([](M& m) { m.dialogUnload(); }); }, {}});
    if (model_.form1.loaded && !form_)
        form_ = std::make_unique<Window>(selftestFormTable(model_.program()), nullptr,
                                         Window::Callbacks{[this](std::string_view c) {
                                                               if (c == "Command2") run([](M& m) { m.form1Command2Click(); });
                                                               if (c == "Command1") run([](M& m) { m.form1Command1Click(); });
                                                           },
                                                           [this] { run([](M& m) { m.form1Unload(); }); }, {}});
    // The window that appears goes first, so that the desktop never shows neither of them.
    if (form_) form_->apply(viewOf(model_.form1));
    if (dialog_) dialog_->apply(viewOf(model_.dialog));
}

int runSelftestProgram(const selftest::Program& program) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    platform::ShellDocumentOpener opener;
    SelftestApp marker(program, selftest::Services{programFolder(), &opener, nullptr});
    marker.start();
    return runMessageLoop();
}

}  // namespace tarnwick::gui::win32
