#include "records/record_file.h"

#include "records/atomic_file.h"
#include "records/io_error.h"
#include "records/leftovers.h"
#include "records/list_lines.h"
#include "records/new_file.h"
#include "records/posix_file.h"
#include "records/reading_pool.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalidor {

namespace {

// Plain system calls rather than Qt's file classes: listing a folder of a thousand pupils
// reads a thousand files, and the plain calls cost half as much.

bool entryExists(const std::string& path, NumberLookup lookup) {
    if (lookup == NumberLookup::Quick) {
        struct stat info {};
        return ::lstat(path.c_str(), &info) == 0;
    }
    return nameOnServer(QByteArray::fromStdString(path));
}

bool hasRecordExtension(const char* name) {
    const size_t length = std::strlen(name);
    const size_t extensionLength = sizeof(kRecordExtension) - 1;
    return length >= extensionLength &&
           std::memcmp(name + length - extensionLength, kRecordExtension, extensionLength) == 0;
}

// The number text of a record file's name: the name without its final ".b2i".
QString numberTextOf(const char* name) {
    const size_t length = std::strlen(name) - (sizeof(kRecordExtension) - 1);
    return QFile::decodeName(QByteArray::fromRawData(name, static_cast<qsizetype>(length)));
}

using Folder = std::unique_ptr<DIR, int (*)(DIR*)>;

// The data folder opened for listing; null with errno set when it cannot be.
Folder openFolder(const QString& prefix) {
    const QByteArray folder = QFile::encodeName(prefix);
    return Folder(::opendir(folder.isEmpty() ? "." : folder.constData()), &::closedir);
}

// Opens `path` relative to `directoryFd` (or as it is, with AT_FDCWD) and reads its record into
// `bytes`, which a failure may leave half written; `entryType` as the folder listing gave it.
void readRecordAt(int directoryFd, const char* path, char* bytes,
                  unsigned char entryType = DT_UNKNOWN) {
    const posix::File file = posix::openNoWait(directoryFd, path, entryType);
    posix::readAt(file, 0, bytes, TFiche::kSize);
}

} // namespace

QString dataDirectoryPrefix(const QString& executableFolder) {
    return executableFolder.endsWith(QLatin1Char('/')) ? executableFolder
                                                       : executableFolder + QLatin1Char('/');
}

QString recordFileName(const SharedState& state, const QString& numberText) {
    return state.prefix + numberText + QLatin1String(kRecordExtension);
}

void readRecordFile(const QString& fileName, TFiche& record) {
    // Read aside, so that a failure leaves the record as it was.
    TFiche::Bytes buffer;
    readRecordAt(AT_FDCWD, QFile::encodeName(fileName).constData(), buffer.data());
    record.bytes() = buffer;
}

void loadRecord(SharedState& state, const QString& fileName) {
    readRecordFile(fileName, state.current);
}

bool readRecordIfPresent(const QString& fileName, TFiche& record) {
    try {
        readRecordFile(fileName, record);
    } catch (const IoError& error) {
        if (error.errorNumber() == ENOENT) {
            return false;
        }
        throw;
    }
    return true;
}

std::optional<TFiche> readRecordIfReadable(const QString& fileName) {
    TFiche record;
    try {
        readRecordFile(fileName, record);
    } catch (const IoError&) {
        return std::nullopt;
    }
    return record;
}

void writeRecordFile(const QString& fileName, const TFiche& record, FolderFlush flush) {
    replaceFile(fileName, record.bytes().data(), record.bytes().size(), flush);
}

void saveRecord(const SharedState& state, const QString& fileName, FolderFlush flush) {
    writeRecordFile(fileName, state.current, flush);
}

int findFreeNumber(const SharedState& state, int from, NumberLookup lookup) {
    std::string path = QFile::encodeName(state.prefix).toStdString();
    const size_t prefixLength = path.size();
    int number = std::max(from, 1);
    for (; number < kNoFreeNumber; ++number) {
        path.resize(prefixLength);
        path += std::to_string(number);
        path += kRecordExtension;
        if (!entryExists(path, lookup)) {
            break;
        }
    }
    return number;
}

QList<RecordFailure> enumerateRecords(const QString& prefix, const RecordVisitor& visitor,
                                      const ReadingProgress& progress) {
    QList<RecordFailure> failures;
    const Folder directory = openFolder(prefix);
    if (!directory) {
        failures.append({prefix, ioErrorMessage(errno)});
        return failures;
    }
    struct Entry {
        std::string name;
        unsigned char type;
    };
    std::vector<Entry> entries;
    while (const dirent* entry = ::readdir(directory.get())) {
        if (hasRecordExtension(entry->d_name)) {
            entries.push_back({entry->d_name, entry->d_type});
        }
    }
    const int fd = ::dirfd(directory.get());
    const int readers = readersFor(QFile::encodeName(prefix));
    // One record at a time through one buffer when the files are read one after the other; a
    // buffer each when many are read at once.
    std::vector<TFiche> records(readers > 1 ? entries.size() : 1);
    std::vector<std::optional<IoError>> errors(entries.size());
    struct Stopped {};
    try {
        readInOrder(
            entries.size(), readers,
            [&](size_t i) {
                TFiche& record = records[readers > 1 ? i : 0];
                try {
                    readRecordAt(fd, entries[i].name.c_str(), record.bytes().data(),
                                 entries[i].type);
                } catch (const IoError& error) {
                    errors[i] = error;
                }
            },
            [&](size_t i) {
                if (progress && !progress(static_cast<int>(i), static_cast<int>(entries.size()))) {
                    throw Stopped{};
                }
                const char* name = entries[i].name.c_str();
                if (!errors[i]) {
                    visitor(numberTextOf(name), records[readers > 1 ? i : 0]);
                } else if (errors[i]->errorNumber() != ENOENT) {
                    // A file gone between the listing and its reading was deleted by another
                    // machine meanwhile: it is no longer a pupil, and no failure either.
                    failures.append({QFile::decodeName(name), errors[i]->message()});
                }
            });
    } catch (const Stopped&) {
        // The user stopped the listing: what was read before stays listed.
    }
    return failures;
}

void removeStaleRecordLeftovers(const QString& prefix) {
    removeStaleLeftovers(prefix, kRecordExtension, TFiche::kSize);
}

QString describeFailures(const QList<RecordFailure>& failures) {
    QStringList lines;
    for (const RecordFailure& failure : failures) {
        lines.append(failure.entryName + QLatin1String(" : ") + failure.message);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace kalidor
