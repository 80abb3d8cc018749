#include "gui/main_window.h"

#include "gui/colours.h"
#include "gui/controls.h"
#include "gui/credits.h"
#include "gui/fonts.h"
#include "gui/twips.h"

namespace tarnwick::gui {

MainWindow::MainWindow() : ModelWindow(nullptr, Qt::Window) {
    setObjectName("main");
    setWindowTitle(QString::fromUtf8(kProgramCaption) + ' ' + QString::fromUtf8(kCaptionCredits));
    const TwipScale tw = screenScale();
    // Resizable; the controls keep their places.
    resize(tw.size(13425, 8820));

    const QFont song12 = faceFont(kSong, 12);
    Command1 = makeButton(this, "Command1", "开始答题", song12);
    tw.place(Command1, 480, 120, 1335, 615);
    Command2 = makeButton(this, "Command2", "开始评分", song12);
    tw.place(Command2, 2280, 120, 1335, 615);
    Command3 = makeButton(this, "Command3", "开启帮助", song12);
    tw.place(Command3, 4080, 120, 1335, 615);
    Command4 = makeButton(this, "Command4", "答题要求", song12);
    tw.place(Command4, 5880, 120, 1215, 615);
    Command5 = makeButton(this, "Command5", "退出", song12);
    tw.place(Command5, 7560, 120, 1335, 615);

    Label4 = makeLabel(this, "Label4", "成绩：", faceFont(kSong, 15.75, true), kRed);
    tw.place(Label4, 9720, 240, 1215, 375);
    Label5 = makeLabel(this, "Label5", "", faceFont(kSong, 14.25, true), kRed);
    tw.place(Label5, 10800, 240, 1095, 495);

    Frame1 = new QGroupBox(QString::fromUtf8("答题要求"), this);
    Frame1->setObjectName("Frame1");
    tw.place(Frame1, 120, 960, 6735, 7815);
    Text1 = new TextBox(Frame1, "Text1", false);
    Text1->setFont(faceFont(kSong, 12, true));
    tw.place(Text1, 120, 240, 6495, 4575);
    Label6 = makeLabel(Frame1, "Label6", "帮助", windowFont());
    tw.place(Label6, 120, 4920, 735, 255);
    Text4 = new TextBox(Frame1, "Text4", true);
    Text4->setFont(faceFont(kSong, 10.5));
    tw.place(Text4, 120, 5280, 6495, 2415);

    Frame2 = new QGroupBox(QString::fromUtf8("答题结果"), this);
    Frame2->setObjectName("Frame2");
    tw.place(Frame2, 6960, 960, 6375, 6255);
    // The label array Label2: element 0 and element 1.
    Label2[0] = makeLabel(Frame2, "Label2(0)", "正确部分", song12);
    Label2[0]->setProperty("Index", 0);
    tw.place(Label2[0], 240, 480, 1695, 375);
    Label2[1] = makeLabel(Frame2, "Label2(1)", "错误部分", song12, kRed);
    Label2[1]->setProperty("Index", 1);
    tw.place(Label2[1], 3240, 480, 1695, 375);
    Text2 = new TextBox(Frame2, "Text2", true);
    tw.place(Text2, 120, 960, 2895, 5175);
    Text3 = new TextBox(Frame2, "Text3", true);
    tw.place(Text3, 3120, 960, 3135, 5175);

    Label3 = makeLabel(this, "Label3", "本软件使用过程中，如果有什么问题应及时向老师反映！", song12, kGreen);
    tw.place(Label3, 7080, 7560, 6135, 375);
    const QByteArray credits = QByteArray(kMaker) + '\n' + kContact;
    Label1 = makeLabel(this, "Label1", credits.constData(), faceFont(kSong, 15, true), kRed);
    tw.place(Label1, 7440, 7920, 4935, 735);

    for (TextBox* box : {Text1, Text2, Text3, Text4}) box->setVisible(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
}

void MainWindow::mirror(const shell::MainState& m) {
    Command1->setEnabled(m.Command1Enabled);
    Command2->setEnabled(m.Command2Enabled);
    Command3->setEnabled(m.Command3Enabled);
    Command4->setEnabled(m.Command4Enabled);
    Command3->setText(qText(m.Command3Caption));
    Label5->setText(QString::fromStdString(m.Label5));

    Text1->showText(m.Text1);
    Text1->setReadOnly(m.Text1ReadOnly);
    Text1->setVisible(m.Text1Visible);
    Text2->showText(m.Text2);
    Text2->setVisible(m.Text2Visible);
    Text3->showText(m.Text3);
    Text3->setVisible(m.Text3Visible);
    Text4->showText(m.Text4);
    Text4->setVisible(m.Text4Visible);

    showIf(m.visible);
}

}  // namespace tarnwick::gui
