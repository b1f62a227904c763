#include "platform/memo.h"

namespace kalidor {

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
}

void Memo::clear() {
    lines_.clear();
    QPlainTextEdit::clear();
}

void Memo::addLine(const QString& line) {
    if (lines_.isEmpty()) {
        setPlainText(line);
    } else {
        appendPlainText(line);
    }
    lines_.append(line);
}

void Memo::setLines(const QStringList& lines) {
    lines_ = lines;
    setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace kalidor
