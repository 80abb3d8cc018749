#include "gui/text_box.h"

namespace tarnwick::gui {

QString fromModelText(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

}  // namespace tarnwick::gui
