#include "records/atomic_file.h"

#include "records/file_steps.h"
#include "records/io_error.h"
#include "records/posix_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kalidor {

namespace {

using namespace file_steps;

constexpr int kMaxLinks = 40;

// The file a name leads to once its symbolic links are followed; the name itself when it leads
// to nothing yet.
QByteArray followLinks(QByteArray path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            throwError(errno);
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        QByteArray link(static_cast<qsizetype>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), link.size());
        if (length < 0) {
            throwError(errno);
        }
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + link;
    }
    throwError(ELOOP);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& fileName)
    : target_(followLinks(posix::path(fileName))), folder_(folderOf(target_)) {
    struct stat existing {};
    const bool exists = ::stat(target_.constData(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        throwError(errno);
    }
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            throwError(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            throw IoError::notRegularFile();
        }
        if (::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) {
            throwError(errno);
        }
    }
    posix::File file = openTemporary(folder_, target_, temporary_);
    if (exists && ::fchmod(file.get(), existing.st_mode & 07777) != 0) {
        const int error = errno;
        ::unlink(temporary_.constData());
        throwError(error);
    }
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(file.get(), existing.st_uid, existing.st_gid) != 0) {
        const int error = errno;
        ::unlink(temporary_.constData());
        if (error != EPERM) {
            throwError(error);
        }
        inPlace_ = true;
        return;
    }
    fd_ = file.release();
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(std::exchange(fd_, -1));
        ::unlink(temporary_.constData());
    }
}

void AtomicFileWriter::write(const char* data, size_t size) {
    pending_.append(data, static_cast<qsizetype>(size));
}

void AtomicFileWriter::commit(FolderFlush flush) {
    if (inPlace_) {
        posix::File file(::open(target_.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (!file.isOpen()) {
            throwError(errno);
        }
        writeFlushClose(file, {}, pending_.constData(), pending_.size(), Written::OverOld);
        return;
    }
    posix::File file(std::exchange(fd_, -1));
    writeFlushClose(file, temporary_, pending_.constData(), pending_.size());
    if (::rename(temporary_.constData(), target_.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary_.constData());
        throwError(error);
    }
    if (flush == FolderFlush::Now) {
        flushFolder(folder_);
    }
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
        throwError(errno);
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

} // namespace kalidor
