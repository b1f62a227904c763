#pragma once
// The print-in-progress window: stays on top while a document prints, with the document's
// name and a button that stops the printing between two pages. Esc and the close box stop it
// the same way.

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace kalidor {

class TF_annule : public QDialog {
    Q_OBJECT
public:
    explicit TF_annule(QWidget* parent = nullptr);

    QLabel* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // The continue flag: true while the document may go on. A stop clears it for the rest of
    // the document; only the next document sets it again.
    bool continuePrinting() const { return continue_; }
    // From the start of a document to its end, stopped or not.
    bool documentOpen() const { return documentOpen_; }
    // Sets the continue flag, writes the document's name and shows the window, not modal.
    void startDocument(const QString& panelText);
    // Closes the window at the end of the document.
    void endDocument();
    // The one way a document stops: the abort button, Esc and the close box all come here.
    // The window goes at once; the page being drawn is finished.
    void stopPrinting();

public slots:
    void BitBtn1Click();
    // Esc, and the close box through QDialog's close event.
    void reject() override;

private:
    bool continue_ = true;
    bool documentOpen_ = false;
};

} // namespace kalidor
