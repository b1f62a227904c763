#pragma once
// Printing the text pane's lines through the printer opened as a text file.

#include "platform/platform.h"

#include <QFont>
#include <QStringList>
#include <optional>

namespace kalidor {

// How the lines print: the competence index in the pane's font; the competence sheet in the
// printer's current font, under the wait cursor.
struct PaneLinesPrint {
    std::optional<QFont> font;
    bool waitCursor = false;
};

// The print dialog, then the lines. False when cancelled or another document is printing. The
// wait cursor is restored on every way out; printer failures throw IoError.
bool printPaneLines(Platform& platform, QWidget* parent, const QStringList& lines,
                    const PaneLinesPrint& how);

} // namespace kalidor
