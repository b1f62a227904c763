#pragma once
// Printing the text pane's lines through the printer opened as a text file.

#include "platform/platform.h"

#include <QFont>
#include <QStringList>
#include <optional>

namespace kalidor {

// The print dialog, then the lines in `font` (the pane's font). False when cancelled.
// Printer failures throw IoError.
bool printMemoLines(Platform& platform, QWidget* parent, const QStringList& lines,
                    const QFont& font);

// The competence sheet: the print dialog, then the lines in the printer's current font under
// the wait cursor, which is restored on every way out. False when cancelled.
bool printSheetLines(Platform& platform, QWidget* parent, const QStringList& lines);

} // namespace kalidor
