#include "records/list_lines.h"

#include "records/record_texts.h"
#include "records/utf8.h"

#include <QStringBuilder>
#include <algorithm>
#include <functional>
#include <string_view>

namespace kalidor {

namespace {

const QString& numberSeparator() {
    static const QString separator = tr8(record_texts::kNumberSeparator);
    return separator;
}

} // namespace

bool isRecordNumber(const QString& numberText) {
    return !numberText.isEmpty() &&
           std::all_of(numberText.cbegin(), numberText.cend(),
                       [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); });
}

size_t recordStamp(const TFiche& record) {
    // 0 stands for a file that could not be read. The standard library's byte hash takes eight
    // bytes a step: listing a thousand pupils hashes three megabytes.
    const std::string_view bytes(record.bytes().data(), record.bytes().size());
    return std::max<size_t>(std::hash<std::string_view>{}(bytes), 1);
}

ListEntry recordEntry(const TFiche& record, const QString& numberText, bool byName) {
    return {recordLine(record, numberText, byName), numberText, recordStamp(record)};
}

QStringList linesOf(const QList<ListEntry>& entries) {
    QStringList lines;
    lines.reserve(entries.size());
    for (const ListEntry& entry : entries) {
        lines.append(entry.line);
    }
    return lines;
}

QString byNameLine(const QString& nom, const QString& prenom, const QString& classe,
                   const QString& numberText) {
    return nom % QLatin1Char(' ') % prenom % QLatin1Char(' ') % classe % numberSeparator() %
           numberText;
}

QString byClassLine(const QString& nom, const QString& prenom, const QString& classe,
                    const QString& numberText) {
    return classe % QLatin1String(record_texts::kClassSeparator) % nom % QLatin1Char(' ') % prenom %
           numberSeparator() % numberText;
}

QString recordLine(const TFiche& record, const QString& numberText, bool byName) {
    return byName ? byNameLine(record.nom(), record.prenom(), record.classe(), numberText)
                  : byClassLine(record.nom(), record.prenom(), record.classe(), numberText);
}

QString lineBeforeNumber(const QString& line) {
    const qsizetype at = line.lastIndexOf(tr8(record_texts::kNumberMark));
    return at < 0 ? line : line.left(at);
}

} // namespace kalidor
