#include "gui/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace tarnwick::gui {

TwipScale screenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return TwipScale(screen ? screen->logicalDotsPerInch() : 96.0);
}

}  // namespace tarnwick::gui
