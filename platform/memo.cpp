#include "platform/memo.h"

#include <utility>

namespace kalidor {

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Text changed by any other means (clear(), setPlainText()) becomes the lines.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!writingLines_) {
            const QString text = toPlainText();
            lines_ = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
        }
    });
}

void Memo::addLine(const QString& line) {
    writingLines_ = true;
    if (lines_.isEmpty()) {
        setPlainText(line);
    } else {
        appendPlainText(line);
    }
    writingLines_ = false;
    lines_.append(line);
}

void Memo::setLines(const QStringList& lines) {
    writingLines_ = true;
    setPlainText(lines.join(QLatin1Char('\n')));
    writingLines_ = false;
    lines_ = lines;
}

} // namespace kalidor
