#include "records/text_file.h"

#include "records/cp1252.h"
#include "records/io_error.h"
#include "records/posix_file.h"

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
    const posix::File file = posix::openNoWait(AT_FDCWD, posix::path(fileName).constData());
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw IoError::fromErrno(errno);
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    return splitTextLines(decodeCp1252(bytes));
}

} // namespace kalidor
