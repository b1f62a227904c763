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

    void clear();
    void addLine(const QString& line);
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
};

} // namespace kalidor
