#include "records/list_lines.h"

#include "records/pupil_identity.h"
#include "records/record_texts.h"
#include "records/utf8.h"

#include <QStringBuilder>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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
    // Four lanes of eight-byte words, each word mixed into its lane by a multiplication by an odd
    // number, which is reversible: a change of one word always changes its lane, and the lanes
    // run side by side, so that hashing a record costs a small part of reading it. 0 stands for
    // a file that could not be read.
    static constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15ull;
    static constexpr size_t kWord = sizeof(std::uint64_t);
    static constexpr auto kSize = static_cast<size_t>(TFiche::kSize);
    const char* bytes = record.bytes().data();
    const auto word = [bytes](size_t at) {
        std::uint64_t value = 0;
        std::memcpy(&value, bytes + at, std::min(kWord, kSize - at));
        return value;
    };
    std::uint64_t a = 1, b = 2, c = 3, d = 4;
    size_t at = 0;
    for (; at + 4 * kWord <= kSize; at += 4 * kWord) {
        a = (a ^ word(at)) * kOdd;
        b = (b ^ word(at + kWord)) * kOdd;
        c = (c ^ word(at + 2 * kWord)) * kOdd;
        d = (d ^ word(at + 3 * kWord)) * kOdd;
    }
    for (std::uint64_t* lane : {&a, &b, &c, &d}) {
        if (at < kSize) {
            *lane = (*lane ^ word(at)) * kOdd;
            at += kWord;
        }
    }
    // The high bits of each lane brought down before the lanes are folded.
    const auto settle = [](std::uint64_t lane) { return (lane ^ (lane >> 32)) * kOdd; };
    const std::uint64_t stamp =
        settle(a) ^ std::rotl(settle(b), 16) ^ std::rotl(settle(c), 32) ^ std::rotl(settle(d), 48);
    return std::max<size_t>(static_cast<size_t>(stamp), 1);
}

ListEntry recordEntry(const TFiche& record, const QString& numberText, bool byName) {
    return {recordLine(record, numberText, byName), numberText, recordStamp(record),
            identityStamp(record)};
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
