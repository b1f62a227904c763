#pragma once
// Conversion between the Windows-1252 bytes stored on disk and the QString held in memory.

#include <QByteArray>
#include <QString>

namespace kalidor {

// One Windows-1252 byte as a Unicode character. The five bytes that Windows-1252 leaves
// undefined come back as the C1 control of the same value, as Windows itself reads them.
QChar cp1252ToUnicode(unsigned char byte);

// One character as a Windows-1252 byte; '?' for a character that Windows-1252 cannot hold.
unsigned char unicodeToCp1252(char16_t ch);

QString decodeCp1252(const char* bytes, qsizetype length);
inline QString decodeCp1252(const QByteArray& bytes) {
    return decodeCp1252(bytes.constData(), bytes.size());
}

// Encodes text; a character outside Windows-1252 (a surrogate pair counting as one) becomes '?'.
QByteArray encodeCp1252(const QString& text);

// Whether a byte belongs in text: anything but NUL and the control characters, of which tab,
// line and page breaks and the end-of-file mark of old DOS files (Ctrl-Z) are text. A picture
// or a spreadsheet in its own format holds others in its first bytes.
inline bool isTextByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x20 || (value >= '\t' && value <= '\r') || value == 0x1A;
}

// Whether Windows-1252 holds the character, so that it reads back as it was stored.
bool holdsInCp1252(char32_t ch);

// Text as a record field stores it, one character for one: composed first (e and a combining
// acute become é); a character Windows-1252 cannot hold becomes its base letter when that one
// can be held (ğ gives g), else '?'. With `upperCase`, a character is upper-cased only when its
// capital is one character Windows-1252 holds: ÿ gives Ÿ, ß and µ stay as they are.
QString storableText(const QString& text, bool upperCase = false);

} // namespace kalidor
