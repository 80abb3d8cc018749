#include "gui/xuanzhe_window.h"

#include <QStyle>
#include <QStyleFactory>

#include "gui/colours.h"
#include "gui/controls.h"
#include "gui/credits.h"
#include "gui/fonts.h"
#include "gui/twips.h"

namespace tarnwick::gui {

XuanzheWindow::XuanzheWindow(QWidget* owner)
    : ModelWindow(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("xuanzhe");
    setWindowTitle(QString::fromUtf8(kProgramCaption));
    const TwipScale tw = screenScale();
    setFixedSize(tw.size(7755, 8055));

    Command5 = makeButton(this, "Command5", "软件使用说明", faceFont(kSong, 14.25));
    // Drawn with its own background: the plain Windows look paints the face in the palette's
    // button colour, flat, as a graphical button of the desktop does.
    if (QStyle* own = QStyleFactory::create("Windows")) {
        own->setParent(Command5);
        Command5->setStyle(own);
    }
    QPalette blue = Command5->palette();
    blue.setColor(QPalette::Button, kLightBlue);
    Command5->setPalette(blue);
    Command5->setAutoFillBackground(true);
    tw.place(Command5, 2520, 120, 2055, 615);

    Label1 = makeLabel(this, "Label1", "请在下面选中试题，再点“确定”", faceFont(kKai, 14.25, true), kRed);
    tw.place(Label1, 1440, 1080, 4815, 495);

    struct OptionRow {
        int number;
        const char* caption;
        int top, width, height;
        int colour;  // 0 highlight, 1 green, 2 purple
    };
    const OptionRow rows[] = {
        {1, "Word第一套试题", 1560, 2535, 375, 0},      {2, "Word第二套试题", 2100, 2535, 285, 0},
        {7, "Word第三套试题", 2640, 2535, 255, 0},      {3, "Excel第一套试题", 3120, 2775, 255, 1},
        {4, "Excel第二套试题", 3600, 2895, 255, 1},     {8, "Excel第三套试题", 4080, 2895, 255, 1},
        {5, "Frontpage第一套试题", 4560, 3495, 255, 2}, {6, "Frontpage第二套试题", 5040, 3615, 255, 2},
    };
    const QFont optionFont = faceFont(kSong, 14.25, true);
    for (const OptionRow& r : rows) {
        auto* o = new QRadioButton(QString::fromUtf8(r.caption), this);
        o->setObjectName(QStringLiteral("Option%1").arg(r.number));
        o->setFont(optionFont);
        setTextColour(o, r.colour == 0 ? highlightColour(this) : r.colour == 1 ? kGreen : kPurple);
        tw.place(o, 2400, r.top, r.width, r.height);
        Option[static_cast<std::size_t>(r.number)] = o;
    }

    Command1 = makeButton(this, "Command1", "确定", faceFont(kSong, 12));
    tw.place(Command1, 2520, 5520, 1695, 615);
    Command2 = makeButton(this, "Command2", "退出", faceFont(kSong, 12));
    tw.place(Command2, 5640, 5640, 1095, 495);

    Label2 = makeLabel(this, "Label2", kMaker, faceFont(kSong, 15.75, true), kRed);
    tw.place(Label2, 960, 6720, 5655, 375);
    Label3 = makeLabel(this, "Label3", kContact, faceFont(kSong, 15.75, true), kPurple);
    tw.place(Label3, 600, 7320, 6855, 495);

    // Top to bottom as the student sees it; the focus starts on 确定.
    QWidget* order[] = {Command5, Option[1], Option[2], Option[7], Option[3], Option[4],
                        Option[8], Option[5], Option[6], Command1, Command2};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Command1->setFocus();
}

void XuanzheWindow::mirror(const shell::XuanzheState& state) {
    if (state.visible) {
        const bool shown = isVisible();
        showOnce(true);
        if (!shown) Command1->setFocus();
    } else if (isVisible()) {
        hide();
    }
}

}  // namespace tarnwick::gui
