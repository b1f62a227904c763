#pragma once
// A document drawn on the printer canvas, page by page, with the print-in-progress window.
//
// The pages were once separate print jobs, each started with retries until the printer
// accepted it or the user gave up. Here the document is one job: the first page starts it
// and each further page is a page break, so a PDF file receives every page. The abort button
// still takes effect between pages: the page being drawn is finished, no further one starts.

#include "platform/platform.h"
#include "platform/printer.h"
#include "reports/print_progress.h"

namespace kalidor {

class CanvasDocument {
public:
    CanvasDocument(Printer& printer, Platform& platform, TF_annule& annule);
    // A document left open by a failure is dropped and the window closed.
    ~CanvasDocument();

    CanvasDocument(const CanvasDocument&) = delete;
    CanvasDocument& operator=(const CanvasDocument&) = delete;

    // The orientation (portrait unless told), the print dialog, then (unless cancelled) the
    // continue flag, the window with its panel text, the document's title, Arial 9 black and the
    // layout units. False when the dialog was cancelled (or another document is printing): nothing
    // is printed. IoError when the chosen printer refuses jobs.
    bool start(QWidget* parent, const QString& title, const QString& panelText,
               PageOrientation orientation = PageOrientation::Portrait);
    // Starts the next page. A start the printer refuses is retried until it succeeds or the
    // abort button is pressed. False when the document stops here; it is then ended.
    bool beginPage();
    // Closes the window and ends the document; IoError when the printer does not take it.
    void finish();

    Printer& printer() { return printer_; }
    Platform& platform() { return platform_; }
    int unitX() const { return unitX_; }
    int unitY() const { return unitY_; }
    int pageWidth() const { return pageWidth_; }
    int pageHeight() const { return pageHeight_; }
    // True while the start of the last page failed and was being retried.
    bool startFailed() const { return startFailed_; }

private:
    bool tryStartPage();
    void restorePortrait();

    Printer& printer_;
    Platform& platform_;
    TF_annule& annule_;
    bool open_ = false; // between start and finish
    bool landscape_ = false;
    bool started_ = false; // the print job has begun
    bool startFailed_ = false;
    int unitX_ = 0;
    int unitY_ = 0;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
};

} // namespace kalidor
