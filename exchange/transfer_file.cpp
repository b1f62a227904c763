#include "exchange/transfer_file.h"

#include "exchange/exchange_texts.h"
#include "records/io_error.h"
#include "records/list_lines.h"
#include "records/posix_file.h"
#include "records/pupil_files.h"
#include "records/record_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor {

namespace {

// A name that a new transfer file may take: free, or a file this process may replace.
bool replaceable(const QByteArray& target) {
    struct stat info;
    if (::stat(target.constData(), &info) != 0) {
        return errno == ENOENT;
    }
    return !S_ISDIR(info.st_mode) && ::access(target.constData(), W_OK) == 0;
}

// The temporary file a transfer file is written to before it takes its name: hidden, beside
// it, so that the rename stays within one folder.
QByteArray temporaryTemplate(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
}

// A pupil whose record file cannot be read is left out of a transfer file.
bool readPupil(const QString& fileName, TFiche& record) {
    try {
        readRecordFile(fileName, record);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

[[noreturn]] void discardAndThrow(const QByteArray& temporary) {
    const int error = errno;
    ::unlink(temporary.constData());
    throw IoError::fromErrno(error);
}

} // namespace

QString withTransferExtension(const QString& chosenName) {
    const QString fileName = chosenName.mid(chosenName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    return extension == QLatin1String(kTransferExtension)
               ? chosenName
               : chosenName + QLatin1String(kTransferExtension);
}

std::optional<int> linePosition(const QString& line) {
    const std::optional<QString> number = numberAtLineEnd(line);
    if (!number) {
        return std::nullopt;
    }
    bool ok = false;
    const int position = number->toInt(&ok);
    return ok ? std::optional<int>(position) : std::nullopt;
}

TransferWriteResult writeTransferFile(const SharedState& state, const QString& fileName,
                                      const QStringList& pupilLines) {
    TransferWriteResult result;
    const QByteArray target = posix::path(fileName);
    if (target.isEmpty() || !replaceable(target)) {
        return result;
    }
    QByteArray temporary = temporaryTemplate(target);
    posix::File file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        // A folder the user may not write to is a failed write, told with the runtime's
        // message; any other name that cannot be created keeps the plain message.
        if (errno == EACCES || errno == EPERM || errno == EROFS) {
            throw IoError::fromErrno(errno);
        }
        return result;
    }
    result.created = true;

    TFiche record;
    for (const QString& line : pupilLines) {
        // The number stays text: the line of 007.b2i reads 007.b2i.
        const std::optional<QString> number = numberAtLineEnd(line);
        if (!number || !readPupil(recordFileName(state, *number), record)) {
            ++result.leftOut;
            continue;
        }
        if (!posix::writeAll(file.get(), record.bytes().data(), record.bytes().size())) {
            discardAndThrow(temporary);
        }
        ++result.written;
    }
    if (::fchmod(file.get(), posix::newFileMode()) != 0 || ::fdatasync(file.get()) != 0 ||
        !file.close() || ::rename(temporary.constData(), target.constData()) != 0) {
        discardAndThrow(temporary);
    }
    return result;
}

QString transferCreatedMessage(const QString& fileName, int leftOut) {
    QString message = QString::fromUtf8(texts::kTransferCreated) + QLatin1Char('\r') + fileName;
    if (leftOut == 1) {
        message += QLatin1Char('\r') + QString::fromUtf8(texts::kOnePupilLeftOut);
    } else if (leftOut > 1) {
        message +=
            QLatin1Char('\r') + QString::number(leftOut) + QString::fromUtf8(texts::kPupilsLeftOut);
    }
    return message;
}

TransferListing listTransferFile(const QString& fileName) {
    TransferListing listing;
    const posix::File file = posix::openForReading(fileName);
    if (!file.isOpen()) {
        return listing;
    }
    listing.opened = true;
    try {
        TFiche record;
        for (off_t k = posix::fileSize(file) / TFiche::kSize; k >= 1; --k) {
            posix::readAt(file, (k - 1) * TFiche::kSize, record.bytes().data(), TFiche::kSize);
            listing.lines.append(
                byNameLine(record.nom(), record.prenom(), record.classe(), QString::number(k)));
        }
    } catch (const IoError& error) {
        listing.error = error.message();
    }
    return listing;
}

TransferImport importTransferRecords(SharedState& state, const QString& transferFileName,
                                     const QStringList& lines) {
    TransferImport result;
    if (transferFileName.isEmpty()) {
        return result;
    }
    PupilAdder adder(state);
    TFiche record;
    for (const QString& line : lines) {
        const std::optional<int> position = linePosition(line);
        if (!position || *position < 1) {
            continue;
        }
        posix::File file = posix::openForReading(transferFileName);
        if (!file.isOpen()) {
            ++result.openFailures;
            continue;
        }
        try {
            posix::readAt(file, static_cast<off_t>(*position - 1) * TFiche::kSize,
                          record.bytes().data(), TFiche::kSize);
            file.close();
            if (const std::optional<QString> number = adder.add(record)) {
                result.added.lines.append(recordLine(record, *number, state.sortByName));
            }
        } catch (const IoError& error) {
            result.added.error = error.message();
            break;
        }
    }
    return result;
}

} // namespace kalidor
