#include "gui/controls.h"

#include "gui/colours.h"

namespace tarnwick::gui {

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QFont& font, const QColor& colour) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setFont(font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    if (colour.isValid()) setTextColour(l, colour);
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const QFont& font) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFont(font);
    b->setAutoDefault(false);
    return b;
}

}  // namespace tarnwick::gui
