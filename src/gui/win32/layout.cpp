#include "gui/win32/layout.h"

#include <cmath>

#include "exercises/catalog.h"
#include "gui/credits.h"
#include "selftest/program.h"

namespace tarnwick::gui::win32 {
namespace {

ControlRow control(std::string name, Kind kind, std::string caption, TwipRect rect, Font font = kWindowFont,
                    Colour text = kDefaultColour, Colour back = kDefaultColour) {
    ControlRow c;
    c.name = std::move(name);
    c.kind = kind;
    c.caption = std::move(caption);
    c.rect = rect;
    c.font = font;
    c.text = text;
    c.back = back;
    return c;
}

}  // namespace

const ControlRow* WindowTable::find(std::string_view controlName) const {
    for (const ControlRow& c : controls)
        if (c.name == controlName) return &c;
    return nullptr;
}

WindowTable xuanzheTable() {
    WindowTable w{"xuanzhe", kProgramCaption, 7755, 8055, FrameStyle::FixedDialog, Placement::Centred, false, "Command1", {}};
    w.controls.push_back(control("Command5", Kind::ColouredButton, "软件使用说明", {2520, 120, 2055, 615}, {kSong, 14.25},
                          kDefaultColour, kLightBlue));
    w.controls.push_back(control("Label1", Kind::Label, "请在下面选中试题，再点“确定”", {1440, 1080, 4815, 495},
                          {kKai, 14.25, true}, kRed));
    // Top to bottom as the student sees them: the Word, Excel and web exercises.
    struct Row {
        int number, top, width, height;
        Colour colour;
    };
    constexpr Row rows[] = {
        {1, 1560, 2535, 375, kHighlight}, {2, 2100, 2535, 285, kHighlight}, {7, 2640, 2535, 255, kHighlight},
        {3, 3120, 2775, 255, kGreen},     {4, 3600, 2895, 255, kGreen},     {8, 4080, 2895, 255, kGreen},
        {5, 4560, 3495, 255, kPurple},    {6, 5040, 3615, 255, kPurple},
    };
    for (const Row& r : rows) {
        const exercises::Exercise* e = exercises::findExercise(r.number);
        w.controls.push_back(control(std::string(e->option), Kind::Option, std::string(e->caption),
                              {2400, r.top, r.width, r.height}, {kSong, 14.25, true}, r.colour));
    }
    w.controls.push_back(control("Command1", Kind::Button, "确定", {2520, 5520, 1695, 615}, {kSong, 12}));
    w.controls.push_back(control("Command2", Kind::Button, "退出", {5640, 5640, 1095, 495}, {kSong, 12}));
    w.controls.push_back(control("Label2", Kind::Label, kMaker, {960, 6720, 5655, 375}, {kSong, 15.75, true}, kRed));
    w.controls.push_back(control("Label3", Kind::Label, kContact, {600, 7320, 6855, 495}, {kSong, 15.75, true}, kPurple));
    return w;
}

WindowTable mainTable() {
    WindowTable w{"main", std::string(kProgramCaption) + ' ' + kCaptionCredits, 13425, 8820, FrameStyle::Resizable,
                 Placement::Centred, true, "", {}};
    const Font song12{kSong, 12};
    auto& c = w.controls;
    c.push_back(control("Command1", Kind::Button, "开始答题", {480, 120, 1335, 615}, song12));
    c.push_back(control("Command2", Kind::Button, "开始评分", {2280, 120, 1335, 615}, song12));
    c.back().enabled = false;
    c.push_back(control("Command3", Kind::Button, "开启帮助", {4080, 120, 1335, 615}, song12));
    c.back().enabled = false;
    c.push_back(control("Command4", Kind::Button, "答题要求", {5880, 120, 1215, 615}, song12));
    c.back().enabled = false;
    c.push_back(control("Command5", Kind::Button, "退出", {7560, 120, 1335, 615}, song12));
    c.push_back(control("Label4", Kind::Label, "成绩：", {9720, 240, 1215, 375}, {kSong, 15.75, true}, kRed));
    c.push_back(control("Label5", Kind::Label, "", {10800, 240, 1095, 495}, {kSong, 14.25, true}, kRed));

    c.push_back(control("Frame1", Kind::Frame, "答题要求", {120, 960, 6735, 7815}));
    c.push_back(control("Text1", Kind::TextBox, "", {120, 240, 6495, 4575}, {kSong, 12, true}));
    c.back().frame = "Frame1";
    c.back().visible = false;
    c.push_back(control("Label6", Kind::Label, "帮助", {120, 4920, 735, 255}));
    c.back().frame = "Frame1";
    c.push_back(control("Text4", Kind::TextBox, "", {120, 5280, 6495, 2415}, {kSong, 10.5}));
    c.back().frame = "Frame1";
    c.back().visible = false;
    c.back().verticalScrollBar = true;

    c.push_back(control("Frame2", Kind::Frame, "答题结果", {6960, 960, 6375, 6255}));
    // The label array Label2: elements 0 and 1.
    c.push_back(control("Label2(0)", Kind::Label, "正确部分", {240, 480, 1695, 375}, song12));
    c.back().frame = "Frame2";
    c.push_back(control("Label2(1)", Kind::Label, "错误部分", {3240, 480, 1695, 375}, song12, kRed));
    c.back().frame = "Frame2";
    for (const auto& [name, rect] : {std::pair{"Text2", TwipRect{120, 960, 2895, 5175}},
                                     std::pair{"Text3", TwipRect{3120, 960, 3135, 5175}}}) {
        c.push_back(control(name, Kind::TextBox, "", rect));
        c.back().frame = "Frame2";
        c.back().visible = false;
        c.back().verticalScrollBar = true;
    }

    c.push_back(control("Label3", Kind::Label, "本软件使用过程中，如果有什么问题应及时向老师反映！", {7080, 7560, 6135, 375},
                 song12, kGreen));
    c.push_back(control("Label1", Kind::Label, std::string(kMaker) + "\r\n" + kContact, {7440, 7920, 4935, 735},
                 {kSong, 15, true}, kRed));
    return w;
}

WindowTable yaoqiuTable() {
    WindowTable w{"yaoqiu", "操作要求", 6075, 3840, FrameStyle::Resizable, Placement::ByTheSystem, false, "", {}};
    w.controls.push_back(control("Text1", Kind::TextBox, "", {240, 120, 5655, 3615}, {kSong, 10.5}, kDefaultColour,
                          kButtonFace));
    return w;
}

WindowTable shuomingTable() {
    WindowTable w{"shuoming", "软件使用说明", 9390, 5700, FrameStyle::Resizable, Placement::Centred, true, "", {}};
    w.controls.push_back(control("Text1", Kind::TextBox, "", {480, 240, 8535, 4575}, {kSong, 14.25}));
    w.controls.push_back(control("Command1", Kind::Button, "关闭说明", {3720, 4920, 1695, 495}));
    return w;
}

namespace {

TwipRect twips(const selftest::TwipRect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

WindowTable selftestDialogTable(const selftest::Program& program) {
    WindowTable w{"Dialog", std::string(selftest::kWindowCaption), selftest::kDialogWidth, selftest::kDialogHeight,
                 FrameStyle::FixedDialog, Placement::Centred, false, "OKButton", {}};
    const Font song{kSong, 10.5};
    w.controls.push_back(control("Label2", Kind::Label, std::string(program.title), twips(selftest::kDialogLabel2),
                                 {kHei, 18}, kDarkBlue));
    w.controls.push_back(control("Label1", Kind::Label, "Tarnwick 制作", twips(selftest::kDialogLabel1),
                                 {kSong, 10.5, true}, kMagenta));
    w.controls.push_back(control("OKButton", Kind::Button, "确定", twips(selftest::kDialogOk), song));
    w.controls.push_back(control("CancelButton", Kind::Button, "取消", twips(selftest::kDialogCancel), song));
    return w;
}

WindowTable selftestFormTable(const selftest::Program& program) {
    const selftest::FormLayout& f = program.form;
    WindowTable w{"Form1", std::string(selftest::kWindowCaption) + std::string(20, ' ') + kCaptionCredits,
                 f.clientWidth, f.clientHeight, FrameStyle::Resizable, Placement::Centred, true, "", {}};
    const Font kai{kKai, 14.25};
    w.controls.push_back(
        control("Label1", Kind::Label, std::string(program.title), twips(f.Label1), {kHei, 21.75}, kDarkBlue));
    w.controls.push_back(control("Text1", Kind::TextBox, std::string(program.taskText), twips(f.Text1), {kSong, 12}));
    w.controls.back().verticalScrollBar = true;
    w.controls.push_back(control("Command2", Kind::Button, "开始答题", twips(f.Command2), kai));
    w.controls.push_back(control("Command1", Kind::Button, "我想交卷", twips(f.Command1), kai));
    return w;
}

int toPixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long half = product >= 0 ? 720 : -720;
    return static_cast<int>((product + half) / 1440);
}

PixelRect pixelRect(const WindowTable& window, const ControlRow& control, int dpi) {
    PixelRect r{toPixels(control.rect.left, dpi), toPixels(control.rect.top, dpi), toPixels(control.rect.width, dpi),
                toPixels(control.rect.height, dpi)};
    if (!control.frame.empty()) {
        // Frames sit directly in the window: one level of nesting is all the windows use.
        if (const ControlRow* frame = window.find(control.frame)) {
            r.x += toPixels(frame->rect.left, dpi);
            r.y += toPixels(frame->rect.top, dpi);
        }
    }
    return r;
}

int fontHeight(double points, int dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

}  // namespace tarnwick::gui::win32
