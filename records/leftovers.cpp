#include "records/leftovers.h"

#include "records/file_steps.h"
#include "records/naming_calls.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kalidor {

namespace {

using Folder = std::unique_ptr<DIR, int (*)(DIR*)>;

// The names the writers give their leftovers beside the files of one extension.
struct LeftoverNames {
    QRegularExpression temporary;
    QRegularExpression claim;
};

LeftoverNames leftoverNames(const char* extension) {
    const QString escaped = QRegularExpression::escape(QString::fromLatin1(extension));
    const auto mark = [](const char* text) {
        return QRegularExpression::escape(QLatin1String(text));
    };
    return {QRegularExpression(QStringLiteral("^\\..+%1%2[A-Za-z0-9]{6}$")
                                   .arg(escaped, mark(file_steps::kTemporaryMark))),
            QRegularExpression(
                QStringLiteral("^\\..+%1%2$").arg(escaped, mark(file_steps::kClaimMark)))};
}

// A leftover temporary: a regular file of that form of name, small enough and old enough.
bool isStaleTemporary(const struct stat& info, const QString& name, const LeftoverNames& names,
                      qint64 maxSize, time_t before) {
    return S_ISREG(info.st_mode) && info.st_mtime <= before && info.st_size <= maxSize &&
           names.temporary.match(name).hasMatch();
}

// Empties a stale claim of its owner's temporary and removes it. A claim that holds anything
// else stays as it is.
void removeStaleClaim(int folderFd, const char* claim, const LeftoverNames& names, qint64 maxSize,
                      time_t before) {
    const int claimFd = ::openat(folderFd, claim, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (claimFd < 0) {
        return;
    }
    const Folder inside(::fdopendir(claimFd), &::closedir);
    if (!inside) {
        ::close(claimFd);
        return;
    }
    while (const dirent* entry = ::readdir(inside.get())) {
        struct stat info {};
        if (entry->d_name[0] == '.' &&
            (entry->d_name[1] == '\0' || (entry->d_name[1] == '.' && entry->d_name[2] == '\0'))) {
            continue;
        }
        if (::fstatat(claimFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            isStaleTemporary(info, QFile::decodeName(entry->d_name), names, maxSize, before)) {
            ::unlinkat(claimFd, entry->d_name, 0);
        }
    }
    // Removed only once empty: rmdir leaves a claim that holds anything else.
    ::unlinkat(folderFd, claim, AT_REMOVEDIR);
}

} // namespace

void removeStaleLeftovers(const QString& prefix, const char* extension, qint64 maxSize,
                          std::chrono::seconds age) {
    const QByteArray folder = QFile::encodeName(prefix);
    const Folder directory(::opendir(folder.isEmpty() ? "." : folder.constData()), &::closedir);
    if (!directory) {
        return;
    }
    const time_t now = namingCalls().serverTime(folder.isEmpty() ? QByteArray("./") : folder);
    if (now < 0) {
        return;
    }
    const time_t before = now - static_cast<time_t>(age.count());
    const LeftoverNames names = leftoverNames(extension);
    const int fd = ::dirfd(directory.get());
    while (const dirent* entry = ::readdir(directory.get())) {
        struct stat info {};
        if (entry->d_name[0] != '.' ||
            ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        const QString name = QFile::decodeName(entry->d_name);
        if (isStaleTemporary(info, name, names, maxSize, before)) {
            ::unlinkat(fd, entry->d_name, 0);
        } else if (S_ISDIR(info.st_mode) && info.st_mtime <= before &&
                   names.claim.match(name).hasMatch()) {
            removeStaleClaim(fd, entry->d_name, names, maxSize, before);
        }
    }
}

} // namespace kalidor
