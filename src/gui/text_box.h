// A multi-line text box that shows a text of the window model (lines ending in CR LF).
#pragma once

#include <QPlainTextEdit>
#include <functional>
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

    // Called with the 0-based line (of the model's text) that was double-clicked.
    std::function<void(int line)> onLineDoubleClicked;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::string last_;
    bool set_ = false;
};

// CR LF (and lone CR) as "\n".
QString fromModelText(const std::string& text);

}  // namespace tarnwick::gui
