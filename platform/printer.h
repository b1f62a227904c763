#pragma once
// The printer, as the documents use it: the print dialog, one document at a time with its
// pages, a canvas in printer pixels, and the printer opened as a text file.
//
// A document is one print job: the first page starts it (beginDoc), each further page is a
// page break (newPage), endDoc ends it. Printing to a PDF file therefore keeps every page.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace kalidor {

class Printer {
public:
    virtual ~Printer() = default;

    // The print dialog; true when the user asked to print. Its choices (printer or file)
    // stay for the next documents. Throws IoError, naming the printer, when the chosen printer
    // refuses jobs: nothing is printed.
    virtual bool executePrintDialog(QWidget* parent) = 0;

    virtual void setPortrait() = 0;
    virtual void setLandscape() = 0;
    // The document's name in the print queue.
    virtual void setTitle(const QString& title) = 0;

    // Starts a document; false on a printer error (nothing started).
    virtual bool beginDoc() = 0;
    // Ends the page being drawn and starts the next one; false on a printer error.
    virtual bool newPage() = 0;
    // Ends the document and sends it. Throws IoError, naming the printer, when the printer
    // does not take it: nothing is printed.
    virtual void endDoc() = 0;
    // Drops the document being printed: nothing of it is printed.
    virtual void abort() = 0;
    virtual bool printing() const = 0;

    // The printable area, in printer pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    // The canvas. The font stays from one document to the next until it is set again.
    virtual void setFont(const QFont& font, const QColor& color = Qt::black) = 0;
    virtual QFont font() const = 0;
    // Text whose top-left corner is at (x, y).
    virtual void textOut(int x, int y, const QString& text) = 0;
    // A frame filled white, from (x1, y1) to (x2, y2) excluded.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Size of a text in the current font, in printer pixels.
    virtual int textWidth(const QString& text) const = 0;
    // Width of a text in another font, the canvas font left as it is.
    virtual int textWidthIn(const QFont& font, const QString& text) const = 0;
    virtual int textHeight() const = 0;
};

// Whether a document may start: none is printing and the user accepted the print dialog. A
// print command chosen while another document prints (events run between its lines) would
// wait for the printer forever: it is refused. A portrait or landscape document is set so
// before the dialog, which shows it.
enum class PageOrientation { AsChosen, Portrait, Landscape };
bool mayStartDocument(Printer& printer, QWidget* parent,
                      PageOrientation orientation = PageOrientation::AsChosen);

} // namespace kalidor
