// The native windows' tables: twips to pixels as Windows rounds them, fonts in pixels, places of
// controls inside frames, and the tables' own consistency (names, frames, groups, initial state).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "exercises/catalog.h"
#include "gui/win32/layout.h"
#include "selftest/program.h"

namespace tarnwick::gui::win32 {
namespace {

TEST(Win32Twips, PixelsRoundHalfAwayFromZeroAsMulDivDoes) {
    EXPECT_EQ(toPixels(15, 96), 1);
    EXPECT_EQ(toPixels(7, 96), 0);     // 0.47
    EXPECT_EQ(toPixels(8, 96), 1);     // 0.53
    EXPECT_EQ(toPixels(7755, 96), 517);
    EXPECT_EQ(toPixels(7755, 144), 776);  // 775.5
    EXPECT_EQ(toPixels(8055, 144), 806);  // 805.5
    EXPECT_EQ(toPixels(-7755, 144), -776);
    EXPECT_EQ(toPixels(13425, 120), 1119);  // 1118.75
    // No overflow on the way: twips times dpi exceeds 32 bits.
    EXPECT_EQ(toPixels(2'000'000'000, 1440), 2'000'000'000);
}

TEST(Win32Twips, FontHeightIsTheCharacterHeightInPixels) {
    EXPECT_EQ(fontHeight(9, 96), -12);
    EXPECT_EQ(fontHeight(10.5, 96), -14);
    EXPECT_EQ(fontHeight(14.25, 96), -19);
    EXPECT_EQ(fontHeight(15.75, 96), -21);
    EXPECT_EQ(fontHeight(21.75, 96), -29);
    EXPECT_EQ(fontHeight(9, 144), -18);
    EXPECT_EQ(fontHeight(14.25, 120), -24);  // 23.75
}

TEST(Win32Layout, ControlsInAFrameArePlacedInTheFramesPixels) {
    const WindowTable main = mainTable();
    EXPECT_EQ(pixelRect(main, *main.find("Text3"), 96), (PixelRect{672, 128, 209, 345}));
    EXPECT_EQ(pixelRect(main, *main.find("Text4"), 96), (PixelRect{16, 416, 433, 161}));
    EXPECT_EQ(pixelRect(main, *main.find("Label5"), 96), (PixelRect{720, 16, 73, 33}));
    // Frame and control are rounded one by one, as a child of the frame would be: at 100 dpi the
    // frame's 66.7 and the box's 66.7 give 134 where the sum of twips would give 133.
    EXPECT_EQ(pixelRect(main, *main.find("Text3"), 100), (PixelRect{483 + 217, 67 + 67, 218, 359}));
}

void expectConsistent(const WindowTable& w) {
    SCOPED_TRACE(w.name);
    std::set<std::string> names;
    for (const ControlRow& c : w.controls) {
        EXPECT_TRUE(names.insert(c.name).second) << "twice: " << c.name;
        EXPECT_GT(c.rect.width, 0) << c.name;
        EXPECT_GT(c.rect.height, 0) << c.name;
        EXPECT_TRUE(c.font.face == kSong || c.font.face == kKai || c.font.face == kHei) << c.name;
        if (!c.frame.empty()) {
            const ControlRow* frame = w.find(c.frame);
            ASSERT_NE(frame, nullptr) << c.name;
            EXPECT_EQ(frame->kind, Kind::Frame);
            // Inside the frame.
            EXPECT_LE(c.rect.left + c.rect.width, frame->rect.width) << c.name;
            EXPECT_LE(c.rect.top + c.rect.height, frame->rect.height) << c.name;
        } else {
            EXPECT_LE(c.rect.left + c.rect.width, w.clientWidth) << c.name;
            EXPECT_LE(c.rect.top + c.rect.height, w.clientHeight) << c.name;
        }
        if (c.verticalScrollBar) {
            EXPECT_EQ(c.kind, Kind::TextBox) << c.name;
        }
    }
    if (!w.focus.empty()) {
        EXPECT_NE(w.find(w.focus), nullptr);
    }
}

TEST(Win32Layout, EveryTableIsConsistent) {
    for (const WindowTable& w : {xuanzheTable(), mainTable(), yaoqiuTable(), shuomingTable(),
                                selftestDialogTable(selftest::vorlane()), selftestFormTable(selftest::vorlane()),
                                selftestFormTable(selftest::kestrum())})
        expectConsistent(w);
}

TEST(Win32Layout, SelectionWindowHasItsOptionsTopToBottomInOneGroupAndNoTaskbarButton) {
    const WindowTable x = xuanzheTable();
    EXPECT_EQ(x.caption, "Tarnwick V1.0");
    EXPECT_EQ(x.frame, FrameStyle::FixedDialog);
    EXPECT_FALSE(x.taskbarButton);
    EXPECT_EQ(x.focus, "Command1");
    std::vector<std::string> options;
    int lastTop = -1;
    for (const ControlRow& c : x.controls) {
        if (c.kind != Kind::Option) continue;
        options.push_back(c.name);
        EXPECT_GT(c.rect.top, lastTop) << c.name;  // the tab order is the order on screen
        lastTop = c.rect.top;
        const exercises::Exercise* e = exercises::findExercise(c.name.back() - '0');
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(c.caption, e->caption);
        const Colour byKind = e->kind == exercises::ExerciseKind::WordProcessing ? kHighlight
                              : e->kind == exercises::ExerciseKind::Spreadsheet  ? kGreen
                                                                                  : kPurple;
        EXPECT_EQ(c.text, byKind) << c.name;
    }
    EXPECT_EQ(options, (std::vector<std::string>{"Option1", "Option2", "Option7", "Option3", "Option4", "Option8",
                                                 "Option5", "Option6"}));
    const ControlRow* blue = x.find("Command5");
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->kind, Kind::ColouredButton);
    EXPECT_EQ(blue->back, kLightBlue);
    EXPECT_EQ(x.find("Label1")->font.face, kKai);
}

TEST(Win32Layout, AnsweringWindowStartsReadyWithItsBoxesHidden) {
    const WindowTable m = mainTable();
    EXPECT_EQ(m.caption, "Tarnwick V1.0 制作：Tarnwick 练习软件 制作组");
    EXPECT_EQ(m.frame, FrameStyle::Resizable);
    for (const char* name : {"Command2", "Command3", "Command4"}) EXPECT_FALSE(m.find(name)->enabled) << name;
    for (const char* name : {"Command1", "Command5"}) EXPECT_TRUE(m.find(name)->enabled) << name;
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(m.find(name)->visible) << name;
    for (const char* name : {"Text2", "Text3", "Text4"}) EXPECT_TRUE(m.find(name)->verticalScrollBar) << name;
    EXPECT_FALSE(m.find("Text1")->verticalScrollBar);
    EXPECT_EQ(m.find("Label2(0)")->frame, "Frame2");
    EXPECT_EQ(m.find("Label2(1)")->text, kRed);
    EXPECT_EQ(m.find("Text1")->frame, "Frame1");
    EXPECT_TRUE(m.find("Text1")->font.bold);
    const WindowTable y = yaoqiuTable();
    EXPECT_FALSE(y.taskbarButton);
    EXPECT_EQ(y.placement, Placement::ByTheSystem);
    EXPECT_EQ(y.find("Text1")->back, kButtonFace);
}

TEST(Win32Layout, SelfTestWindowsTakeTheProgramsTitleAndForm) {
    for (const selftest::Program* p : {&selftest::vorlane(), &selftest::kestrum()}) {
        SCOPED_TRACE(std::string(p->id));
        const WindowTable d = selftestDialogTable(*p);
        EXPECT_EQ(d.caption, "Markhaven");
        EXPECT_FALSE(d.taskbarButton);
        EXPECT_EQ(d.frame, FrameStyle::FixedDialog);
        EXPECT_EQ(d.find("Label2")->caption, p->title);
        EXPECT_EQ(d.find("Label2")->font.face, kHei);
        EXPECT_EQ(d.find("OKButton")->rect, (TwipRect{840, 2160, 1215, 375}));
        const WindowTable f = selftestFormTable(*p);
        EXPECT_EQ(f.caption.substr(0, 9), "Markhaven");
        EXPECT_EQ(f.clientWidth, p->form.clientWidth);
        EXPECT_EQ(f.clientHeight, p->form.clientHeight);
        EXPECT_EQ(f.find("Text1")->caption, p->taskText);
        EXPECT_EQ(f.find("Command1")->caption, "我想交卷");
        EXPECT_EQ(f.find("Command1")->font.face, kKai);
        EXPECT_EQ(f.find("Command2")->rect.top, p->form.Command2.top);
    }
    EXPECT_NE(selftestFormTable(selftest::vorlane()).find("Text1")->rect,
              selftestFormTable(selftest::kestrum()).find("Text1")->rect);
}

}  // namespace
}  // namespace tarnwick::gui::win32
