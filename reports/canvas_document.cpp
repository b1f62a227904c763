#include "reports/canvas_document.h"

#include "platform/ui_style.h"

#include <QThread>

namespace kalidor {

namespace {

constexpr int kUnitDivisor = 85;
constexpr int kCanvasPointSize = 9;
constexpr int kRetryPauseMs = 50;

} // namespace

CanvasDocument::CanvasDocument(Printer& printer, Platform& platform, TF_annule& annule)
    : printer_(printer), platform_(platform), annule_(annule) {}

CanvasDocument::~CanvasDocument() {
    // Left open by a failure: the document is dropped, not half sent.
    if (open_) {
        open_ = false;
        if (started_) {
            printer_.abort();
        }
        annule_.endDocument();
    }
    restorePortrait();
}

bool CanvasDocument::start(QWidget* parent, const QString& title, const QString& panelText,
                           PageOrientation orientation) {
    // A print command chosen while this window's document prints (events run between its
    // pages, and before its first page starts) would set the continue flag again under it, a
    // stop included, and hide the window while that document prints on.
    if (annule_.documentOpen()) {
        return false;
    }
    landscape_ = orientation == PageOrientation::Landscape;
    if (!mayStartDocument(printer_, parent, orientation)) {
        restorePortrait();
        return false;
    }
    open_ = true;
    started_ = false;
    annule_.startDocument(panelText);
    printer_.setTitle(title);
    printer_.setFont(arial(kCanvasPointSize), Qt::black);
    pageWidth_ = printer_.pageWidth();
    pageHeight_ = printer_.pageHeight();
    unitX_ = pageWidth_ / kUnitDivisor;
    unitY_ = pageHeight_ / kUnitDivisor;
    return true;
}

bool CanvasDocument::tryStartPage() {
    if (started_) {
        return printer_.newPage();
    }
    started_ = printer_.beginDoc();
    return started_;
}

bool CanvasDocument::beginPage() {
    startFailed_ = false;
    platform_.processEvents();
    while (annule_.continuePrinting()) {
        if (tryStartPage()) {
            return true;
        }
        // The printer refused: drop what it holds and try again, until the user gives up.
        startFailed_ = true;
        if (printer_.printing()) {
            printer_.abort();
        }
        started_ = false;
        platform_.processEvents();
        QThread::msleep(kRetryPauseMs);
    }
    finish();
    return false;
}

void CanvasDocument::finish() {
    if (!open_) {
        return;
    }
    open_ = false;
    annule_.endDocument();
    if (started_) {
        started_ = false;
        printer_.endDoc(); // may throw when the printer does not take the document
    }
    restorePortrait();
}

void CanvasDocument::restorePortrait() {
    // The text documents print in the printer's orientation without setting it.
    if (landscape_) {
        landscape_ = false;
        printer_.setPortrait();
    }
}

} // namespace kalidor
