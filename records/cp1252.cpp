#include "records/cp1252.h"

#include <algorithm>

#include <QList>

namespace kalidor {

namespace {

// Unicode values of the bytes 0x80 to 0x9F; 0 where Windows-1252 defines no character.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

QChar cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = kHighTable[byte - 0x80];
        return QChar(mapped != 0 ? mapped : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

unsigned char unicodeToCp1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<unsigned char>(ch);
    }
    for (int i = 0; i < 32; ++i) {
        const char16_t mapped = kHighTable[i];
        if (mapped == ch || (mapped == 0 && ch == 0x80 + i)) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return '?';
}

QString decodeCp1252(const char* bytes, qsizetype length) {
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < length; ++i) {
        out[i] = cp1252ToUnicode(static_cast<unsigned char>(bytes[i]));
    }
    return text;
}

QByteArray encodeCp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        bytes.append(static_cast<char>(unicodeToCp1252(ch.unicode())));
    }
    return bytes;
}

bool holdsInCp1252(char32_t ch) {
    return ch <= 0xFFFF && (ch == U'?' || unicodeToCp1252(static_cast<char16_t>(ch)) != '?');
}

namespace {

// The character itself when Windows-1252 holds it, else the first letter of its canonical
// decomposition followed down to one that it holds (ṩ, ṣ, s), else '?'.
char32_t storableCharacter(char32_t ch) {
    while (!holdsInCp1252(ch)) {
        if (QChar::decompositionTag(ch) != QChar::Canonical) {
            return U'?';
        }
        ch = QChar::decomposition(ch).toUcs4().value(0, U'?');
    }
    return ch;
}

char32_t capitalIfHeld(char32_t ch) {
    const char32_t upper = QChar::toUpper(ch);
    return holdsInCp1252(upper) ? upper : ch;
}

} // namespace

QString storableText(const QString& text, bool upperCase) {
    // Below U+0300 nothing composes (every combining mark lies above) and no character needs
    // two units: the text is already composed and is kept a unit at a time.
    const bool composed =
        std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() < 0x300; });
    const auto kept = [upperCase](char32_t ch) {
        // A capital the record holds comes before the base letter: ı gives I; ş gives s, then S.
        return upperCase ? capitalIfHeld(storableCharacter(capitalIfHeld(ch)))
                         : storableCharacter(ch);
    };
    QString stored(text.size(), Qt::Uninitialized);
    if (composed) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            stored[i] = QChar(static_cast<char16_t>(kept(text.at(i).unicode())));
        }
        return stored;
    }
    stored.clear();
    for (const char32_t ch : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        stored.append(QChar(static_cast<char16_t>(kept(ch))));
    }
    return stored;
}

} // namespace kalidor
