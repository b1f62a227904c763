#include "records/posix_file.h"

#include "records/io_error.h"

#include <QFile>

#include <cerrno>
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

File openForReading(const QString& fileName) {
    if (fileName.isEmpty()) {
        return File();
    }
    File file(::open(path(fileName).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (file.isOpen() && (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))) {
        return File();
    }
    return file;
}

off_t fileSize(const File& file) {
    struct stat info;
    if (::fstat(file.get(), &info) != 0) {
        throw IoError::fromErrno(errno);
    }
    return info.st_size;
}

void readAt(const File& file, off_t offset, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(file.get(), buffer + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw IoError::fromErrno(errno);
        }
        if (got == 0) {
            throw IoError::shortRead();
        }
        done += static_cast<size_t>(got);
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
