#include "records/file_steps.h"

#include "records/io_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor::file_steps {

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray("./") : path.left(slash + 1);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray besideName(const QByteArray& target, const QByteArray& mark) {
    return folderOf(target) + '.' + nameOf(target) + mark;
}

void throwError(int error) {
    throw IoError::fromErrno(error);
}

posix::File openTemporary(const QByteArray& folder, const QByteArray& target, QByteArray& name) {
    name = folder + '.' + nameOf(target) + kTemporaryMark + kRandomPart;
    posix::File file(::mkostemp(name.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        throwError(errno);
    }
    if (::fchmod(file.get(), posix::newFileMode()) != 0) {
        const int error = errno;
        ::unlink(name.constData());
        throwError(error);
    }
    return file;
}

void writeFlushClose(posix::File& file, const QByteArray& written, const char* data, size_t size,
                     Written how) {
    if (!posix::writeAll(file.get(), data, size) ||
        (how == Written::OverOld && ::ftruncate(file.get(), static_cast<off_t>(size)) != 0) ||
        ::fdatasync(file.get()) != 0 || !file.close()) {
        const int error = errno;
        if (!written.isEmpty()) {
            ::unlink(written.constData());
        }
        throwError(error);
    }
}

} // namespace kalidor::file_steps
