#include "records/new_file.h"

#include "records/file_steps.h"
#include "records/io_error.h"
#include "records/naming_calls.h"
#include "records/posix_file.h"

#include <QHash>
#include <QMutex>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace kalidor {

namespace {

using namespace file_steps;

// A claim refused with ENOENT is asked for again: through smbnetfs, a claim just removed
// through another mount can make the next creation answer so.
constexpr int kClaimAttempts = 4;
// A share's client that fails a call with one of the errors of saysNothing has said nothing
// about the name: a loaded smbnetfs answers EIO to every call for a while once its link to the
// server dropped. The call is made again after a pause that doubles each time, about five
// seconds in all, before the failure is reported.
constexpr int kAttempts = 10;
constexpr std::chrono::milliseconds kFirstPause{10};

bool saysNothing(int error) {
    switch (error) {
    case EIO:
    case EAGAIN:
    case EINTR:
    case ETIMEDOUT:
    case ECONNRESET:
    case ECONNABORTED:
    case ENOTCONN:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case ENETDOWN:
        return true;
    default:
        return false;
    }
}

// Whether a failed call is made again: once its error said nothing, after the pause of its
// attempt; errno is kept.
bool tryAgain(int attempt) {
    const int error = errno;
    if (attempt >= kAttempts || !saysNothing(error)) {
        return false;
    }
    namingCalls().pause(kFirstPause * (1 << (attempt - 1)));
    errno = error;
    return true;
}

// A system call made again while its failure says nothing.
template <typename Call> int callAgain(const Call& call) {
    for (int attempt = 1;; ++attempt) {
        const int result = call();
        if (result >= 0 || !tryAgain(attempt)) {
            return result;
        }
    }
}

NewFileMethod after(NewFileMethod way) {
    return static_cast<NewFileMethod>(static_cast<int>(way) + 1);
}

// The first way that each folder's file system has not refused. Every new pupil of a share
// whose client offers neither the no-replace rename nor links would otherwise pay for both
// refusals.
class RefusedWays {
public:
    NewFileMethod firstFor(const QByteArray& folder) {
        const QMutexLocker lock(&mutex_);
        return first_.value(folder, NewFileMethod::RenameWithoutReplacing);
    }
    void refuse(const QByteArray& folder, NewFileMethod way) {
        const QMutexLocker lock(&mutex_);
        NewFileMethod& first = first_[folder];
        first = std::max(first, after(way));
    }

private:
    QMutex mutex_;
    QHash<QByteArray, NewFileMethod> first_;
};

RefusedWays& refusedWays() {
    static RefusedWays ways;
    return ways;
}

bool isRefusal(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM;
}

// What the server holds under a name, against `data`.
enum class Held { Nothing, Ours, Other };

Held heldUnder(const QByteArray& target, const char* data, size_t size) {
    for (int attempt = 1;; ++attempt) {
        posix::File file(
            callAgain([&] { return namingCalls().openForReading(target.constData()); }));
        if (!file.isOpen()) {
            if (errno == ENOENT) {
                return Held::Nothing;
            }
            throwError(errno);
        }
        // One byte more than ours tells a longer file from ours.
        QByteArray held(static_cast<qsizetype>(size) + 1, '\0');
        try {
            held.truncate(
                static_cast<qsizetype>(posix::readUpTo(file, 0, held.data(), held.size())));
        } catch (const IoError& error) {
            errno = error.errorNumber();
            if (!tryAgain(attempt)) {
                throw;
            }
            continue;
        }
        const bool ours = held.size() == static_cast<qsizetype>(size) &&
                          std::memcmp(held.constData(), data, size) == 0;
        return ours ? Held::Ours : Held::Other;
    }
}

// The folder ".<name>.kalidor-claim" beside a new file, held while the file is created. Creating
// a folder is one step on the server of every share (SMB, NFS, SFTP) that succeeds for one
// machine only, where an exclusive open may be checked by each client on its own: two machines
// never both hold one claim, whether they reach the folder through a share or on the server's
// own disk. The claim holds its owner's temporary; the owner removes it once empty, and a claim
// that another machine took over meanwhile holds that machine's temporary, which rmdir leaves
// alone. One left by a killed program is removed at a later start once old enough, by the
// server's clock.
class NameClaim {
public:
    explicit NameClaim(const QByteArray& target) : folder_(besideName(target, kClaimMark)) {
        NamingCalls& calls = namingCalls();
        for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
            if (callAgain([&] { return calls.makeFolder(folder_.constData()); }) == 0) {
                held_ = true;
                return;
            }
            const int error = errno;
            if (error == ENOENT) {
                if (!nameOnServer(folderOf(target))) {
                    throwError(ENOENT); // the data folder itself has gone
                }
                continue;
            }
            // A refusal of any kind while the claim exists is another's claim: some shares
            // answer a lost race with EPERM rather than EEXIST.
            if (error == EEXIST || nameOnServer(folder_)) {
                return;
            }
            throwError(error);
        }
    }
    ~NameClaim() {
        if (held_) {
            callAgain([&] { return namingCalls().removeFolder(folder_.constData()); });
        }
    }
    NameClaim(const NameClaim&) = delete;
    NameClaim& operator=(const NameClaim&) = delete;

    bool held() const { return held_; }
    // The claim's folder, ending with '/'.
    QByteArray inside() const { return folder_ + '/'; }

private:
    QByteArray folder_;
    bool held_ = false;
};

enum class Outcome {
    Named,
    NameTaken,
    // The client refused the name from its cache alone: the server has nothing under it.
    TakenInCacheOnly,
    // The file system does not offer this way.
    Refused,
    // The call failed without a word about the name, and nothing is under it: made again.
    NoAnswer,
};

// One creation under a held claim: the ways to give a new file its name, tried in order.
class NewFile {
public:
    NewFile(const NameClaim& claim, const QByteArray& target, const char* data, size_t size)
        : claim_(claim), target_(target), data_(data), size_(size) {}
    ~NewFile() {
        if (!temporary_.isEmpty()) {
            ::unlink(temporary_.constData());
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    Outcome name(NewFileMethod way) {
        for (int attempt = 1;; ++attempt) {
            const Outcome outcome = nameOnce(way);
            if (outcome != Outcome::NoAnswer) {
                return outcome;
            }
            if (!tryAgain(attempt)) {
                throwError(errno);
            }
        }
    }

private:
    Outcome nameOnce(NewFileMethod way) {
        NamingCalls& calls = namingCalls();
        switch (way) {
        case NewFileMethod::RenameWithoutReplacing:
            return answer(calls.renameWithoutReplacing(temporary(), target_.constData()));
        case NewFileMethod::Link:
            return answer(calls.link(temporary(), target_.constData()));
        case NewFileMethod::RenameUnderClaim:
            // Reached only once the server itself said, under the claim, that nothing has the
            // name: before the first way when it is this one, or in answer(), which found
            // nothing under the name after a better way was refused.
            return answer(calls.rename(temporary(), target_.constData()));
        }
        return Outcome::Refused;
    }

    // The data in a flushed temporary inside the claim, written once for every way.
    const char* temporary() {
        for (int attempt = 1; temporary_.isEmpty(); ++attempt) {
            try {
                QByteArray name;
                posix::File file = openTemporary(claim_.inside(), target_, name);
                writeFlushClose(file, name, data_, size_);
                temporary_ = name;
            } catch (const IoError& error) {
                errno = error.errorNumber();
                if (!tryAgain(attempt)) {
                    throw;
                }
            }
        }
        return temporary_.constData();
    }

    // What a naming call's failure means is told by what the server holds under the name now:
    // a share's client may lose the answer of a call the server carried out (EIO after the
    // link), and may refuse a name from a cache that still holds a file deleted elsewhere.
    Outcome answer(int result) {
        if (result == 0) {
            return Outcome::Named;
        }
        const int error = errno;
        switch (heldUnder(target_, data_, size_)) {
        case Held::Ours:
            return Outcome::Named;
        case Held::Other:
            // Some shares answer a lost race with EPERM.
            return Outcome::NameTaken;
        case Held::Nothing:
            break;
        }
        if (error == EEXIST) {
            return Outcome::TakenInCacheOnly;
        }
        if (saysNothing(error)) {
            errno = error;
            return Outcome::NoAnswer;
        }
        if (error == ENOENT) {
            // The temporary has gone with a claim removed from another machine: the number is
            // left to whoever claims it now.
            return Outcome::NameTaken;
        }
        if (isRefusal(error)) {
            return Outcome::Refused;
        }
        throwError(error);
    }

    const NameClaim& claim_;
    QByteArray target_;
    const char* data_;
    size_t size_;
    QByteArray temporary_;
};

} // namespace

std::optional<QByteArray> createNewFileFrom(NewFileMethod first, const QString& fileName,
                                            const char* data, size_t size, FolderFlush flush) {
    const QByteArray target = posix::path(fileName);
    const QByteArray folder = folderOf(target);
    // The claim makes the name ours among the programs that claim; the server's answer and the
    // ways below keep out the files that came without one; the read-back tells whether what is
    // under the name now is what we wrote.
    const NameClaim claim(target);
    if (!claim.held()) {
        return std::nullopt;
    }
    // The ways before the plain rename refuse a name the server has, by themselves; the plain
    // rename needs the server's word that nothing has it.
    const NewFileMethod firstWay = std::max(first, refusedWays().firstFor(folder));
    if (firstWay == NewFileMethod::RenameUnderClaim && nameOnServer(target)) {
        return std::nullopt;
    }
    NewFile file(claim, target, data, size);
    Outcome outcome = Outcome::Refused;
    for (NewFileMethod way = firstWay;
         outcome == Outcome::Refused && way <= NewFileMethod::RenameUnderClaim; way = after(way)) {
        outcome = file.name(way);
        if (outcome == Outcome::Refused) {
            refusedWays().refuse(folder, way);
        }
    }
    if (outcome == Outcome::TakenInCacheOnly) {
        outcome = file.name(NewFileMethod::RenameUnderClaim);
    }
    if (outcome == Outcome::Refused) {
        throwError(EPERM);
    }
    if (outcome != Outcome::Named || heldUnder(target, data, size) != Held::Ours) {
        return std::nullopt;
    }
    if (flush == FolderFlush::Now) {
        flushFolder(folder);
    }
    return QByteArray(data, static_cast<qsizetype>(size));
}

bool nameOnServer(const QByteArray& path) {
    const posix::File file(
        callAgain([&] { return namingCalls().openForReading(path.constData()); }));
    if (file.isOpen() || errno != ENOENT) {
        // An entry that cannot be opened is there all the same; a client that still cannot
        // answer after its pauses is a failure, never a name taken.
        if (!file.isOpen() && saysNothing(errno)) {
            throwError(errno);
        }
        return true;
    }
    return false;
}

std::optional<QByteArray> createNewFile(const QString& fileName, const char* data, size_t size,
                                        FolderFlush flush) {
    return createNewFileFrom(NewFileMethod::RenameWithoutReplacing, fileName, data, size, flush);
}

} // namespace kalidor
