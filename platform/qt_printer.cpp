#include "platform/qt_printer.h"

#include <QFontMetrics>
#include <QPrintDialog>

namespace kalidor {

QtPrinter::QtPrinter()
    : printer_(QPrinter::HighResolution), font_(QStringLiteral("MS Sans Serif"), 8) {}

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) {
        abort();
    }
}

bool QtPrinter::executePrintDialog(QWidget* parent) {
    QPrintDialog dialog(&printer_, parent);
    // The documents are printed whole: no page range, selection or current page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrinter::setPortrait() {
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void QtPrinter::setTitle(const QString& title) {
    printer_.setDocName(title);
}

bool QtPrinter::beginDoc() {
    if (painter_.isActive()) {
        return false;
    }
    if (!painter_.begin(&printer_)) {
        return false;
    }
    fontApplied_ = false;
    penPosition_ = {};
    return true;
}

bool QtPrinter::newPage() {
    if (!painter_.isActive() || !printer_.newPage()) {
        return false;
    }
    penPosition_ = {};
    return true;
}

void QtPrinter::endDoc() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void QtPrinter::abort() {
    printer_.abort();
    if (painter_.isActive()) {
        painter_.end();
    }
}

bool QtPrinter::printing() const {
    return painter_.isActive();
}

int QtPrinter::pageWidth() const {
    return printer_.width();
}

int QtPrinter::pageHeight() const {
    return printer_.height();
}

void QtPrinter::setFont(const QFont& font, const QColor& color) {
    font_ = font;
    color_ = color;
    fontApplied_ = false;
}

void QtPrinter::applyFont() {
    if (fontApplied_) {
        return;
    }
    painter_.setFont(font_);
    painter_.setPen(color_);
    ascent_ = painter_.fontMetrics().ascent();
    fontApplied_ = true;
}

void QtPrinter::textOut(int x, int y, const QString& text) {
    if (!painter_.isActive()) {
        return;
    }
    applyFont();
    // The canvas places a text by its top-left corner, the painter by its baseline.
    painter_.drawText(x, y + ascent_, text);
}

void QtPrinter::rectangle(int x1, int y1, int x2, int y2) {
    if (!painter_.isActive()) {
        return;
    }
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrush(Qt::white);
    painter_.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    fontApplied_ = false;
}

void QtPrinter::moveTo(int x, int y) {
    penPosition_ = {x, y};
}

void QtPrinter::lineTo(int x, int y) {
    if (painter_.isActive()) {
        painter_.setPen(QPen(Qt::black, 0));
        painter_.drawLine(penPosition_, QPoint(x, y));
        fontApplied_ = false;
    }
    penPosition_ = {x, y};
}

int QtPrinter::textWidth(const QString& text) const {
    return textWidthIn(font_, text);
}

int QtPrinter::textWidthIn(const QFont& font, const QString& text) const {
    return QFontMetrics(font, &printer_).horizontalAdvance(text);
}

int QtPrinter::textHeight() const {
    return QFontMetrics(font_, &printer_).height();
}

void QtPrinter::printToPdf(const QString& fileName) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(fileName);
}

} // namespace kalidor
