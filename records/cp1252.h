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

} // namespace kalidor
