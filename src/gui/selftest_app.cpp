#include "gui/selftest_app.h"

#include <QApplication>

#include "gui/controls.h"
#include "gui/fonts.h"

namespace tarnwick::gui {

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

QWidget* SelftestApp::boxOwner() const {
    if (form_ && form_->isVisible()) return form_.get();
    if (dialog_ && dialog_->isVisible()) return dialog_.get();
    return nullptr;
}

void SelftestApp::sync() {
    using M = selftest::SelftestModel;
    if (model_.ended()) {
        for (QWidget* w : std::initializer_list<QWidget*>{form_.get(), dialog_.get()})
            if (w) w->hide();
        if (!endReported_) {
            endReported_ = true;
            if (onEnded) onEnded();
        }
        return;
    }
    if (model_.dialog.loaded && !dialog_) {
        // No taskbar button: the dialog is owned by a window that is never shown (Windows leaves
        // owned windows off the taskbar; X11 marks it transient).
        taskbarOwner_ = std::make_unique<QWidget>();
        taskbarOwner_->winId();
        dialog_ = std::make_unique<SelftestDialog>(model_.program(), taskbarOwner_.get());
        QObject::connect(dialog_->OKButton, &QPushButton::clicked, [this] { run([](M& m) { m.dialogOkClick(); }); });
        QObject::connect(dialog_->CancelButton, &QPushButton::clicked, [this] { run([](M& m) { m.dialogCancelClick(); }); });
        dialog_->onClose = [this] { run([](M& m) { m.dialogUnload(); }); };
    }
    if (model_.form1.loaded && !form_) {
        form_ = std::make_unique<SelftestForm>(model_.program());
        QObject::connect(form_->Command2, &QPushButton::clicked, [this] { run([](M& m) { m.form1Command2Click(); }); });
        QObject::connect(form_->Command1, &QPushButton::clicked, [this] { run([](M& m) { m.form1Command1Click(); }); });
        form_->onClose = [this] { run([](M& m) { m.form1Unload(); }); };
    }
    // The window that appears goes first, so that the desktop never shows neither of them.
    if (form_) form_->mirror(model_.form1);
    if (dialog_) dialog_->mirror(model_.dialog);
}

int runSelftestProgram(int argc, char** argv, const selftest::Program& program) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(qText(program.id));
    // The program ends only through its own handlers.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    DesktopDocumentOpener opener;
    const std::filesystem::path folder(QCoreApplication::applicationDirPath().toStdU16String());
    SelftestApp marker(program, selftest::Services{folder, &opener, nullptr});
    marker.onEnded = [] { QCoreApplication::exit(0); };
    marker.start();
    return QApplication::exec();
}

}  // namespace tarnwick::gui
