#pragma once
// A printer for tests: the print dialog is answered from a script, every call is recorded with
// its page, and an accepted dialog may send the document to a real PDF file through QPrinter
// so that a test can read the pages back.

#include "platform/printer.h"
#include "platform/qt_printer.h"

#include <QList>
#include <QSize>
#include <functional>
#include <memory>
#include <optional>

namespace kalidor {

struct PrintCall {
    enum Kind {
        Dialog,
        Title,
        Portrait,
        Begin,
        NewPage,
        End,
        Abort,
        Font,
        Text,
        Rect,
        Move,
        Line,
        Landscape
    };
    Kind kind = Dialog;
    int page = 0; // 1 from the start of the document, 0 outside a document
    // Dialog: x1 is 1 when accepted, text the PDF file. Begin: x1 is 1 when the document
    // started, 0 on a printer error.
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    QString text;      // Text: the text; Title: the title; Font: the family
    int pointSize = 0; // Font
    bool bold = false; // Font
};

class ScriptedPrinter : public Printer {
public:
    ScriptedPrinter();
    ~ScriptedPrinter() override;

    // Answers to the print dialog, taken from the front: nothing = cancelled, an empty text =
    // printed (recorded only), a file name = printed into that PDF file as well. A dialog with
    // no answer left is cancelled.
    QList<std::optional<QString>> dialogAnswers;
    // The page size when a document is only recorded, in printer pixels (A4 at 600 dpi), in
    // portrait; landscape turns it.
    QSize recordedPageSize{4961, 7016};
    // That many starts of a document fail before one succeeds.
    int beginFailures = 0;
    // When set, the printer of that name refuses every document as it is handed over (endDoc),
    // as a queue that stopped taking jobs after the print dialog closed.
    QString refusingPrinter;
    // Called after each recorded call, e.g. to press a button in the middle of a page.
    std::function<void(const PrintCall&)> observer;

    QList<PrintCall> calls;
    int dialogs = 0;

    // Calls of one kind, or of one kind on one page.
    QList<PrintCall> callsOf(PrintCall::Kind kind, int page = -1) const;
    // Texts drawn, in order, on one page or on every page.
    QStringList texts(int page = -1) const;
    // Pages started, whole-document count.
    int pages() const;

    bool executePrintDialog(QWidget* parent) override;
    void setPortrait() override;
    void setLandscape() override;
    void setTitle(const QString& title) override;
    bool beginDoc() override;
    bool newPage() override;
    void endDoc() override;
    void abort() override;
    bool printing() const override { return printing_; }
    int pageWidth() const override;
    int pageHeight() const override;
    void setFont(const QFont& font, const QColor& color = Qt::black) override;
    QFont font() const override { return font_; }
    void textOut(int x, int y, const QString& text) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    int textWidth(const QString& text) const override;
    int textWidthIn(const QFont& font, const QString& text) const override;
    int textHeight() const override;

private:
    void record(PrintCall call);

    std::unique_ptr<QtPrinter> pdf_; // set while the documents go to a PDF file
    QFont font_;
    bool printing_ = false;
    bool landscape_ = false;
    int page_ = 0;
};

} // namespace kalidor
