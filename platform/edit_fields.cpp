#include "platform/edit_fields.h"

#include "records/cp1252.h"

#include <QValidator>
#include <algorithm>

namespace kalidor {

namespace {

constexpr char kDateMask[] = "00/00/9999;_";
constexpr QChar kMaskBlank = QLatin1Char('_');
constexpr int kDateLength = 10;

class RecordTextValidator : public QValidator {
public:
    RecordTextValidator(bool upperCase, QObject* parent)
        : QValidator(parent), upperCase_(upperCase) {}

    State validate(QString& input, int& position) const override {
        const QString beforeCursor = held(input.left(position));
        input = held(input);
        position = static_cast<int>(std::min(beforeCursor.size(), input.size()));
        return Acceptable;
    }

private:
    // A field is one line: a line break or a tab pasted into it is a blank.
    QString held(QString text) const {
        for (QChar& ch : text) {
            if (ch.unicode() < 0x20) {
                ch = QLatin1Char(' ');
            }
        }
        return storableText(text, upperCase_);
    }

    bool upperCase_;
};

} // namespace

void keepRecordText(QLineEdit* edit, LetterCase letterCase) {
    edit->setValidator(new RecordTextValidator(letterCase == LetterCase::Upper, edit));
}

QLineEdit* makeRecordEdit(QWidget* parent, const char* name, int maxLength, LetterCase letterCase) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    keepRecordText(edit, letterCase);
    return edit;
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
