// A multi-line text box that shows a text of the window model (lines ending in CR LF).
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace tarnwick::gui {

class TextBox : public QPlainTextEdit {
public:
    // `verticalScrollBar`: the box always shows a vertical scroll bar; otherwise none. Long lines
    // wrap at the box's width.
    TextBox(QWidget* parent, const char* name, bool verticalScrollBar);

    // Replaces the text only when the model's text changed since the last call, so that what the
    // student scrolled to or typed stays while the model's text is the same.
    void showText(const std::string& text);
    // The text as shown, lines separated by "\n".
    QString shownText() const { return toPlainText(); }

private:
    std::string last_;
    bool set_ = false;
};

// CR LF (and lone CR) as "\n".
QString fromModelText(const std::string& text);

}  // namespace tarnwick::gui
