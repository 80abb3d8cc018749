// Building the windows' labels and buttons by name, caption and font.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <string_view>

namespace tarnwick::gui {

// The model's UTF-8 text as Qt's.
inline QString qText(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A label whose text starts at its top left and wraps at its width. An invalid colour keeps the
// default text colour.
QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QFont& font,
                  const QColor& colour = QColor());

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const QFont& font);

}  // namespace tarnwick::gui
