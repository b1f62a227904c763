#pragma once
// Reading a printed PDF back with poppler's tools: its pages, their text, their orientation.

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace kalidor::test {

inline QString pdfInfo(const QString& file) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished();
    return QString::fromUtf8(info.readAllStandardOutput());
}

inline int pdfPages(const QString& file) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pdfInfo(file));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Whether the pages are wider than high.
inline bool pdfLandscape(const QString& file) {
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)"))
            .match(pdfInfo(file));
    return size.hasMatch() && size.captured(1).toDouble() > size.captured(2).toDouble();
}

// The text of one page, each line with its blanks collapsed.
inline QStringList pdfPageLines(const QString& file, int page) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
    text.waitForFinished();
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines.append(line.simplified());
        }
    }
    return lines;
}

} // namespace kalidor::test
