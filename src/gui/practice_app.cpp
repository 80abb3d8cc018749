#include "gui/practice_app.h"

#include <utility>

namespace tarnwick::gui {

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

QWidget* PracticeApp::boxOwner() const {
    if (main_ && main_->isVisible()) return main_.get();
    if (xuanzhe_ && xuanzhe_->isVisible()) return xuanzhe_.get();
    if (yaoqiu_ && yaoqiu_->isVisible()) return yaoqiu_.get();
    return nullptr;
}

void PracticeApp::createWindows() {
    using M = shell::WindowModel;
    if (model_.xuanzhe.loaded && !xuanzhe_) {
        // The selection window has no taskbar button: it is owned by a window that is never
        // shown (Windows leaves owned windows off the taskbar; X11 marks it transient).
        taskbarOwner_ = std::make_unique<QWidget>();
        taskbarOwner_->winId();
        xuanzhe_ = std::make_unique<XuanzheWindow>(taskbarOwner_.get());
        XuanzheWindow* w = xuanzhe_.get();
        for (int n = 1; n <= 8; ++n)
            QObject::connect(w->Option[static_cast<std::size_t>(n)], &QRadioButton::toggled, [this, n](bool on) {
                if (on) run([n](M& m) { m.xuanzheOptionClick(n); });
            });
        QObject::connect(w->Command1, &QPushButton::clicked, [this] { run([](M& m) { m.xuanzheCommand1Click(); }); });
        QObject::connect(w->Command2, &QPushButton::clicked, [this] { run([](M& m) { m.xuanzheCommand2Click(); }); });
        QObject::connect(w->Command5, &QPushButton::clicked, [this] { run([](M& m) { m.xuanzheCommand5Click(); }); });
        w->onClose = [this] { run([](M& m) { m.xuanzheUnload(); }); };
    }
    if (model_.main.loaded && !main_) {
        main_ = std::make_unique<MainWindow>();
        MainWindow* w = main_.get();
        QObject::connect(w->Command1, &QPushButton::clicked, [this] { run([](M& m) { m.mainCommand1Click(); }); });
        QObject::connect(w->Command2, &QPushButton::clicked, [this] { run([](M& m) { m.mainCommand2Click(); }); });
        QObject::connect(w->Command3, &QPushButton::clicked, [this] { run([](M& m) { m.mainCommand3Click(); }); });
        w->Text2->onLineDoubleClicked = [this](int line) { run([line](M& m) { m.mainListDoubleClick(false, line); }); };
        w->Text3->onLineDoubleClicked = [this](int line) { run([line](M& m) { m.mainListDoubleClick(true, line); }); };
        QObject::connect(w->Command4, &QPushButton::clicked, [this] { run([](M& m) { m.mainCommand4Click(); }); });
        QObject::connect(w->Command5, &QPushButton::clicked, [this] { run([](M& m) { m.mainCommand5Click(); }); });
        w->onClose = [this] { run([](M& m) { m.mainUnload(); }); };
    }
    if (model_.yaoqiu.loaded && !yaoqiu_ && main_) {
        yaoqiu_ = std::make_unique<YaoqiuWindow>(main_.get());
        yaoqiu_->onClose = [this] { run([](M& m) { m.yaoqiuUnload(); }); };
    }
    if (model_.shuoming.loaded && !shuoming_) {
        shuoming_ = std::make_unique<ShuomingWindow>();
        ShuomingWindow* w = shuoming_.get();
        QObject::connect(w->Command1, &QPushButton::clicked, [this] { run([](M& m) { m.shuomingCommand1Click(); }); });
        w->onClose = [this] { run([](M& m) { m.shuomingUnload(); }); };
    }
}

void PracticeApp::sync() {
    if (model_.ended()) {
        for (QWidget* w : std::initializer_list<QWidget*>{yaoqiu_.get(), shuoming_.get(), main_.get(), xuanzhe_.get()})
            if (w) w->hide();
        if (!endReported_) {
            endReported_ = true;
            if (onEnded) onEnded();
        }
        return;
    }
    createWindows();
    // Windows that appear go first, so that the desktop never shows none of them in between.
    if (shuoming_) shuoming_->mirror(model_.shuoming);
    if (main_ && model_.main.visible) main_->mirror(model_.main);
    if (yaoqiu_) yaoqiu_->mirror(model_.yaoqiu);
    if (main_ && !model_.main.visible) main_->mirror(model_.main);
    if (xuanzhe_) xuanzhe_->mirror(model_.xuanzhe);
}

}  // namespace tarnwick::gui
