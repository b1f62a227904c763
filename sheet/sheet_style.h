#pragma once
// Colours and fonts of the competence sheet.

#include <QColor>
#include <QFont>
#include <QWidget>

namespace kalidor::sheet_style {

inline const QColor kTeal(0x00, 0x80, 0x80);
inline const QColor kAqua(0x00, 0xFF, 0xFF);
inline const QColor kLime(0x00, 0xFF, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kYellow(0xFF, 0xFF, 0x00);
inline const QColor kRed(0xFF, 0x00, 0x00);

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
