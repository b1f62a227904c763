#include "records/text_file.h"

#include "records/cp1252.h"
#include "records/io_error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kalidor {

QStringList splitTextLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

QStringList readTextFileLines(const QString& fileName) {
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw IoError::fromErrno(errno);
    }
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw IoError::fromErrno(error);
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    ::close(fd);
    return splitTextLines(decodeCp1252(bytes));
}

} // namespace kalidor
