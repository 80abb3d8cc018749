#include "gui/selftest_windows.h"

#include "gui/colours.h"
#include "gui/controls.h"
#include "gui/credits.h"
#include "gui/fonts.h"
#include "gui/twips.h"

namespace tarnwick::gui {
namespace {

constexpr const char* kDialogCredits = "Tarnwick 制作";

void place(const TwipScale& tw, QWidget* w, const selftest::TwipRect& r) { tw.place(w, r.left, r.top, r.width, r.height); }

}  // namespace

QString selftestFormCaption() {
    return qText(selftest::kWindowCaption) + QString(20, QChar(' ')) + QString::fromUtf8(kCaptionCredits);
}

SelftestDialog::SelftestDialog(const selftest::Program& program, QWidget* owner)
    : ModelWindow(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint) {
    setObjectName("Dialog");
    setWindowTitle(qText(selftest::kWindowCaption));
    const TwipScale tw = screenScale();
    setFixedSize(tw.size(selftest::kDialogWidth, selftest::kDialogHeight));

    const std::string title(program.title);
    Label2 = makeLabel(this, "Label2", title.c_str(), faceFont(kHei, 18), kDarkBlue);
    place(tw, Label2, selftest::kDialogLabel2);
    Label1 = makeLabel(this, "Label1", kDialogCredits, faceFont(kSong, 10.5, true), kMagenta);
    place(tw, Label1, selftest::kDialogLabel1);
    const QFont song = faceFont(kSong, 10.5);
    OKButton = makeButton(this, "OKButton", "确定", song);
    place(tw, OKButton, selftest::kDialogOk);
    CancelButton = makeButton(this, "CancelButton", "取消", song);
    place(tw, CancelButton, selftest::kDialogCancel);
    setTabOrder(OKButton, CancelButton);
    OKButton->setFocus();
}

void SelftestDialog::mirror(const selftest::WindowState& state) {
    showIf(state.visible);
}

SelftestForm::SelftestForm(const selftest::Program& program) : ModelWindow(nullptr, Qt::Window) {
    setObjectName("Form1");
    setWindowTitle(selftestFormCaption());
    const TwipScale tw = screenScale();
    const selftest::FormLayout& f = program.form;
    // Resizable; the controls keep their places.
    resize(tw.size(f.clientWidth, f.clientHeight));

    const std::string title(program.title);
    Label1 = makeLabel(this, "Label1", title.c_str(), faceFont(kHei, 21.75), kDarkBlue);
    place(tw, Label1, f.Label1);
    Text1 = new TextBox(this, "Text1", true);
    Text1->setFont(faceFont(kSong, 12));
    Text1->showText(std::string(program.taskText));
    place(tw, Text1, f.Text1);
    const QFont kai = faceFont(kKai, 14.25);
    Command2 = makeButton(this, "Command2", "开始答题", kai);
    place(tw, Command2, f.Command2);
    Command1 = makeButton(this, "Command1", "我想交卷", kai);
    place(tw, Command1, f.Command1);
    setTabOrder(Text1, Command2);
    setTabOrder(Command2, Command1);
}

void SelftestForm::mirror(const selftest::WindowState& state) {
    showIf(state.visible);
}

}  // namespace tarnwick::gui
