#pragma once
// The printer on Qt: one QPrinter for the program's life (its settings stay from one document
// to the next, as the print dialog's choices do) and a QPainter on it for each document.
// A document for a printer goes to the system's spooler (CUPS). Qt loses a document the spooler
// refuses without a word, so the spooler is asked whether the printer takes jobs before anything
// is drawn, and whether it took the document once handed over. Qt asks the spooler for its
// printers as it makes the QPrinter and the print dialog, and would wait minutes for one that
// does not answer: both are made once the spooler is known to answer.

#include "platform/printer.h"

#include <QPainter>
#include <QPoint>
#include <QPrinter>
#include <memory>
#include <optional>

namespace kalidor {

struct CupsLibrary;

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    // Qt's own print dialog; a PDF file can be chosen there. A spooler that does not answer is an
    // IoError before the dialog, or once it is accepted; so is a printer whose queue refuses
    // jobs, or that the spooler does not know.
    bool executePrintDialog(QWidget* parent) override;

    void setPortrait() override;
    void setLandscape() override;
    void setTitle(const QString& title) override;
    bool beginDoc() override;
    bool newPage() override;
    void endDoc() override;
    void abort() override;
    bool printing() const override;
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

    // Sends the next documents to a PDF file instead of the chosen printer.
    void printToPdf(const QString& fileName);

protected:
    // The QPrinter, made the first time it is needed.
    QPrinter& qprinter() const;

private:
    void applyFont();
    // libcups when the document goes to a print queue (not to a file), else null.
    const CupsLibrary* spooler() const;
    void checkPrinterAcceptsJobs() const;

    mutable std::unique_ptr<QPrinter> printer_;
    // The orientation set before the QPrinter was made.
    std::optional<QPageLayout::Orientation> orientation_;
    QPainter painter_;
    QFont font_;
    QColor color_ = Qt::black;
    QPoint penPosition_;
    int ascent_ = 0;
    bool fontApplied_ = false;
};

} // namespace kalidor
