#pragma once
// The print-in-progress window: stays on top while a document prints, with the document's
// name and a button that stops the printing between two pages.

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

    // The continue flag: true while the document may go on; the abort button clears it.
    bool continuePrinting() const { return continue_; }
    // Sets the continue flag, writes the document's name and shows the window, not modal.
    void startDocument(const QString& panelText);
    // Closes the window at the end of the document.
    void endDocument();

public slots:
    void BitBtn1Click();
    // Esc and the close box stop the printing too, as the button does.
    void reject() override;

private:
    bool continue_ = true;
};

} // namespace kalidor
