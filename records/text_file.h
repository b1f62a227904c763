#pragma once
// Plain-text side files (official texts, competence descriptions): Windows-1252, one line per
// text line.

#include <QStringList>

namespace kalidor {

// The lines of the file; Windows and Unix line breaks alike, no line after a final break.
// Throws IoError.
QStringList readTextFileLines(const QString& fileName);

// Splits decoded text into lines as readTextFileLines does.
QStringList splitTextLines(const QString& text);

} // namespace kalidor
