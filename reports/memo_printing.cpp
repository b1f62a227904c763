#include "reports/memo_printing.h"

#include "platform/printer_text_file.h"

namespace kalidor {

namespace {

class WaitCursor {
public:
    explicit WaitCursor(Platform& platform) : platform_(platform) { platform_.setWaitCursor(true); }
    ~WaitCursor() { platform_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Platform& platform_;
};

} // namespace

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
