#include "records/posix_file.h"

#include "records/io_error.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor::posix {

File::~File() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool File::close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

QByteArray path(const QString& fileName) {
    return QFile::encodeName(fileName);
}

namespace {

constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

// The file's type, after an open that did not wait.
mode_t fileType(const File& file) {
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        throw IoError::fromErrno(errno);
    }
    const mode_t type = info.st_mode & S_IFMT;
    if (type != S_IFREG && type != S_IFDIR) {
        throw IoError::notRegularFile();
    }
    return type;
}

// Reads from then on wait as usual. Local file systems ignore O_NONBLOCK on a regular file;
// a file system mounted through FUSE may not. F_SETFL changes only the status flags, so the
// open's flags without O_NONBLOCK spare an F_GETFL.
void waitOnReads(const File& file) {
    if (::fcntl(file.get(), F_SETFL, kOpenFlags & ~O_NONBLOCK) != 0) {
        throw IoError::fromErrno(errno);
    }
}

} // namespace

File openNoWait(int directoryFd, const char* path, unsigned char entryType) {
    File file(::openat(directoryFd, path, kOpenFlags));
    if (!file.isOpen()) {
        throw IoError::fromErrno(errno);
    }
    // A regular file of a folder listing is read at once; were a read to answer that it would
    // wait, as a FUSE mount may, readUpTo makes the reads wait then.
    if (entryType != DT_REG) {
        // A folder is no more a record or a text than a pipe is, and is named so.
        if (fileType(file) == S_IFDIR) {
            throw IoError::notRegularFile();
        }
        waitOnReads(file);
    }
    return file;
}

File openForReading(const QString& fileName) {
    if (fileName.isEmpty()) {
        return File();
    }
    File file(::open(path(fileName).constData(), kOpenFlags));
    if (!file.isOpen() || fileType(file) != S_IFREG) {
        return File();
    }
    waitOnReads(file);
    return file;
}

off_t fileSize(const File& file) {
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        throw IoError::fromErrno(errno);
    }
    return info.st_size;
}

size_t readUpTo(const File& file, off_t offset, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(file.get(), buffer + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                // Opened without waiting: a regular file's reads may wait from now on; anything
                // else is refused, as an open that checked the type would have.
                fileType(file);
                waitOnReads(file);
                continue;
            }
            throw IoError::fromErrno(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

void readAt(const File& file, off_t offset, char* buffer, size_t size) {
    if (readUpTo(file, offset, buffer, size) < size) {
        throw IoError::shortRead();
    }
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

} // namespace kalidor::posix
