#pragma once
// Colours and fonts of the competence sheet.

#include "platform/ui_style.h"

#include <QColor>
#include <QFont>
#include <QWidget>

namespace kalidor::sheet_style {

using namespace colours;

inline QFont arial(int size, bool bold) {
    QFont font(QStringLiteral("Arial"), size);
    font.setBold(bold);
    return font;
}

inline void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

inline void setBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

} // namespace kalidor::sheet_style
