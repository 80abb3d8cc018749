#include <gtest/gtest.h>

#include <QWindow>

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/practice_app.h"
#include "gui/text_box.h"
#include "gui/twips.h"
#include "support/recording_services.h"
#include "support/test_support.h"

namespace tarnwick::gui {
namespace {

namespace fs = std::filesystem;
using test::RecordingOpener;
using test::RecordingPrompter;

template <class W>
W* child(QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget* window, const char* name) {
    QPushButton* b = child<QPushButton>(window, name);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

class PracticeAppTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path exam = dir.path() / "MyExam";
    RecordingPrompter prompter;
    RecordingOpener opener;
    PracticeApp app{shell::Services{platform::examFolderAt(exam), nullptr, &opener, &prompter}};
    int ended = 0;

    void SetUp() override {
        app.onEnded = [this] { ++ended; };
        app.start();
    }

    // Picks an option button of the selection window and confirms.
    void choose(int number) {
        ASSERT_NE(app.xuanzhe(), nullptr);
        QRadioButton* option = child<QRadioButton>(app.xuanzhe(), ("Option" + std::to_string(number)).c_str());
        ASSERT_NE(option, nullptr);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        ASSERT_TRUE(option->isChecked());
        click(app.xuanzhe(), "Command1");
    }
};

TEST_F(PracticeAppTest, SelectingAndConfirmingOpensTheAnsweringWindowAndClosesTheSelection) {
    XuanzheWindow* x = app.xuanzhe();
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->isVisible());
    EXPECT_EQ(app.main(), nullptr);
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(child<QRadioButton>(x, ("Option" + std::to_string(n)).c_str())->isChecked());
    // A top-level window of its own, owned by a window that is never shown: no taskbar button.
    EXPECT_TRUE(x->isWindow());
    ASSERT_NE(x->parentWidget(), nullptr);
    EXPECT_FALSE(x->parentWidget()->isVisible());
    ASSERT_NE(x->windowHandle(), nullptr);
    EXPECT_NE(x->windowHandle()->transientParent(), nullptr);

    choose(7);
    EXPECT_EQ(app.model().QuestionNumber, 7);
    EXPECT_FALSE(x->isVisible());
    MainWindow* m = app.main();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(m->windowTitle().startsWith("Tarnwick V1.0 "));
    EXPECT_GT(m->windowTitle().size(), QString("Tarnwick V1.0 ").size());
    // Ready: only 开始答题 and 退出 can be pressed, and no text box shows.
    EXPECT_TRUE(child<QPushButton>(m, "Command1")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(m, "Command5")->isEnabled());
    for (const char* name : {"Command2", "Command3", "Command4"}) EXPECT_FALSE(child<QPushButton>(m, name)->isEnabled()) << name;
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(child<TextBox>(m, name)->isVisible()) << name;
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(ended, 0);
}

TEST_F(PracticeAppTest, ConfirmWithoutChoiceAsksAndKeepsTheSelection) {
    click(app.xuanzhe(), "Command1");
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"请选择试题后再点确定！"});
    EXPECT_TRUE(app.xuanzhe()->isVisible());
    EXPECT_EQ(app.main(), nullptr);
}

TEST_F(PracticeAppTest, StartAnsweringShowsTheRequirementsOnTopInsteadOfTheAnsweringWindow) {
    choose(3);
    MainWindow* m = app.main();
    click(m, "Command1");
    EXPECT_EQ(opener.opened, std::vector<fs::path>{exam});
    EXPECT_FALSE(m->isVisible());
    YaoqiuWindow* y = app.yaoqiu();
    ASSERT_NE(y, nullptr);
    EXPECT_TRUE(y->isVisible());
    EXPECT_TRUE(y->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(y->windowTitle(), QString::fromUtf8("操作要求"));
    EXPECT_EQ(child<TextBox>(y, "Text1")->shownText(), fromModelText(app.model().texts.RequirementText));
    EXPECT_FALSE(child<QPushButton>(m, "Command1")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(m, "Command2")->isEnabled());
}

TEST_F(PracticeAppTest, HelpShowsHidesShows) {
    choose(6);
    MainWindow* m = app.main();
    click(m, "Command1");
    app.yaoqiu()->close();
    ASSERT_TRUE(m->isVisible());
    TextBox* hints = child<TextBox>(m, "Text4");
    const bool shown[] = {true, false, true};
    const char* captions[] = {"关闭帮助", "开启帮助", "关闭帮助"};
    for (int press = 0; press < 3; ++press) {
        click(m, "Command3");
        EXPECT_EQ(hints->isVisible(), shown[press]) << press;
        EXPECT_EQ(child<QPushButton>(m, "Command3")->text(), QString::fromUtf8(captions[press])) << press;
    }
    EXPECT_EQ(hints->shownText(), fromModelText(app.model().texts.HintText));
}

TEST_F(PracticeAppTest, RequirementsHideTheAnsweringWindowAndClosingThemShowsItAgain) {
    choose(4);
    MainWindow* m = app.main();
    click(m, "Command1");
    app.yaoqiu()->close();
    ASSERT_TRUE(m->isVisible());
    EXPECT_FALSE(app.yaoqiu()->isVisible());

    click(m, "Command4");
    EXPECT_FALSE(m->isVisible());
    EXPECT_TRUE(app.yaoqiu()->isVisible());
    EXPECT_TRUE(child<TextBox>(m, "Text1")->isReadOnly());

    app.yaoqiu()->close();
    EXPECT_TRUE(m->isVisible());
    EXPECT_FALSE(app.yaoqiu()->isVisible());
    EXPECT_FALSE(child<QPushButton>(m, "Command1")->isEnabled());
    for (const char* name : {"Command2", "Command3", "Command4", "Command5"})
        EXPECT_TRUE(child<QPushButton>(m, name)->isEnabled()) << name;
    EXPECT_EQ(ended, 0);
}

TEST_F(PracticeAppTest, MarkingRunShowsScoreAndBothLists) {
    choose(5);
    MainWindow* m = app.main();
    click(m, "Command1");
    app.yaoqiu()->close();
    test::writeBytes(exam / "index.htm", test::toCp936("<html><head><title>Tenbury</title></head><body></body></html>"));
    click(m, "Command2");
    const shell::MainState& s = app.model().main;
    ASSERT_FALSE(s.Label5.empty());
    EXPECT_EQ(child<QLabel>(m, "Label5")->text().toStdString(), s.Label5);
    EXPECT_TRUE(child<TextBox>(m, "Text2")->isVisible());
    EXPECT_TRUE(child<TextBox>(m, "Text3")->isVisible());
    EXPECT_EQ(child<TextBox>(m, "Text2")->shownText(), fromModelText(s.Text2));
    EXPECT_EQ(child<TextBox>(m, "Text3")->shownText(), fromModelText(s.Text3));
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"还没有全正确，继续努力哦！"});

    // Double-clicking the second wrong line (the title passes) shows that item's reads in a box.
    TextBox* wrong = child<TextBox>(m, "Text3");
    QTextCursor second(wrong->document()->findBlockByNumber(1));
    const QPoint at = wrong->cursorRect(second).center();
    QTest::mouseDClick(wrong->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_TRUE(prompter.boxes[1].starts_with("3、左边距设置不正确\r\n读到：网页中没有找到")) << prompter.boxes[1];
}

TEST_F(PracticeAppTest, ExitEndsTheProgramAndHidesEveryWindow) {
    click(app.xuanzhe(), "Command5");
    ASSERT_NE(app.shuoming(), nullptr);
    EXPECT_TRUE(app.shuoming()->isVisible());
    choose(4);
    EXPECT_TRUE(app.shuoming()->isVisible());
    click(app.main(), "Command5");
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(app.main()->isVisible());
    EXPECT_FALSE(app.shuoming()->isVisible());
}

TEST_F(PracticeAppTest, ClosingTheSelectionWindowBeforeAChoiceEndsTheProgram) {
    app.xuanzhe()->close();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(app.model().ended());
    EXPECT_EQ(app.main(), nullptr);
}

TEST_F(PracticeAppTest, ControlsSitWhereTheTwipLayoutPutsThem) {
    const TwipScale tw(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    XuanzheWindow* x = app.xuanzhe();
    EXPECT_EQ(x->size(), tw.size(7755, 8055));
    EXPECT_EQ(child<QRadioButton>(x, "Option6")->geometry(), tw.rect(2400, 5040, 3615, 255));
    const QLabel* label1 = child<QLabel>(x, "Label1");
    EXPECT_EQ(label1->font().family(), QString::fromUtf8("楷体_GB2312"));
    EXPECT_TRUE(label1->font().bold());
    EXPECT_DOUBLE_EQ(label1->font().pointSizeF(), 14.25);
    EXPECT_EQ(label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(child<QPushButton>(x, "Command5")->palette().color(QPalette::Button), QColor(192, 192, 255));
    // The faces resolve to themselves or to an installed stand-in of the same kind.
    const QString kai = QFontInfo(label1->font()).family();
    const QString song = QFontInfo(child<QRadioButton>(x, "Option1")->font()).family();
    EXPECT_TRUE(kai == QString::fromUtf8("楷体_GB2312") || kai.contains("Kai")) << kai.toStdString();
    EXPECT_TRUE(song == QString::fromUtf8("宋体") || song.contains("Sun") || song.contains("Ming")) << song.toStdString();

    choose(8);
    MainWindow* m = app.main();
    EXPECT_EQ(m->size(), tw.size(13425, 8820));
    // Inside a frame, places are relative to the frame.
    QGroupBox* frame2 = child<QGroupBox>(m, "Frame2");
    QLabel* wrongLabel = child<QLabel>(m, "Label2(1)");
    EXPECT_EQ(wrongLabel->parentWidget(), frame2);
    EXPECT_EQ(wrongLabel->geometry(), tw.rect(3240, 480, 1695, 375));
    EXPECT_EQ(child<TextBox>(m, "Text3")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(child<TextBox>(m, "Text1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace
}  // namespace tarnwick::gui
