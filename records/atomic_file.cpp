#include "records/atomic_file.h"

#include "records/io_error.h"
#include "records/posix_file.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace kalidor {

namespace {

constexpr int kMaxLinks = 40;
// What marks the program's own entries beside a file it writes, so that nothing else is ever
// taken for one: ".<name>.kalidor-tmp-" and six random characters for a temporary,
// ".<name>.kalidor-claim" for a claim.
constexpr char kTemporaryMark[] = ".kalidor-tmp-";
constexpr char kRandomPart[] = "XXXXXX";
constexpr char kClaimMark[] = ".kalidor-claim";

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray("./") : path.left(slash + 1);
}

// The hidden name beside `target` made of its name and `mark`.
QByteArray besideName(const QByteArray& target, const QByteArray& mark) {
    const QByteArray folder = folderOf(target);
    return folder + '.' + target.mid(folder.size()) + mark;
}

[[noreturn]] void throwError(int error) {
    throw IoError::fromErrno(error);
}

[[noreturn]] void throwErrno() {
    throwError(errno);
}

bool entryExists(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
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
            throwErrno();
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        QByteArray link(static_cast<qsizetype>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), link.size());
        if (length < 0) {
            throwErrno();
        }
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + link;
    }
    throwError(ELOOP);
}

// How a file is written: from empty, or over an older content that may be longer.
enum class Written { New, OverOld };

// The one way every file is written: all of `data`, over an older content the file cut to its
// size, the data on the disk, the file closed. When a step fails, the file `written` is removed
// (unless empty: a file rewritten in place stays) and the error thrown. A new file is not cut:
// some shares' clients (smbnetfs) refuse to cut a file just written.
void writeFlushClose(posix::File& file, const QByteArray& written, const char* data, size_t size,
                     Written how = Written::New) {
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

// A new empty temporary beside `target`, with the permissions of a new file; its name is set.
posix::File openTemporary(const QByteArray& target, QByteArray& name) {
    name = besideName(target, QByteArray(kTemporaryMark) + kRandomPart);
    posix::File file(::mkostemp(name.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        throwErrno();
    }
    if (::fchmod(file.get(), posix::newFileMode()) != 0) {
        const int error = errno;
        ::unlink(name.constData());
        throwError(error);
    }
    return file;
}

// Whether other machines may create files in `folder` through clients of their own: on any file
// system but the local ones, where a rename that refuses to replace is exclusive by itself.
bool mayBeShared(const QByteArray& folder) {
    struct statfs info {};
    if (::statfs(folder.constData(), &info) != 0) {
        return true;
    }
    constexpr unsigned long kNtfs3Magic = 0x7366746e;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC: // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case kNtfs3Magic:
        return false;
    default:
        return true;
    }
}

// A folder beside a new file, named after it, held while the file is created and removed after.
// Creating a folder is one exclusive step on the server of every share (SMB, NFS, SFTP), where
// an exclusive open may be checked by each client on its own: two machines never both hold
// one claim. A claim left by a killed program is removed at a later start, once old enough.
// Creating and removing a folder costs a local disk as much as writing a record, so a folder on
// a local file system, which no other machine reaches but through a share's server, takes none.
class NameClaim {
public:
    explicit NameClaim(const QByteArray& target) : name_(besideName(target, kClaimMark)) {
        if (!mayBeShared(folderOf(target))) {
            held_ = true;
            return;
        }
        if (::mkdir(name_.constData(), 0777) == 0) {
            taken_ = true;
            held_ = true;
            return;
        }
        // A refusal of any kind while the claim exists is another's claim: some shares answer
        // a lost race with EPERM rather than EEXIST.
        const int error = errno;
        if (error != EEXIST && !entryExists(name_)) {
            throwError(error);
        }
    }
    ~NameClaim() {
        if (taken_) {
            ::rmdir(name_.constData());
        }
    }
    NameClaim(const NameClaim&) = delete;
    NameClaim& operator=(const NameClaim&) = delete;

    bool held() const { return held_; }

private:
    QByteArray name_;
    bool held_ = false;
    bool taken_ = false; // a claim folder made here, removed when the claim ends
};

enum class Outcome { Created, NameTaken, Refused };

// One creation under a held claim: the ways to give a new file its name, tried in order.
class NewFile {
public:
    NewFile(const QByteArray& target, const char* data, size_t size)
        : target_(target), data_(data), size_(size) {}
    ~NewFile() {
        if (!temporary_.isEmpty()) {
            ::unlink(temporary_.constData());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    Outcome name(NewFileMethod method) {
        switch (method) {
        case NewFileMethod::RenameWithoutReplacing:
            return answer(::renameat2(AT_FDCWD, temporary().constData(), AT_FDCWD,
                                      target_.constData(), RENAME_NOREPLACE));
        case NewFileMethod::Link:
            return answer(::link(temporary().constData(), target_.constData()));
        case NewFileMethod::Exclusive:
            return createExclusively();
        }
        return Outcome::Refused;
    }

    // The name given whatever the client believes is under it: only once the server has said
    // that nothing is, with the claim held, when the ways above were answered from a cache.
    Outcome renameOverStaleName() {
        return answer(::rename(temporary().constData(), target_.constData()));
    }

private:
    // The data in a flushed temporary beside the target, written once for every way that
    // needs one.
    const QByteArray& temporary() {
        if (temporary_.isEmpty()) {
            QByteArray name;
            posix::File file = openTemporary(target_, name);
            writeFlushClose(file, name, data_, size_);
            temporary_ = name;
        }
        return temporary_;
    }

    Outcome createExclusively() {
        posix::File file(::open(target_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                posix::newFileMode()));
        if (!file.isOpen()) {
            return answer(-1);
        }
        writeFlushClose(file, target_, data_, size_);
        return Outcome::Created;
    }

    // What a naming call's result means. Any failure while the name exists is a clash: some
    // shares answer a lost race with EPERM. A refusal of the call itself sends to the next way.
    Outcome answer(int result) const {
        if (result == 0) {
            return Outcome::Created;
        }
        const int error = errno;
        if (error == EEXIST || entryExists(target_)) {
            return Outcome::NameTaken;
        }
        if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
            error == EPERM) {
            return Outcome::Refused;
        }
        throwError(error);
    }

    QByteArray target_;
    const char* data_;
    size_t size_;
    QByteArray temporary_;
};

// What the file holds, as the share gives it now, when that is exactly `data`. Another program
// that took the name without a claim (an older version on another machine, say) may have
// written there meanwhile: then, or when the file has gone, nothing.
std::optional<QByteArray> readBackIfSame(const QByteArray& target, const char* data, size_t size) {
    posix::File file(::open(target.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.isOpen()) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throwErrno();
    }
    QByteArray held(static_cast<qsizetype>(size) + 1, '\0');
    held.truncate(static_cast<qsizetype>(posix::readUpTo(file, 0, held.data(), held.size())));
    if (held.size() != static_cast<qsizetype>(size) || std::memcmp(held.constData(), data, size)) {
        return std::nullopt;
    }
    return held;
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
            throwError(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            throw IoError::notRegularFile();
        }
        if (::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) {
            throwErrno();
        }
    }
    posix::File file = openTemporary(target_, temporary_);
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
            throwErrno();
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

std::optional<QByteArray> createNewFileFrom(NewFileMethod first, const QString& fileName,
                                            const char* data, size_t size, FolderFlush flush) {
    const QByteArray target = posix::path(fileName);
    // The claim makes the name ours among the programs that claim; the existence test and the
    // ways below keep out the files that came without one; the read-back tells whether what is
    // under the name now is what we wrote.
    const NameClaim claim(target);
    if (!claim.held() || posix::existsOnServer(target.constData())) {
        return std::nullopt;
    }
    // The ways to give the name, best first: each one the file system refuses sends to the next.
    constexpr NewFileMethod kWays[] = {NewFileMethod::RenameWithoutReplacing, NewFileMethod::Link,
                                       NewFileMethod::Exclusive};
    NewFile file(target, data, size);
    Outcome outcome = Outcome::Refused;
    for (const NewFileMethod way : kWays) {
        if (way >= first && outcome == Outcome::Refused) {
            outcome = file.name(way);
        }
    }
    if (outcome == Outcome::NameTaken && !posix::existsOnServer(target.constData())) {
        // A shared folder's client that still holds a file deleted on another machine refuses
        // the name on its own.
        outcome = file.renameOverStaleName();
    }
    if (outcome == Outcome::Refused) {
        throwError(EPERM);
    }
    if (outcome == Outcome::NameTaken) {
        return std::nullopt;
    }
    std::optional<QByteArray> held = readBackIfSame(target, data, size);
    if (held && flush == FolderFlush::Now) {
        flushFolder(folderOf(target));
    }
    return held;
}

std::optional<QByteArray> createNewFile(const QString& fileName, const char* data, size_t size,
                                        FolderFlush flush) {
    return createNewFileFrom(NewFileMethod::RenameWithoutReplacing, fileName, data, size, flush);
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

void removeStaleLeftovers(const QString& prefix, const char* extension, qint64 maxSize,
                          std::chrono::seconds age) {
    const QByteArray folder = QFile::encodeName(prefix);
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(
        ::opendir(folder.isEmpty() ? "." : folder.constData()), &::closedir);
    if (!directory) {
        return;
    }
    const QString escaped = QRegularExpression::escape(QString::fromLatin1(extension));
    const QRegularExpression temporary(
        QStringLiteral("^\\..+%1%2[A-Za-z0-9]{6}$")
            .arg(escaped, QRegularExpression::escape(QLatin1String(kTemporaryMark))));
    const QRegularExpression claim(
        QStringLiteral("^\\..+%1%2$")
            .arg(escaped, QRegularExpression::escape(QLatin1String(kClaimMark))));
    const time_t before = ::time(nullptr) - static_cast<time_t>(age.count());
    const int fd = ::dirfd(directory.get());
    while (const dirent* entry = ::readdir(directory.get())) {
        struct stat info {};
        if (entry->d_name[0] != '.' ||
            ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            info.st_mtime > before) {
            continue;
        }
        const QString name = QFile::decodeName(entry->d_name);
        if (S_ISREG(info.st_mode) && info.st_size <= maxSize && temporary.match(name).hasMatch()) {
            ::unlinkat(fd, entry->d_name, 0);
        } else if (S_ISDIR(info.st_mode) && claim.match(name).hasMatch()) {
            // Removed only when empty, as every claim is.
            ::unlinkat(fd, entry->d_name, AT_REMOVEDIR);
        }
    }
}

} // namespace kalidor
