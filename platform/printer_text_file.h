#pragma once
// The printer opened as a text file: the caller writes lines, this breaks the lines that are
// wider than the page at blanks (or anywhere in a word wider than the page) and starts a new
// page when the next line would pass the bottom. Text is printed in the printer's current
// font. Failures throw IoError.

#include "platform/printer.h"

#include <QStringList>
#include <optional>

namespace kalidor {

class PrinterTextFile {
public:
    explicit PrinterTextFile(Printer& printer) : printer_(printer) {}
    ~PrinterTextFile();

    void open();
    void writeLine(const QString& line);
    void close();

private:
    void writePiece(const QString& piece);
    QStringList breakLine(const QString& line) const;

    Printer& printer_;
    bool open_ = false;
    int y_ = 0;
    int lineHeight_ = 0;
};

// Prints the lines as a text file: open, the font when one is given (else the printer's
// current one), one line each, close.
void printTextLines(Printer& printer, const QStringList& lines,
                    const std::optional<QFont>& font = std::nullopt);

} // namespace kalidor
