#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>

#include "gui/desktop_services.h"

namespace tarnwick::gui {
namespace {

TEST(MessageBox, IsAnOkOnlyBoxCaptionedVeltraceWithoutIcon) {
    const auto box = makeMessageBox(nullptr, "Veltrace", "还没有全正确，继续努力哦！");
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Veltrace"));
    EXPECT_EQ(box->text(), QString::fromUtf8("还没有全正确，继续努力哦！"));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    const QList<QAbstractButton*> buttons = box->buttons();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QString::fromUtf8("确定"));
    EXPECT_TRUE(buttons[0]->icon().isNull());
    EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// A text shorter than the caption's title bar: the box grows to the caption, not to the text.
TEST(MessageBox, ShortTextStillLeavesTheCaptionWhole) {
    const auto box = makeMessageBox(nullptr, "Veltrace", "恭喜你全部正确！");
    box->show();
    QApplication::processEvents();
    const int room = captionRoom(box->font(), box->windowTitle());
    EXPECT_GE(box->width(), room);
    // The room covers the bold caption and four title-height squares (icon and buttons).
    QFont bold = box->font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    EXPECT_GE(room, fm.horizontalAdvance(box->windowTitle()) + 4 * fm.height());
    box->hide();

    // A long text keeps its own width: the reserve is a floor, not a fixed size.
    const QString longText = QString(60, QChar(0x6B63));
    const auto wide = makeMessageBox(nullptr, "Veltrace", longText.toStdString());
    wide->show();
    QApplication::processEvents();
    EXPECT_GT(wide->width(), room);
    EXPECT_GE(wide->width(), QFontMetrics(wide->font()).horizontalAdvance(QString(20, QChar(0x6B63))));
    wide->hide();
}

}  // namespace
}  // namespace tarnwick::gui
