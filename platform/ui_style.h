#pragma once
// The colours of the program's windows and the one way their UTF-8 texts become QStrings.

#include <QColor>
#include <QString>

namespace kalidor {

namespace colours {
inline const QColor kTeal(0x00, 0x80, 0x80);
inline const QColor kAqua(0x00, 0xFF, 0xFF);
inline const QColor kLime(0x00, 0xFF, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kYellow(0xFF, 0xFF, 0x00);
inline const QColor kSilver(0xC0, 0xC0, 0xC0);
inline const QColor kRed(0xFF, 0x00, 0x00);
} // namespace colours

// A text constant (UTF-8 source) as shown on screen.
inline QString tr8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace kalidor
