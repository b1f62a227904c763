#pragma once
// A read-only text pane that holds lines, as the reports are written: line by line. The
// lines are kept as written, so an empty pane and a pane holding one empty line differ.

#include <QPlainTextEdit>
#include <QStringList>

namespace kalidor {

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr);

    // clear() is QPlainTextEdit's own: the pane is empty, and so are its lines.
    void addLine(const QString& line);
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
    bool writingLines_ = false;
};

} // namespace kalidor
