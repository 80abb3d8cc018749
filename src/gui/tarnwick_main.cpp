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

    const std::unique_ptr<tarnwick::platform::AppProbe> probe = tarnwick::platform::systemProbe();
    tarnwick::gui::DesktopFolderOpener opener;
    tarnwick::gui::PracticeApp practice(
        tarnwick::shell::Services{tarnwick::platform::defaultExamFolder(), probe.get(), &opener, nullptr});
    practice.onEnded = [] { QCoreApplication::exit(0); };
    practice.start();
    return QApplication::exec();
}
