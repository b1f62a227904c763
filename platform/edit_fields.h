#pragma once
// Edit fields of the pupil forms: upper-case text and the masked date.

#include <QLineEdit>

namespace kalidor {

// Every character typed or set into `edit` is turned into upper case.
void forceUpperCase(QLineEdit* edit);

// A date typed as dd/mm/yyyy through the mask "00/00/9999" (day and month digits optional,
// the year's required); '_' shows the empty positions.
class MaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedDateEdit(QWidget* parent = nullptr);

    // The ten characters as stored: the slashes kept and a blank for every empty position,
    // "  /  /    " when nothing was typed.
    QString dateText() const;
    // Shows a stored date; blanks stay empty positions.
    void setDateText(const QString& date);
};

} // namespace kalidor
