#include "exchange/class_file.h"

#include "exchange/exchange_texts.h"
#include "records/cp1252.h"
#include "records/list_lines.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/utf8.h"

#include <algorithm>

namespace kalidor {

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype kClassWidth = 8;

bool hasNonAscii(QByteArrayView bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
}

// The decoded text when the bytes are valid UTF-8.
std::optional<QString> decodeStrictUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

bool isUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Drops a UTF-8 sequence that the line limit cut in two, so that the line still reads as UTF-8.
void dropCutSequence(QByteArray& line) {
    qsizetype lead = line.size() - 1;
    while (lead > 0 && line.size() - lead < 4 && isUtf8Continuation(line.at(lead))) {
        --lead;
    }
    const auto value = static_cast<unsigned char>(line.at(lead));
    const qsizetype length = value >= 0xF0 ? 4 : value >= 0xE0 ? 3 : value >= 0xC0 ? 2 : 1;
    if (line.size() - lead < length) {
        line.truncate(lead);
    }
}

} // namespace

QString decodeClassText(const QByteArray& bytes) {
    QByteArrayView text(bytes);
    if (text.startsWith(kUtf8ByteOrderMark)) {
        text = text.sliced(3);
    }
    if (hasNonAscii(text)) {
        if (std::optional<QString> decoded = decodeStrictUtf8(text)) {
            return *decoded;
        }
    }
    return decodeCp1252(text.data(), text.size());
}

QString classFromFileName(const QString& fileName) {
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return classFromLabel(dot < 0 ? name : name.left(dot));
}

QString classFromLabel(const QString& label) {
    // A Mac writes "é" as "e" and a combining accent: composed first, it counts as one character.
    QString classe = label.normalized(QString::NormalizationForm_C).left(kClassWidth);
    // A file name or an export may hold control characters; a record's text never does.
    for (QChar& ch : classe) {
        if (ch.unicode() < 0x80 && !isTextByte(static_cast<char>(ch.unicode()))) {
            ch = QLatin1Char('?');
        }
    }
    return classe;
}

ClassLine splitClassLine(const QString& line) {
    qsizetype separator = line.indexOf(QLatin1Char(';'));
    if (separator < 0) {
        // A spreadsheet's text export separates its columns with tabs.
        separator = line.indexOf(QLatin1Char('\t'));
    }
    if (separator < 0) {
        return {QString(), line};
    }
    return {line.left(separator), line.mid(separator + 1)};
}

bool namesNobody(const QString& line) {
    return std::all_of(line.cbegin(), line.cend(), [](QChar ch) {
        return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char(';');
    });
}

ClassFileReader::ClassFileReader(const QString& fileName, qsizetype blockSize)
    : file_(posix::openForReading(fileName)), blockSize_(std::max<qsizetype>(blockSize, 4)) {
    if (file_.isOpen()) {
        readBlock();
    }
}

bool ClassFileReader::readBlock() {
    QByteArray bytes(blockSize_, Qt::Uninitialized);
    const size_t got =
        posix::readUpTo(file_, offset_, bytes.data(), static_cast<size_t>(blockSize_));
    if (got == 0) {
        if (pendingSurrogate_.isEmpty()) {
            return false;
        }
        bytes.clear(); // the end of the file: the held surrogate goes alone
    }
    bytes.truncate(static_cast<qsizetype>(got));
    if (offset_ == 0) {
        // The decoder drops the byte-order mark itself.
        if (bytes.startsWith("\xFF\xFE")) {
            utf16_ = true;
            decoder_ = QStringDecoder(QStringDecoder::Utf16LE);
        } else if (bytes.startsWith("\xFE\xFF")) {
            utf16_ = true;
            decoder_ = QStringDecoder(QStringDecoder::Utf16BE);
        }
    }
    offset_ += static_cast<off_t>(got);
    if (utf16_) {
        // The first half of a pair waits for the second, which the next block starts with.
        QString text = pendingSurrogate_ + QString(decoder_.decode(bytes));
        pendingSurrogate_.clear();
        if (got > 0 && !text.isEmpty() && text.back().isHighSurrogate()) {
            pendingSurrogate_ = text.back();
            text.chop(1);
        }
        block_ = text.toUtf8();
    } else {
        block_ = std::move(bytes);
    }
    position_ = 0;
    text_ = std::all_of(block_.cbegin(), block_.cend(), isTextByte);
    return text_;
}

std::optional<QByteArray> ClassFileReader::nextRawLine() {
    if (!text_) {
        return std::nullopt;
    }
    QByteArray line;
    bool started = false;
    bool cut = false;
    for (;;) {
        if (position_ == block_.size()) {
            if (!readBlock()) {
                // The end of the file ends its last line; a block that is not text ends all.
                if (!text_ || !started) {
                    return std::nullopt;
                }
                break;
            }
            continue;
        }
        if (afterCr_) {
            afterCr_ = false;
            if (block_.at(position_) == '\n') {
                ++position_;
                continue;
            }
        }
        started = true;
        const char* begin = block_.constData() + position_;
        const char* end = block_.constData() + block_.size();
        const char* lineBreak =
            std::find_if(begin, end, [](char byte) { return byte == '\n' || byte == '\r'; });
        const qsizetype room = kLineLimit - line.size();
        cut = cut || lineBreak - begin > room;
        line.append(begin, std::min<qsizetype>(lineBreak - begin, room));
        if (lineBreak != end) {
            afterCr_ = *lineBreak == '\r';
            position_ = lineBreak - block_.constData() + 1;
            break;
        }
        position_ = block_.size();
    }
    if (cut) {
        dropCutSequence(line);
    }
    return line;
}

std::optional<QString> ClassFileReader::nextLine() {
    while (const std::optional<QByteArray> line = nextRawLine()) {
        QString text = decodeClassText(*line);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return std::nullopt;
}

QString notTextMessage(const QString& fileName) {
    return tr8(exchange_texts::kNotTextFile).arg(fileName);
}

QString notTextFurtherMessage(const QString& fileName, int created) {
    return tr8(created > 1 ? exchange_texts::kNotTextFurtherMany
                           : exchange_texts::kNotTextFurtherOne)
        .arg(QString::number(created), fileName);
}

int importClass(const SharedState& state, const QString& classe, ClassFileReader& reader,
                const PupilBatch& batch) {
    TFiche record = blankRecord();
    record.setClasse(storableText(classe));
    PupilAdder adder(state);
    int created = 0;
    while (!batch.stopped()) {
        const std::optional<QString> line = reader.nextLine();
        if (!line) {
            break;
        }
        if (namesNobody(*line)) {
            continue;
        }
        const ClassLine names = splitClassLine(*line);
        record.setNom(storableText(names.nom));
        record.setPrenom(storableText(names.prenom));
        const NewPupil pupil = adder.add(record);
        batch.add(recordEntry(pupil.record, pupil.number, state.sortByName));
        ++created;
    }
    adder.finish();
    return created;
}

} // namespace kalidor
