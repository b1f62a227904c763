#include "platform/qt_printer.h"

#include "platform/platform_texts.h"
#include "platform/ui_style.h"
#include "records/io_error.h"
#include "records/utf8.h"

#include <QFontMetrics>
#include <QPrintDialog>
#include <algorithm>
#include <cups/cups.h>
#include <dlfcn.h>
#include <optional>
#include <type_traits>

namespace kalidor {

// libcups, opened the first time the spooler is asked: the program starts without it and the
// twenty libraries it brings (Qt's own spooler support opens it when a printer is chosen, and
// the same library answers both). Null when the machine has no libcups: then there is no
// spooler to ask either.
struct CupsLibrary {
    decltype(&::cupsLastError) lastError;
    decltype(&::cupsLastErrorString) lastErrorString;
    decltype(&::cupsGetNamedDest) getNamedDest;
    decltype(&::cupsGetOption) getOption;
    decltype(&::cupsFreeDests) freeDests;
    decltype(&::cupsGetJobs2) getJobs2;
    decltype(&::cupsFreeJobs) freeJobs;
    decltype(&::cupsCancelJob2) cancelJob2;
};

namespace {

const CupsLibrary* cupsLibrary() {
    static const std::optional<CupsLibrary> library = []() -> std::optional<CupsLibrary> {
        void* handle = ::dlopen("libcups.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (handle == nullptr) {
            return std::nullopt;
        }
        const auto symbol = [handle](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(handle, name));
            return function != nullptr;
        };
        CupsLibrary found{};
        if (!symbol(found.lastError, "cupsLastError") ||
            !symbol(found.lastErrorString, "cupsLastErrorString") ||
            !symbol(found.getNamedDest, "cupsGetNamedDest") ||
            !symbol(found.getOption, "cupsGetOption") ||
            !symbol(found.freeDests, "cupsFreeDests") || !symbol(found.getJobs2, "cupsGetJobs2") ||
            !symbol(found.freeJobs, "cupsFreeJobs") ||
            !symbol(found.cancelJob2, "cupsCancelJob2")) {
            return std::nullopt;
        }
        return found;
    }();
    return library ? &*library : nullptr;
}

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

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution), font_(msSansSerif(8)) {}

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
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    checkPrinterAcceptsJobs();
    return true;
}

const CupsLibrary* QtPrinter::spooler() const {
    if (printer_.outputFormat() != QPrinter::NativeFormat || printer_.printerName().isEmpty()) {
        return nullptr;
    }
    return cupsLibrary();
}

void QtPrinter::checkPrinterAcceptsJobs() const {
    const CupsLibrary* spooler = this->spooler();
    if (spooler == nullptr) {
        return;
    }
    const QString name = printer_.printerName();
    cups_dest_t* dest =
        spooler->getNamedDest(CUPS_HTTP_DEFAULT, queueName(name).constData(), nullptr);
    if (dest == nullptr) {
        throw spoolerFailure(*spooler, name);
    }
    // A printer that does not say (one found on the network, say) is taken as accepting.
    const char* accepting =
        spooler->getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    spooler->freeDests(1, dest);
    if (refuses) {
        throw IoError(tr8(platform_texts::kPrinterRefusesJobs).arg(name));
    }
}

void QtPrinter::setPortrait() {
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void QtPrinter::setLandscape() {
    printer_.setPageOrientation(QPageLayout::Landscape);
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
    if (!painter_.isActive()) {
        return;
    }
    painter_.end();
    // Qt hands the document to the spooler as the painter ends and keeps quiet when the spooler
    // refuses it; libcups still holds the answer to that request, its last one.
    const CupsLibrary* spooler = this->spooler();
    if (spooler != nullptr && lastRequestFailed(*spooler)) {
        throw spoolerFailure(*spooler, printer_.printerName());
    }
}

void QtPrinter::abort() {
    printer_.abort();
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
    const QByteArray queue = queueName(printer_.printerName());
    const QByteArray title = printer_.docName().toLocal8Bit();
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
