#include "platform/edit_fields.h"

#include <QValidator>

namespace kalidor {

namespace {

constexpr char kDateMask[] = "00/00/9999;_";
constexpr QChar kMaskBlank = QLatin1Char('_');
constexpr int kDateLength = 10;

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

void forceUpperCase(QLineEdit* edit) {
    edit->setValidator(new UpperCaseValidator(edit));
}

MaskedDateEdit::MaskedDateEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(QLatin1String(kDateMask));
    setMaxLength(kDateLength);
}

QString MaskedDateEdit::dateText() const {
    // text() drops the empty positions; the shown text keeps them, as '_'.
    QString shown = displayText();
    shown.replace(kMaskBlank, QLatin1Char(' '));
    return shown.left(kDateLength);
}

void MaskedDateEdit::setDateText(const QString& date) {
    setText(date);
}

} // namespace kalidor
