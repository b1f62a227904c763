#include "records/record_file.h"

#include "records/io_error.h"
#include "records/posix_file.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor {

namespace {

// Plain system calls rather than Qt's file classes: listing a folder of a thousand pupils
// reads a thousand files, and the plain calls cost half as much.

bool entryExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool hasRecordExtension(const char* name) {
    const size_t length = std::strlen(name);
    const size_t extensionLength = sizeof(kRecordExtension) - 1;
    return length >= extensionLength &&
           std::memcmp(name + length - extensionLength, kRecordExtension, extensionLength) == 0;
}

// Opens `path` relative to `directoryFd` (or as it is, with AT_FDCWD) and reads its record.
void readRecordAt(int directoryFd, const char* path, TFiche& record) {
    posix::File fd(::openat(directoryFd, path, O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        throw IoError::fromErrno(errno);
    }
    TFiche::Bytes buffer;
    posix::readAt(fd, 0, buffer.data(), buffer.size());
    record.bytes() = buffer;
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
    readRecordAt(AT_FDCWD, QFile::encodeName(fileName).constData(), record);
}

void loadRecord(SharedState& state, const QString& fileName) {
    readRecordFile(fileName, state.current);
}

void writeRecordFile(const QString& fileName, const TFiche& record) {
    const QByteArray target = QFile::encodeName(fileName);
    const int slash = target.lastIndexOf('/');
    QByteArray temporary = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
    posix::File fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        throw IoError::fromErrno(errno);
    }
    const bool written = ::fchmod(fd.get(), posix::newFileMode()) == 0 &&
                         posix::writeAll(fd.get(), record.bytes().data(), record.bytes().size()) &&
                         ::fdatasync(fd.get()) == 0 && fd.close() &&
                         ::rename(temporary.constData(), target.constData()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.constData());
        throw IoError::fromErrno(error);
    }
}

void saveRecord(const SharedState& state, const QString& fileName) {
    writeRecordFile(fileName, state.current);
}

int findFreeNumber(SharedState& state, int from) {
    std::string path = QFile::encodeName(state.prefix).toStdString();
    const size_t prefixLength = path.size();
    int number = std::max(from, 1);
    for (; number < kNoFreeNumber; ++number) {
        path.resize(prefixLength);
        path += std::to_string(number);
        path += kRecordExtension;
        if (!entryExists(path)) {
            break;
        }
    }
    state.lastNumber = number;
    return number;
}

QList<RecordFailure> enumerateRecords(SharedState& state,
                                      const std::function<void(const QString&)>& visitor) {
    QList<RecordFailure> failures;
    const QByteArray folder = QFile::encodeName(state.prefix);
    std::unique_ptr<DIR, int (*)(DIR*)> directory(
        ::opendir(folder.isEmpty() ? "." : folder.constData()), &::closedir);
    if (!directory) {
        failures.append({state.prefix, ioErrorMessage(errno)});
        return failures;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        if (!hasRecordExtension(entry->d_name)) {
            continue;
        }
        const QString name = QFile::decodeName(entry->d_name);
        const QString numberText = name.left(name.indexOf(QLatin1Char('.')));
        state.currentFileName = state.prefix + name;
        try {
            readRecordAt(::dirfd(directory.get()), entry->d_name, state.current);
        } catch (const IoError& error) {
            failures.append({name, error.message()});
            continue;
        }
        visitor(numberText);
    }
    return failures;
}

QString describeFailures(const QList<RecordFailure>& failures) {
    QStringList lines;
    for (const RecordFailure& failure : failures) {
        lines.append(failure.entryName + QLatin1String(" : ") + failure.message);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace kalidor
