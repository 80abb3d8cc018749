// The window tests need one application object; without a display they run offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "gui/fonts.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tarnwick::gui::installFontSubstitutes();
    return RUN_ALL_TESTS();
}
