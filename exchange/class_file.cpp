#include "exchange/class_file.h"

#include "records/cp1252.h"
#include "records/io_error.h"
#include "records/list_lines.h"
#include "records/posix_file.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/text_file.h"

#include <QStringDecoder>

namespace kalidor {

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype kClassWidth = 8;

bool hasNonAscii(const QByteArray& bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return true;
        }
    }
    return false;
}

// The decoded text when the bytes are valid UTF-8.
std::optional<QString> decodeStrictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

QByteArray readAll(const posix::File& file) {
    QByteArray bytes;
    const off_t size = posix::fileSize(file);
    bytes.resize(static_cast<qsizetype>(size));
    posix::readAt(file, 0, bytes.data(), static_cast<size_t>(size));
    return bytes;
}

} // namespace

QString decodeClassText(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8ByteOrderMark)) {
        const QByteArray rest = bytes.mid(3);
        return decodeStrictUtf8(rest).value_or(QString::fromUtf8(rest));
    }
    if (hasNonAscii(bytes)) {
        if (std::optional<QString> text = decodeStrictUtf8(bytes)) {
            return *text;
        }
    }
    return decodeCp1252(bytes);
}

QString classFromFileName(const QString& fileName) {
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.left(dot)).left(kClassWidth);
}

ClassLine splitClassLine(const QString& line) {
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
    if (semicolon < 0) {
        return {QString(), line};
    }
    return {line.left(semicolon), line.mid(semicolon + 1)};
}

std::optional<ClassFile> readClassFile(const QString& fileName) {
    const posix::File file = posix::openForReading(fileName);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    ClassFile classFile;
    classFile.classe = classFromFileName(fileName);
    for (const QString& line : splitTextLines(decodeClassText(readAll(file)))) {
        if (!line.isEmpty()) {
            classFile.lines.append(line);
        }
    }
    return classFile;
}

AddedPupils importClass(SharedState& state, const ClassFile& classFile) {
    AddedPupils added;
    TFiche record;
    initNewRecord(record);
    record.setClasse(classFile.classe);
    PupilAdder adder(state);
    try {
        for (const QString& line : classFile.lines) {
            const ClassLine pupil = splitClassLine(line);
            record.setNom(pupil.nom);
            record.setPrenom(pupil.prenom);
            if (const std::optional<QString> number = adder.add(record)) {
                added.entries.append(
                    {recordLine(record, *number, state.sortByName), *number, recordStamp(record)});
            }
        }
        adder.finish();
    } catch (const IoError& error) {
        added.error = error.message();
    }
    return added;
}

} // namespace kalidor
