#include "gui/text_box.h"

#include <QMouseEvent>
#include <QTextBlock>

#include "gui/controls.h"

namespace tarnwick::gui {

QString fromModelText(const std::string& text) {
    QString s = qText(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

TextBox::TextBox(QWidget* parent, const char* name, bool verticalScrollBar) : QPlainTextEdit(parent) {
    setObjectName(QString::fromUtf8(name));
    setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void TextBox::showText(const std::string& text) {
    if (set_ && text == last_) return;
    last_ = text;
    set_ = true;
    setPlainText(fromModelText(text));
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    // A wrapped line is still one block: the block number is the line of the model's text.
    if (onLineDoubleClicked) onLineDoubleClicked(cursorForPosition(event->pos()).blockNumber());
}

}  // namespace tarnwick::gui
