#pragma once
// Edit fields of the pupil forms: text the record can hold and the masked date.

#include <QLineEdit>

namespace kalidor {

enum class LetterCase { AsTyped, Upper };

// What is typed, pasted or set into `edit`, a field stored in a pupil record, shows as the record
// will store it (storableText), in upper case with LetterCase::Upper; the cursor stays right
// after what was typed or pasted.
void keepRecordText(QLineEdit* edit, LetterCase letterCase = LetterCase::AsTyped);

// A field stored in a pupil record, `maxLength` characters at the most, as keepRecordText says.
QLineEdit* makeRecordEdit(QWidget* parent, const char* name, int maxLength,
                          LetterCase letterCase = LetterCase::AsTyped);

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
