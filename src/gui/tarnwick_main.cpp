// The practice program tarnwick.
#include <QApplication>

#include "gui/desktop_services.h"
#include "gui/fonts.h"
#include "gui/practice_app.h"
#include "platform/exam_folder.h"
#include "platform/probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tarnwick");
    // The program ends only through its own handlers.
    QApplication::setQuitOnLastWindowClosed(false);
    tarnwick::gui::installFontSubstitutes();

    auto folder = tarnwick::platform::defaultExamFolder();
    if (!folder) {
        // No exam folder to work in (TARNWICK_EXAM_DIR empty, no home folder): say why and stop.
        tarnwick::gui::makeMessageBox(nullptr, tarnwick::shell::kProgramTitle, folder.error().message)->exec();
        return 1;
    }
    const std::unique_ptr<tarnwick::platform::AppProbe> probe = tarnwick::platform::systemProbe();
    tarnwick::gui::DesktopFolderOpener opener;
    tarnwick::gui::PracticeApp practice(tarnwick::shell::Services{*folder, probe.get(), &opener, nullptr});
    practice.onEnded = [] { QCoreApplication::exit(0); };
    practice.start();
    return QApplication::exec();
}
