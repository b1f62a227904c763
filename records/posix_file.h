#pragma once
// The few plain file operations the record, transfer and class files share.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <dirent.h>
#include <sys/types.h>
#include <utility>

namespace kalidor::posix {

// An open file descriptor, closed when it goes.
class File {
public:
    File() = default;
    explicit File(int fd) : fd_(fd) {}
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    File& operator=(File&&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int get() const { return fd_; }
    // Closes now; false when the close itself failed (errno set).
    bool close();
    // Hands the descriptor over: it is no longer closed here.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

QByteArray path(const QString& fileName);

// Opens `path` (relative to `directoryFd`, or as it is with AT_FDCWD) for reading without ever
// waiting: a named pipe would block a plain open until a writer comes. Throws IoError: the
// errno's message (ioErrorMessage) when the open fails, the not-a-file one for a folder, a
// pipe, a socket or a device. `entryType`, the type a folder listing gave (`d_type`),
// spares the check of a known regular file: should it have been replaced by a pipe since, the
// open still does not wait and the read fails.
File openNoWait(int directoryFd, const char* path, unsigned char entryType = DT_UNKNOWN);

// Opens an existing regular file chosen by the user; not open when the open fails or the name is
// a folder. Throws the not-a-file IoError for a pipe, a socket or a device.
File openForReading(const QString& fileName);

// The file's size in bytes; throws IoError.
off_t fileSize(const File& file);

// Reads exactly `size` bytes at `offset`; throws IoError, the short-read one at the end.
void readAt(const File& file, off_t offset, char* buffer, size_t size);

// Reads up to `size` bytes at `offset`, fewer only at the end of the file. A file opened
// without waiting whose read would wait is made to wait, when it is a regular file; the count read,
// 0 at the end. Throws IoError.
size_t readUpTo(const File& file, off_t offset, char* buffer, size_t size);

// Writes everything; false with errno set on failure.
bool writeAll(int fd, const char* data, size_t size);

// The permissions a new file gets under the process's umask.
mode_t newFileMode();

} // namespace kalidor::posix
