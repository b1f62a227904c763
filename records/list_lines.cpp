#include "records/list_lines.h"

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
    // Four lanes of eight bytes each, every word mixed into its lane by a multiplication and a
    // shift, both reversible: a change of one word always changes the stamp, and the lanes run
    // side by side, so that hashing a record costs a small part of reading it. 0 stands for a
    // file that could not be read.
    constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15ull;
    constexpr size_t kLanes = 4;
    constexpr size_t kWord = sizeof(std::uint64_t);
    constexpr auto kSize = static_cast<size_t>(TFiche::kSize);
    const char* bytes = record.bytes().data();
    std::uint64_t lanes[kLanes] = {1, 2, 3, 4};
    const auto mix = [](std::uint64_t lane, std::uint64_t word) {
        lane = (lane ^ word) * kOdd;
        return lane ^ (lane >> 29);
    };
    size_t at = 0;
    for (; at + kLanes * kWord <= kSize; at += kLanes * kWord) {
        for (size_t lane = 0; lane < kLanes; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, bytes + at + lane * kWord, kWord);
            lanes[lane] = mix(lanes[lane], word);
        }
    }
    for (size_t lane = 0; at < kSize; ++lane, at += kWord) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, std::min(kWord, kSize - at));
        lanes[lane] = mix(lanes[lane], word);
    }
    const std::uint64_t stamp =
        lanes[0] ^ std::rotl(lanes[1], 16) ^ std::rotl(lanes[2], 32) ^ std::rotl(lanes[3], 48);
    return std::max<size_t>(static_cast<size_t>(stamp), 1);
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
