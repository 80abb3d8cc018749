#include "gui/win32/practice_app.h"

#include <utility>

#include "exercises/catalog.h"
#include "gui/win32/layout.h"
#include "gui/win32/view.h"

namespace tarnwick::gui::win32 {

PracticeApp::PracticeApp(shell::Services services) : model_(platform::withPrompter(std::move(services), &boxes_)) {
    boxes_.beforeBox = [this] {
        sync();
        return boxOwner();
    };
}

PracticeApp::~PracticeApp() {
    yaoqiu_.reset();
    main_.reset();
}

template <class Handler>
void PracticeApp::run(Handler handler) {
    handler(model_);
    sync();
}

void PracticeApp::start() {
    run([](shell::WindowModel& m) { m.start(); });
}

HWND PracticeApp::boxOwner() const {
    for (const Window* w : {main_.get(), xuanzhe_.get(), yaoqiu_.get()})
        if (w && w->visible()) return w->handle();
    return nullptr;
}

void PracticeApp::xuanzheClick(std::string_view control) {
    using M = shell::WindowModel;
    for (const exercises::Exercise& e : exercises::catalog())
        if (e.option == control) {
            const int number = e.number;
            run([number](M& m) { m.xuanzheOptionClick(number); });
            return;
        }
    if (control == "Command1") {
        run([](M& m) { m.xuanzheCommand1Click(); });
    } else if (control == "Command2") {
        run([](M& m) { m.xuanzheCommand2Click(); });
    } else if (control == "Command5") {
        run([](M& m) { m.xuanzheCommand5Click(); });
    }
}

void PracticeApp::mainClick(std::string_view control) {
    using M = shell::WindowModel;
    if (control == "Command1") run([](M& m) { m.mainCommand1Click(); });
    else if (control == "Command2") run([](M& m) { m.mainCommand2Click(); });
    else if (control == "Command3") run([](M& m) { m.mainCommand3Click(); });
    else if (control == "Command4") run([](M& m) { m.mainCommand4Click(); });
    else if (control == "Command5") run([](M& m) { m.mainCommand5Click(); });
}

void PracticeApp::createWindows() {
    using M = shell::WindowModel;
    if (model_.xuanzhe.loaded && !xuanzhe_)
        xuanzhe_ = std::make_unique<Window>(
            xuanzheTable(), nullptr,
            Window::Callbacks{[this](std::string_view c) { xuanzheClick(c); },
                              [this] { run([](M& m) { m.xuanzheUnload(); }); }, {}});
    if (model_.main.loaded && !main_)
        main_ = std::make_unique<Window>(
            mainTable(), nullptr,
            Window::Callbacks{[this](std::string_view c) { mainClick(c); }, [this] { run([](M& m) { m.mainUnload(); }); },
                              // A line of the correct or wrong list: what that item read and wanted.
                              [this](std::string_view c, int line) {
                                  if (c == "Text2" || c == "Text3")
                                      run([wrong = c == "Text3", line](M& m) { m.mainListDoubleClick(wrong, line); });
                              }});
    // Owned by the answering window: no taskbar button, and it stays shown while main is hidden.
    if (model_.yaoqiu.loaded && !yaoqiu_ && main_)
        yaoqiu_ = std::make_unique<Window>(yaoqiuTable(), main_->handle(),
                                           Window::Callbacks{{}, [this] { run([](M& m) { m.yaoqiuUnload(); }); }, {}});
    if (model_.shuoming.loaded && !shuoming_)
        shuoming_ = std::make_unique<Window>(
            shuomingTable(), nullptr,
            Window::Callbacks{[this](std::string_view c) {
                                  if (c == "Command1") run([](M& m) { m.shuomingCommand1Click(); });
                              },
                              [this] { run([](M& m) { m.shuomingUnload(); }); }, {}});
}

void PracticeApp::sync() {
    if (model_.ended()) {
        for (Window* w : {yaoqiu_.get(), shuoming_.get(), main_.get(), xuanzhe_.get()})
            if (w && w->visible()) ::ShowWindow(w->handle(), SW_HIDE);
        if (!quitPosted_) {
            quitPosted_ = true;
            ::PostQuitMessage(0);
        }
        return;
    }
    createWindows();
    // Windows that appear go first, so that the desktop never shows none of them in between.
    if (shuoming_) shuoming_->apply(viewOf(model_.shuoming));
    if (main_ && model_.main.visible) main_->apply(viewOf(model_.main));
    if (yaoqiu_) yaoqiu_->apply(viewOf(model_.yaoqiu));
    if (main_ && !model_.main.visible) main_->apply(viewOf(model_.main));
    if (xuanzhe_) xuanzhe_->apply(viewOf(model_.xuanzhe));
}

}  // namespace tarnwick::gui::win32
