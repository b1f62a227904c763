#include "exchange/transfer_file.h"

#include "exchange/exchange_texts.h"
#include "records/atomic_file.h"
#include "records/cp1252.h"
#include "records/io_error.h"
#include "records/leftovers.h"
#include "records/list_lines.h"
#include "records/posix_file.h"
#include "records/pupil_files.h"
#include "records/pupil_identity.h"
#include "records/reading_pool.h"
#include "records/record_file.h"
#include "records/utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalidor {

namespace {

// A name that a new transfer file may take: free, or a file this process may replace.
bool replaceable(const QByteArray& target) {
    struct stat info {};
    if (::stat(target.constData(), &info) != 0) {
        return errno == ENOENT;
    }
    return !S_ISDIR(info.st_mode) && ::access(target.constData(), W_OK) == 0;
}

// A pupil whose record file cannot be read is left out of a transfer file.
std::optional<TFiche> readPupil(const SharedState& state, const QString& number) {
    if (!isRecordNumber(number)) {
        return std::nullopt;
    }
    return readRecordIfReadable(recordFileName(state, number));
}

bool deniedAccess(const IoError& error) {
    const int code = error.errorNumber();
    return code == EACCES || code == EPERM || code == EROFS;
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

TransferWriteResult writeTransferFile(const SharedState& state, const QString& fileName,
                                      const QList<ListEntry>& pupils,
                                      const ReadingProgress& progress) {
    TransferWriteResult result;
    const QByteArray target = posix::path(fileName);
    if (target.isEmpty() || !replaceable(target)) {
        return result;
    }
    std::optional<AtomicFileWriter> file;
    try {
        file.emplace(fileName);
    } catch (const IoError& error) {
        // A folder the user may not write to is a failed write, told with the IoError's
        // message; any other name that cannot be created keeps the plain message.
        if (deniedAccess(error)) {
            throw;
        }
        return result;
    }
    result.created = true;
    // Read by the reading pool, many at once on a share; written in the list's order.
    std::vector<std::optional<TFiche>> records(static_cast<size_t>(pupils.size()));
    struct Stopped {};
    try {
        readInOrder(
            records.size(), readersFor(posix::path(state.prefix)),
            [&](size_t i) {
                records[i] = readPupil(state, pupils[static_cast<qsizetype>(i)].number);
            },
            [&](size_t i) {
                if (progress && !progress(static_cast<int>(i), static_cast<int>(records.size()))) {
                    throw Stopped{};
                }
                const std::optional<TFiche>& record = records[i];
                const size_t identity = pupils[static_cast<qsizetype>(i)].identity;
                if (!record) {
                    ++result.leftOut;
                } else if (identity != 0 && identityStamp(*record) != identity) {
                    ++result.replaced;
                } else {
                    file->write(record->bytes().data(), record->bytes().size());
                    ++result.written;
                }
            });
    } catch (const Stopped&) {
        // Stopped by the user: the file is not written, an older one of that name stays.
        result.cancelled = true;
        return result;
    }
    file->commit();
    // What writes of transfer files killed half-way left in that folder goes too.
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    removeStaleLeftovers(fileName.left(slash + 1), kTransferExtension,
                         qint64{kMaxRecordNumber} * TFiche::kSize);
    return result;
}

QString transferCreatedMessage(const QString& fileName, const TransferWriteResult& result) {
    QString message = tr8(exchange_texts::kTransferCreated).arg(fileName);
    const auto add = [&message](int count, const char* one, const char* many) {
        if (count == 1) {
            message += QLatin1Char('\r') + tr8(one);
        } else if (count > 1) {
            message += QLatin1Char('\r') + tr8(many).arg(count);
        }
    };
    add(result.leftOut, exchange_texts::kOnePupilLeftOut, exchange_texts::kPupilsLeftOut);
    add(result.replaced, exchange_texts::kOnePupilReplaced, exchange_texts::kPupilsReplaced);
    return message;
}

bool looksLikePupilRecord(const TFiche& record) {
    bool fits = true;
    forEachTextField([&](ShortStringField field) {
        fits = fits && static_cast<unsigned char>(record.bytes()[field.offset]) <= field.capacity;
    });
    auto isText = [&record](ShortStringField field) {
        const QByteArrayView text = record.stored(field);
        return std::all_of(text.begin(), text.end(), isTextByte);
    };
    return fits && isText(fields::kNom) && isText(fields::kPrenom) && isText(fields::kClasse);
}

TransferListing listTransferFile(const QString& fileName,
                                 const std::function<void(const ListEntry&)>& listed) {
    TransferListing listing;
    const posix::File file = posix::openForReading(fileName);
    if (!file.isOpen()) {
        return listing;
    }
    listing.opened = true;
    const off_t size = posix::fileSize(file);
    const off_t records = size / TFiche::kSize;
    listing.capped = records > kMaxListedRecords;
    listing.damaged = size % TFiche::kSize != 0;
    TFiche record;
    for (off_t k = std::min<off_t>(records, kMaxListedRecords); k >= 1; --k) {
        posix::readAt(file, (k - 1) * TFiche::kSize, record.bytes().data(), TFiche::kSize);
        listing.damaged = listing.damaged || !looksLikePupilRecord(record);
        const QString position = QString::number(k);
        listed(recordEntry(record, position, true));
    }
    return listing;
}

void importTransferRecords(const SharedState& state, const QString& transferFileName,
                           const QList<ListEntry>& lines, TransferImport& progress,
                           const PupilBatch& batch) {
    if (transferFileName.isEmpty()) {
        return;
    }
    PupilAdder adder(state);
    TFiche record;
    for (const ListEntry& line : lines) {
        if (batch.stopped()) {
            break;
        }
        bool ok = false;
        const int position = line.number.toInt(&ok);
        if (!isRecordNumber(line.number) || !ok || position < 1) {
            continue;
        }
        posix::File file = posix::openForReading(transferFileName);
        if (!file.isOpen()) {
            ++progress.openFailures;
            continue;
        }
        posix::readAt(file, static_cast<off_t>(position - 1) * TFiche::kSize, record.bytes().data(),
                      TFiche::kSize);
        file.close();
        const NewPupil pupil = adder.add(record);
        batch.add(recordEntry(pupil.record, pupil.number, state.sortByName));
        ++progress.created;
    }
    adder.finish();
}

} // namespace kalidor
