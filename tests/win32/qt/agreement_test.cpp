// The two front ends lay out the same windows: every control of a native window's table is in the
// Qt window under the same name, at the same pixels of the same screen, with the same face, size,
// weight, caption and colour, and the Qt window has no named control the table lacks.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <cstdlib>
#include <memory>
#include <set>

#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/selftest_windows.h"
#include "gui/shuoming_window.h"
#include "gui/text_box.h"
#include "gui/twips.h"
#include "gui/win32/layout.h"
#include "gui/xuanzhe_window.h"
#include "gui/yaoqiu_window.h"
#include "selftest/program.h"

namespace tarnwick::gui::win32 {
namespace {

int screenDpi() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? static_cast<int>(std::lround(s->logicalDotsPerInch())) : 96;
}

// The controls the tables describe: labels, buttons, option buttons, frames, text boxes.
bool isControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QGroupBox*>(w) || dynamic_cast<const TextBox*>(w);
}

QString captionOf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    return {};
}

void expectAgree(const WindowTable& table, QWidget& window) {
    SCOPED_TRACE(table.name);
    const int dpi = screenDpi();
    EXPECT_EQ(window.objectName().toStdString(), table.name);
    EXPECT_EQ(window.windowTitle().toStdString(), table.caption);
    EXPECT_EQ(window.width(), toPixels(table.clientWidth, dpi));
    EXPECT_EQ(window.height(), toPixels(table.clientHeight, dpi));
    std::set<std::string> named;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && isControl(w)) named.insert(w->objectName().toStdString());
    }
    std::set<std::string> inTable;
    for (const ControlRow& c : table.controls) {
        SCOPED_TRACE(c.name);
        inTable.insert(c.name);
        auto* w = window.findChild<QWidget*>(QString::fromStdString(c.name));
        ASSERT_NE(w, nullptr);
        const QPoint at = w->mapTo(&window, QPoint(0, 0));
        const PixelRect r = pixelRect(table, c, dpi);
        EXPECT_EQ((PixelRect{at.x(), at.y(), w->width(), w->height()}), r);
        EXPECT_EQ(w->font().family().toStdString(), c.font.face);
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), c.font.points);
        EXPECT_EQ(w->font().bold(), c.font.bold);
        if (c.kind != Kind::TextBox) {
            QString caption = QString::fromStdString(c.caption);
            caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            EXPECT_EQ(captionOf(w).toStdString(), caption.toStdString());
        } else if (!c.caption.empty()) {
            EXPECT_EQ(static_cast<TextBox*>(w)->shownText().toStdString(),
                      fromModelText(c.caption).toStdString());
        }
        if (c.text != kDefaultColour && !isSystemColour(c.text)) {
            const QColor ink = w->palette().color(QPalette::WindowText);
            EXPECT_EQ(static_cast<Colour>(ink.red() | ink.green() << 8 | ink.blue() << 16), c.text);
        }
        EXPECT_EQ(w->isEnabled(), c.enabled);
        if (auto* box = dynamic_cast<TextBox*>(w)) {
            EXPECT_EQ(box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, c.verticalScrollBar);
        }
    }
    EXPECT_EQ(named, inTable);
}

TEST(Win32QtAgreement, PracticeWindows) {
    XuanzheWindow x;
    expectAgree(xuanzheTable(), x);
    MainWindow m;
    expectAgree(mainTable(), m);
    YaoqiuWindow y(nullptr);
    expectAgree(yaoqiuTable(), y);
    ShuomingWindow s;
    expectAgree(shuomingTable(), s);
}

TEST(Win32QtAgreement, SelfTestWindows) {
    for (const selftest::Program* p : {&selftest::vorlane(), &selftest::kestrum()}) {
        SCOPED_TRACE(std::string(p->id));
        SelftestDialog d(*p, nullptr);
        expectAgree(selftestDialogTable(*p), d);
        SelftestForm f(*p);
        expectAgree(selftestFormTable(*p), f);
    }
}

}  // namespace
}  // namespace tarnwick::gui::win32

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    tarnwick::gui::installFontSubstitutes();
    return RUN_ALL_TESTS();
}
