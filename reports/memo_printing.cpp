#include "reports/memo_printing.h"

#include "platform/printer_text_file.h"
#include "platform/wait_cursor.h"

namespace kalidor {

bool printMemoLines(Platform& platform, QWidget* parent, const QStringList& lines,
                    const QFont& font) {
    Printer& printer = platform.printer();
    if (printer.printing() || !printer.executePrintDialog(parent)) {
        return false;
    }
    PrinterTextFile file(printer);
    file.open();
    printer.setFont(font, Qt::black);
    for (const QString& line : lines) {
        file.writeLine(line);
    }
    file.close();
    return true;
}

bool printSheetLines(Platform& platform, QWidget* parent, const QStringList& lines) {
    Printer& printer = platform.printer();
    if (printer.printing() || !printer.executePrintDialog(parent)) {
        return false;
    }
    const WaitCursor wait(platform);
    printTextLines(printer, lines);
    return true;
}

} // namespace kalidor
