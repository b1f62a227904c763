#include "platform/printer_text_file.h"

#include "platform/platform_texts.h"
#include "records/io_error.h"
#include "records/utf8.h"

#include <algorithm>

namespace kalidor {

PrinterTextFile::~PrinterTextFile() {
    // Left open by a failure: the document is dropped, not half sent.
    if (open_ && printer_.printing()) {
        printer_.abort();
    }
}

void PrinterTextFile::open() {
    if (!printer_.beginDoc()) {
        throw IoError(tr8(platform_texts::kPrinterStartFailed));
    }
    open_ = true;
    y_ = 0;
}

void PrinterTextFile::writeLine(const QString& line) {
    // The font may change while the file is open; each line takes the current one.
    lineHeight_ = std::max(1, printer_.textHeight());
    for (const QString& piece : breakLine(line)) {
        writePiece(piece);
    }
}

void PrinterTextFile::writePiece(const QString& piece) {
    if (y_ > 0 && y_ + lineHeight_ > printer_.pageHeight()) {
        if (!printer_.newPage()) {
            throw IoError(tr8(platform_texts::kPrinterPageFailed));
        }
        y_ = 0;
    }
    if (!piece.isEmpty()) {
        printer_.textOut(0, y_, piece);
    }
    y_ += lineHeight_;
}

QStringList PrinterTextFile::breakLine(const QString& line) const {
    const int width = printer_.pageWidth();
    QStringList pieces;
    QString rest = line;
    while (printer_.textWidth(rest) > width) {
        // The longest start of the rest that fits, at least one character.
        qsizetype fit = 1;
        while (fit < rest.size() && printer_.textWidth(rest.left(fit + 1)) <= width) {
            ++fit;
        }
        // Break after the last blank of that start when there is one past the line's indent.
        const qsizetype blank = rest.left(fit).lastIndexOf(QLatin1Char(' '));
        qsizetype cut = fit;
        if (fit < rest.size() && rest.at(fit) == QLatin1Char(' ')) {
            cut = fit + 1; // the words fit; the blank after them goes at the end
        } else if (blank > 0 && !rest.left(blank).trimmed().isEmpty()) {
            cut = blank + 1;
        }
        pieces.append(rest.left(cut));
        rest = rest.mid(cut);
    }
    pieces.append(rest);
    return pieces;
}

void PrinterTextFile::close() {
    if (open_) {
        open_ = false;
        printer_.endDoc();
    }
}

void printTextLines(Printer& printer, const QStringList& lines, const std::optional<QFont>& font) {
    PrinterTextFile file(printer);
    file.open();
    if (font) {
        printer.setFont(*font, Qt::black);
    }
    for (const QString& line : lines) {
        file.writeLine(line);
    }
    file.close();
}

} // namespace kalidor
