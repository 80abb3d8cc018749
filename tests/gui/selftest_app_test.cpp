// The self-test markers' windows: places, faces and colours of both windows, and the clicks
// from 确定 through the hand-in to the end of the program, with recorded boxes and opener.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <filesystem>

#include "gui/selftest_app.h"
#include "gui/twips.h"
#include "selftest/kestrum.h"
#include "selftest/vorlane.h"
#include "support/recording_services.h"
#include "support/test_support.h"

namespace tarnwick::gui {
namespace {

namespace fs = std::filesystem;

template <class W>
W* child(QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget* window, const char* name) {
    QPushButton* b = child<QPushButton>(window, name);
    ASSERT_NE(b, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
}

class SelftestAppTest : public ::testing::Test {
protected:
    test::TempDir folder;
    test::RecordingPrompter prompter;
    test::RecordingOpener opener;
    int ended = 0;

    std::unique_ptr<SelftestApp> started(const selftest::Program& program) {
        auto app = std::make_unique<SelftestApp>(program, selftest::Services{folder.path(), &opener, &prompter});
        app->onEnded = [this] { ++ended; };
        app->start();
        return app;
    }
};

TEST_F(SelftestAppTest, DialogIsAFixedCentredBoxWithoutTaskbarButton) {
    const TwipScale tw(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    const auto app = started(selftest::vorlane());
    SelftestDialog* d = app->dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(app->form(), nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Markhaven"));
    EXPECT_EQ(d->size(), tw.size(4635, 2895));
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    ASSERT_NE(d->windowHandle(), nullptr);
    EXPECT_NE(d->windowHandle()->transientParent(), nullptr);
    EXPECT_FALSE(d->parentWidget()->isVisible());
    // Centred on the screen (to the pixel: the centre of an even size is between two pixels).
    const QPoint off = d->frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(off.x()), 2);
    EXPECT_LE(std::abs(off.y()), 2);

    QLabel* title = child<QLabel>(d, "Label2");
    EXPECT_EQ(title->text(), QStringLiteral("Vorlane"));
    EXPECT_EQ(title->geometry(), tw.rect(480, 600, 3855, 375));
    EXPECT_EQ(title->font().family(), QString::fromUtf8("黑体"));
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 18);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QLabel* credits = child<QLabel>(d, "Label1");
    EXPECT_TRUE(credits->font().bold());
    EXPECT_EQ(credits->palette().color(QPalette::WindowText), QColor(192, 0, 192));
    EXPECT_EQ(child<QPushButton>(d, "OKButton")->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(child<QPushButton>(d, "CancelButton")->geometry(), tw.rect(2520, 2160, 1215, 375));
}

TEST_F(SelftestAppTest, Form1OfEachProgramAtItsSizeWithItsTaskText) {
    const TwipScale tw(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    struct Expected {
        const selftest::Program* program;
        QSize client;
        QRect text1, command1;
    };
    for (const Expected& e : {Expected{&selftest::vorlane(), tw.size(9570, 8235), tw.rect(960, 1800, 7575, 4575),
                                       tw.rect(5280, 6960, 2055, 615)},
                              Expected{&selftest::kestrum(), tw.size(9780, 8775), tw.rect(840, 1560, 8055, 5535),
                                       tw.rect(5400, 7680, 2055, 615)}}) {
        const auto app = started(*e.program);
        click(app->dialog(), "OKButton");
        SelftestForm* f = app->form();
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible());
        EXPECT_FALSE(app->dialog()->isVisible());
        EXPECT_EQ(f->size(), e.client);
        EXPECT_NE(f->minimumSize(), f->maximumSize());  // resizable
        EXPECT_TRUE(f->windowTitle().startsWith("Markhaven    "));
        EXPECT_EQ(f->windowTitle(), selftestFormCaption());
        EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QString::fromUtf8(e.program->title.data(), 7));
        TextBox* text = child<TextBox>(f, "Text1");
        EXPECT_EQ(text->geometry(), e.text1);
        EXPECT_EQ(text->shownText(), fromModelText(std::string(e.program->taskText)));
        EXPECT_DOUBLE_EQ(text->font().pointSizeF(), 12);
        QPushButton* handIn = child<QPushButton>(f, "Command1");
        EXPECT_EQ(handIn->text(), QString::fromUtf8("我想交卷"));
        EXPECT_EQ(handIn->geometry(), e.command1);
        EXPECT_EQ(handIn->font().family(), QString::fromUtf8("楷体_GB2312"));
        EXPECT_EQ(child<QPushButton>(f, "Command2")->text(), QString::fromUtf8("开始答题"));
    }
}

TEST_F(SelftestAppTest, StartAnsweringThenHandInNoThenYesEndsWithTheResult) {
    const fs::path book = folder.path() / test::u8path(selftest::kKestrumWorkbook);
    fs::copy_file(test::dataPath("selftest/kestrum-no-chart.xls"), book);
    const auto app = started(selftest::kestrum());
    click(app->dialog(), "OKButton");
    SelftestForm* f = app->form();
    click(f, "Command2");
    EXPECT_EQ(opener.documents, std::vector<fs::path>{book});

    prompter.answers = {false};
    click(f, "Command1");
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"Excel文件是否已经存盘并关闭？？？"});
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(ended, 0);

    prompter.answers = {true};
    click(f, "Command1");
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_EQ(prompter.boxes[2], "请插入图表\r\n你的得分为 70分");
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(f->isVisible());
}

TEST_F(SelftestAppTest, CancelAndTheCloseBoxesEndTheProgram) {
    const auto cancelled = started(selftest::vorlane());
    click(cancelled->dialog(), "CancelButton");
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(cancelled->dialog()->isVisible());
    EXPECT_EQ(cancelled->form(), nullptr);

    const auto closed = started(selftest::kestrum());
    click(closed->dialog(), "OKButton");
    closed->form()->close();
    EXPECT_EQ(ended, 2);
    EXPECT_TRUE(closed->model().ended());
}

}  // namespace
}  // namespace tarnwick::gui
