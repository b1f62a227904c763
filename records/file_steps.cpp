#include "records/file_steps.h"

#include "records/io_error.h"

#include <QRandomGenerator>

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
    // Created with its permissions in one call: on a share, each call is a trip to the server.
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QByteArray random(sizeof(kRandomPart) - 1, '\0');
        for (char& letter : random) {
            letter = kLetters[QRandomGenerator::global()->bounded(int{sizeof(kLetters) - 1})];
        }
        name = folder + '.' + nameOf(target) + kTemporaryMark + random;
        posix::File file(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                posix::newFileMode()));
        if (file.isOpen()) {
            return file;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    throwError(errno);
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
