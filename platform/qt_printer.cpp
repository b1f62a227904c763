#include "platform/qt_printer.h"

#include "platform/platform_texts.h"
#include "platform/print_spooler.h"
#include "platform/ui_style.h"
#include "records/io_error.h"
#include "records/utf8.h"

#include <QFontMetrics>
#include <QPrintDialog>
#include <algorithm>
#include <cups/cups.h>

namespace kalidor {

namespace {

// The queue's name as the spooler knows it: Qt names an instance of a queue "queue/instance".
QByteArray queueName(const QString& printerName) {
    return printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
}

// The spooler's failure on its last request, with its own words for why.
IoError spoolerFailure(const CupsLibrary& spooler, const QString& printerName) {
    if (spooler.lastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
        return IoError(tr8(platform_texts::kPrinterRefusesJobs).arg(printerName));
    }
    return IoError(tr8(platform_texts::kPrinterSpoolerFailed)
                       .arg(printerName, QString::fromUtf8(spooler.lastErrorString())));
}

bool lastRequestFailed(const CupsLibrary& spooler) {
    return spooler.lastError() >= IPP_STATUS_REDIRECTION_OTHER_SITE;
}

} // namespace

QtPrinter::QtPrinter() : font_(msSansSerif(8)) {}

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) {
        abort();
    }
}

QPrinter& QtPrinter::qprinter() const {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (orientation_) {
            printer_->setPageOrientation(*orientation_);
        }
    }
    return *printer_;
}

bool QtPrinter::executePrintDialog(QWidget* parent) {
    // The dialog, and the QPrinter the first time, ask the spooler for its printers.
    const CupsLibrary* cups = cupsLibrary();
    if (cups != nullptr && !spoolerAnswers(*cups)) {
        throw IoError(tr8(platform_texts::kPrintServerNotAnswering));
    }
    QPrintDialog dialog(&qprinter(), parent);
    // The documents are printed whole: no page range, selection or current page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    checkPrinterAcceptsJobs();
    return true;
}

const CupsLibrary* QtPrinter::spooler() const {
    if (!printer_ || printer_->outputFormat() != QPrinter::NativeFormat ||
        printer_->printerName().isEmpty()) {
        return nullptr;
    }
    return cupsLibrary();
}

void QtPrinter::checkPrinterAcceptsJobs() const {
    const CupsLibrary* spooler = this->spooler();
    if (spooler == nullptr) {
        return;
    }
    const QString name = printer_->printerName();
    const QueueAnswer answer = askQueue(*spooler, queueName(name));
    switch (answer.state) {
    case QueueAnswer::Accepts:
        return;
    case QueueAnswer::Refuses:
        throw IoError(tr8(platform_texts::kPrinterRefusesJobs).arg(name));
    case QueueAnswer::Unknown:
        throw IoError(tr8(platform_texts::kPrinterSpoolerFailed).arg(name, answer.why));
    case QueueAnswer::Silent:
        throw IoError(tr8(platform_texts::kPrintServerNotAnswering));
    }
}

void QtPrinter::setPortrait() {
    orientation_ = QPageLayout::Portrait;
    if (printer_) {
        printer_->setPageOrientation(QPageLayout::Portrait);
    }
}

void QtPrinter::setLandscape() {
    orientation_ = QPageLayout::Landscape;
    if (printer_) {
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
}

void QtPrinter::setTitle(const QString& title) {
    qprinter().setDocName(title);
}

bool QtPrinter::beginDoc() {
    if (painter_.isActive()) {
        return false;
    }
    if (!painter_.begin(&qprinter())) {
        return false;
    }
    fontApplied_ = false;
    penPosition_ = {};
    return true;
}

bool QtPrinter::newPage() {
    if (!painter_.isActive() || !printer_->newPage()) {
        return false;
    }
    penPosition_ = {};
    return true;
}

void QtPrinter::endDoc() {
    if (!painter_.isActive()) {
        return;
    }
    painter_.end();
    // Qt hands the document to the spooler as the painter ends and keeps quiet when the spooler
    // refuses it; libcups still holds the answer to that request, its last one.
    const CupsLibrary* spooler = this->spooler();
    if (spooler != nullptr && lastRequestFailed(*spooler)) {
        throw spoolerFailure(*spooler, printer_->printerName());
    }
}

void QtPrinter::abort() {
    if (printer_) {
        printer_->abort();
    }
    if (!painter_.isActive()) {
        return;
    }
    painter_.end();
    // Qt hands even a dropped document to the spooler: the newest job of this user on that queue
    // under the document's name is that document, and it is cancelled there.
    const CupsLibrary* spooler = this->spooler();
    if (spooler == nullptr || lastRequestFailed(*spooler)) {
        return;
    }
    const QByteArray queue = queueName(printer_->printerName());
    const QByteArray title = printer_->docName().toLocal8Bit();
    cups_job_t* jobs = nullptr;
    const int count =
        spooler->getJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ACTIVE);
    int newest = 0;
    for (int i = 0; i < count; ++i) {
        if (title == jobs[i].title) {
            newest = std::max(newest, jobs[i].id);
        }
    }
    spooler->freeJobs(count, jobs);
    if (newest > 0) {
        spooler->cancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), newest, 0);
    }
}

bool QtPrinter::printing() const {
    return painter_.isActive();
}

int QtPrinter::pageWidth() const {
    return qprinter().width();
}

int QtPrinter::pageHeight() const {
    return qprinter().height();
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
    return QFontMetrics(font, &qprinter()).horizontalAdvance(text);
}

int QtPrinter::textHeight() const {
    return QFontMetrics(font_, &qprinter()).height();
}

void QtPrinter::printToPdf(const QString& fileName) {
    qprinter().setOutputFormat(QPrinter::PdfFormat);
    qprinter().setOutputFileName(fileName);
}

} // namespace kalidor
