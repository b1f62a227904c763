#include "records/atomic_file.h"

#include "records/io_error.h"
#include "records/posix_file.h"

#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor {

namespace {

constexpr int kMaxLinks = 40;
constexpr char kTemporarySuffix[] = ".XXXXXX";

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray("./") : path.left(slash + 1);
}

// The file a name leads to once its symbolic links are followed; the name itself when it leads
// to nothing yet.
QByteArray followLinks(QByteArray path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            throw IoError::fromErrno(errno);
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        QByteArray link(static_cast<qsizetype>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), link.size());
        if (length < 0) {
            throw IoError::fromErrno(errno);
        }
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + link;
    }
    throw IoError::fromErrno(ELOOP);
}

[[noreturn]] void throwErrno() {
    throw IoError::fromErrno(errno);
}

bool refusedByFileSystem(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM;
}

QByteArray temporaryName(const QByteArray& target) {
    const QByteArray folder = folderOf(target);
    return folder + '.' + target.mid(folder.size()) + kTemporarySuffix;
}

// The data in a flushed temporary file beside `target`; its name. Throws IoError.
QByteArray writeTemporary(const QByteArray& target, const char* data, size_t size) {
    QByteArray temporary = temporaryName(target);
    posix::File file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        throwErrno();
    }
    if (::fchmod(file.get(), posix::newFileMode()) != 0 ||
        !posix::writeAll(file.get(), data, size) || ::fdatasync(file.get()) != 0 || !file.close()) {
        const int error = errno;
        ::unlink(temporary.constData());
        throw IoError::fromErrno(error);
    }
    return temporary;
}

enum class Outcome { Created, NameTaken, Refused };

Outcome linkUnder(const QByteArray& temporary, const QByteArray& target) {
    const int error = ::link(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    // The temporary goes whatever happened: once linked, the target holds the record.
    ::unlink(temporary.constData());
    if (error == 0) {
        return Outcome::Created;
    }
    if (error == EEXIST) {
        return Outcome::NameTaken;
    }
    if (refusedByFileSystem(error)) {
        return Outcome::Refused;
    }
    throw IoError::fromErrno(error);
}

Outcome renameUnder(const QByteArray& temporary, const QByteArray& target) {
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) == 0) {
        return Outcome::Created;
    }
    const int error = errno;
    if (error == EEXIST) {
        ::unlink(temporary.constData());
        return Outcome::NameTaken;
    }
    if (refusedByFileSystem(error)) {
        return linkUnder(temporary, target);
    }
    ::unlink(temporary.constData());
    throw IoError::fromErrno(error);
}

Outcome createExclusively(const QByteArray& target, const char* data, size_t size) {
    posix::File file(
        ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, posix::newFileMode()));
    if (!file.isOpen()) {
        if (errno == EEXIST) {
            return Outcome::NameTaken;
        }
        throwErrno();
    }
    if (!posix::writeAll(file.get(), data, size) || ::fdatasync(file.get()) != 0 || !file.close()) {
        const int error = errno;
        ::unlink(target.constData());
        throw IoError::fromErrno(error);
    }
    return Outcome::Created;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& fileName)
    : target_(followLinks(posix::path(fileName))), folder_(folderOf(target_)) {
    struct stat existing {};
    const bool exists = ::stat(target_.constData(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        throwErrno();
    }
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            throw IoError::fromErrno(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            throw IoError::notRegularFile();
        }
        if (::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) {
            throwErrno();
        }
    }
    temporary_ = temporaryName(target_);
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        throwErrno();
    }
    const mode_t mode = exists ? existing.st_mode & 07777 : posix::newFileMode();
    if (::fchmod(fd_, mode) != 0) {
        const int error = errno;
        discard();
        throw IoError::fromErrno(error);
    }
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
        const int error = errno;
        discard();
        if (error != EPERM) {
            throw IoError::fromErrno(error);
        }
        inPlace_ = true;
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temporary_.constData());
    }
}

void AtomicFileWriter::write(const char* data, size_t size) {
    if (inPlace_) {
        pending_.append(data, static_cast<qsizetype>(size));
        return;
    }
    if (!posix::writeAll(fd_, data, size)) {
        throwErrno();
    }
}

void AtomicFileWriter::commit(FolderFlush flush) {
    if (inPlace_) {
        posix::File file(::open(target_.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (!file.isOpen()) {
            throwErrno();
        }
        if (!posix::writeAll(file.get(), pending_.constData(), pending_.size()) ||
            ::ftruncate(file.get(), pending_.size()) != 0 || ::fdatasync(file.get()) != 0 ||
            !file.close()) {
            throwErrno();
        }
        return;
    }
    const bool renamed = ::fdatasync(fd_) == 0 && ::close(std::exchange(fd_, -1)) == 0 &&
                         ::rename(temporary_.constData(), target_.constData()) == 0;
    if (!renamed) {
        const int error = errno;
        if (fd_ >= 0) {
            discard();
        } else {
            ::unlink(temporary_.constData());
        }
        throw IoError::fromErrno(error);
    }
    if (flush == FolderFlush::Now) {
        flushFolder(folder_);
    }
}

bool createNewFile(const QString& fileName, const char* data, size_t size, FolderFlush flush,
                   NewFileMethod method) {
    const QByteArray target = posix::path(fileName);
    Outcome outcome = Outcome::Refused;
    if (method != NewFileMethod::Exclusive) {
        const QByteArray temporary = writeTemporary(target, data, size);
        outcome = method == NewFileMethod::Best ? renameUnder(temporary, target)
                                                : linkUnder(temporary, target);
    }
    if (outcome == Outcome::Refused) {
        outcome = createExclusively(target, data, size);
    }
    if (outcome == Outcome::NameTaken) {
        return false;
    }
    if (flush == FolderFlush::Now) {
        flushFolder(folderOf(target));
    }
    return true;
}

void replaceFile(const QString& fileName, const char* data, size_t size, FolderFlush flush) {
    AtomicFileWriter writer(fileName);
    writer.write(data, size);
    writer.commit(flush);
}

void flushFolder(const QByteArray& folder) {
    posix::File directory(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder that cannot be opened for reading, or a file system that cannot flush one, keeps
    // the names as its own rules say: nothing more can be done from here.
    if (!directory.isOpen()) {
        return;
    }
    if (::fsync(directory.get()) != 0 && errno != EINVAL && errno != EROFS) {
        throwErrno();
    }
}

FolderFlushes::~FolderFlushes() {
    try {
        flush();
    } catch (const IoError&) {
        // Already on the way out of a failed command, which reports its own error.
    }
}

void FolderFlushes::add(const QByteArray& folder) {
    folder_ = folder;
}

void FolderFlushes::flush() {
    if (!folder_.isEmpty()) {
        flushFolder(std::exchange(folder_, QByteArray()));
    }
}

bool isWriterTemporary(const QString& name, const QString& extension) {
    const QRegularExpression pattern(
        QStringLiteral("^\\..+%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(extension)));
    return pattern.match(name).hasMatch();
}

} // namespace kalidor
