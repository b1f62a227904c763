#include "reports/memo_printing.h"

#include "platform/printer_text_file.h"
#include "platform/wait_cursor.h"

namespace kalidor {

bool printPaneLines(Platform& platform, QWidget* parent, const QStringList& lines,
                    const PaneLinesPrint& how) {
    Printer& printer = platform.printer();
    if (!mayStartDocument(printer, parent)) {
        return false;
    }
    std::optional<WaitCursor> wait;
    if (how.waitCursor) {
        wait.emplace(platform);
    }
    printTextLines(printer, lines, how.font);
    return true;
}

} // namespace kalidor
