// What the native windows show after the model's handlers: the views of the four practice windows
// and of the self-test windows, and the line breaks an edit control needs.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/win32/view.h"
#include "support/recording_services.h"
#include "support/test_support.h"

namespace tarnwick::gui::win32 {
namespace {

TEST(Win32EditText, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(editText(""), "");
    EXPECT_EQ(editText("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(editText("a\nb"), "a\r\nb");
    EXPECT_EQ(editText("a\rb\r"), "a\r\nb\r\n");
    EXPECT_EQ(editText("\n\r\n\r"), "\r\n\r\n\r\n");
    EXPECT_EQ(editText("宋体\n"), "宋体\r\n");
}

class Win32ViewTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::RecordingPrompter prompter;
    test::RecordingOpener opener;
    shell::WindowModel model{shell::Services{platform::examFolderAt(dir.path() / "MyExam"), nullptr, &opener, &prompter}};

    const ControlState& control(const WindowView& v, std::string_view name) {
        const ControlState* c = v.find(name);
        if (!c) throw std::runtime_error("no control " + std::string(name));
        return *c;
    }
};

TEST_F(Win32ViewTest, TheAnsweringWindowFollowsReadyAnsweringAndWorking) {
    model.start();
    EXPECT_TRUE(viewOf(model.xuanzhe).visible);
    model.xuanzheOptionClick(5);
    model.xuanzheCommand1Click();
    EXPECT_FALSE(viewOf(model.xuanzhe).visible);

    WindowView v = viewOf(model.main);  // Ready
    EXPECT_TRUE(v.visible);
    EXPECT_TRUE(control(v, "Command1").enabled);
    for (const char* name : {"Command2", "Command3", "Command4"}) EXPECT_FALSE(control(v, name).enabled) << name;
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(control(v, name).visible) << name;
    EXPECT_EQ(control(v, "Label5").text, "");
    EXPECT_EQ(control(v, "Command3").text, "开启帮助");

    model.mainCommand1Click();  // Answering: the requirements on top, main hidden
    v = viewOf(model.main);
    EXPECT_FALSE(v.visible);
    EXPECT_FALSE(control(v, "Command1").enabled);
    EXPECT_TRUE(control(v, "Command2").enabled);
    EXPECT_TRUE(control(v, "Text1").visible);
    EXPECT_FALSE(control(v, "Text1").readOnly);
    EXPECT_EQ(control(v, "Text1").text, model.texts.RequirementText);
    const WindowView y = viewOf(model.yaoqiu);
    EXPECT_TRUE(y.visible);
    EXPECT_TRUE(y.topmost);
    EXPECT_EQ(control(y, "Text1").text, model.texts.RequirementText);
    EXPECT_EQ(opener.opened.size(), 1u);

    model.yaoqiuUnload();  // Working
    EXPECT_TRUE(viewOf(model.main).visible);
    EXPECT_FALSE(viewOf(model.yaoqiu).visible);
    EXPECT_FALSE(viewOf(model.yaoqiu).topmost);

    model.mainCommand3Click();  // help shown
    v = viewOf(model.main);
    EXPECT_TRUE(control(v, "Text4").visible);
    EXPECT_EQ(control(v, "Text4").text, model.texts.HintText);
    EXPECT_EQ(control(v, "Command3").text, "关闭帮助");
    model.mainCommand3Click();
    EXPECT_FALSE(control(viewOf(model.main), "Text4").visible);
    EXPECT_EQ(control(viewOf(model.main), "Command3").text, "开启帮助");

    model.mainCommand4Click();  // 答题要求: the requirement box read-only from now on
    EXPECT_TRUE(control(viewOf(model.main), "Text1").readOnly);
    EXPECT_TRUE(viewOf(model.yaoqiu).topmost);
}

TEST_F(Win32ViewTest, AMarkingRunFillsTheScoreAndBothLists) {
    model.start();
    model.xuanzheOptionClick(5);
    model.xuanzheCommand1Click();
    model.mainCommand1Click();
    model.yaoqiuUnload();
    model.mainCommand2Click();  // the untouched page
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(prompter.boxes.back(), "还没有全正确，继续努力哦！");
    const WindowView v = viewOf(model.main);
    EXPECT_EQ(control(v, "Label5").text, "0");
    EXPECT_TRUE(control(v, "Text2").visible);
    EXPECT_TRUE(control(v, "Text3").visible);
    EXPECT_EQ(control(v, "Text2").text, "");
    EXPECT_EQ(control(v, "Text3").text, model.main.Text3);
    EXPECT_TRUE(control(v, "Text3").text.starts_with("1、标题设置不正确\r\n"));
}

TEST_F(Win32ViewTest, TheInstructionsWindowShowsItsTextAndTheEndHidesEverything) {
    model.start();
    model.xuanzheCommand5Click();
    WindowView s = viewOf(model.shuoming);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(control(s, "Text1").text, shell::instructionsText());
    model.xuanzheCommand2Click();
    EXPECT_FALSE(viewOf(model.shuoming).visible);
    EXPECT_FALSE(viewOf(model.xuanzhe).visible);
}

TEST(Win32SelftestView, DialogThenForm1) {
    test::TempDir dir;
    selftest::SelftestModel model{selftest::vorlane(), selftest::Services{dir.path(), nullptr, nullptr}};
    model.start();
    EXPECT_TRUE(viewOf(model.dialog).visible);
    EXPECT_FALSE(viewOf(model.form1).visible);
    model.dialogOkClick();
    EXPECT_FALSE(viewOf(model.dialog).visible);
    EXPECT_TRUE(viewOf(model.form1).visible);
    model.form1Unload();
    EXPECT_FALSE(viewOf(model.form1).visible);
}

}  // namespace
}  // namespace tarnwick::gui::win32
