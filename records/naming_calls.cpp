#include "records/naming_calls.h"

#include "records/posix_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kalidor {

namespace {

NamingCalls systemCalls;
NamingCalls* inUse = &systemCalls;

// A probe's name matches the writers' temporaries, so that one left by a killed program is
// cleaned like them.
constexpr char kClockProbe[] = ".kalidor-clock.b2i.kalidor-tmp-XXXXXX";

} // namespace

int NamingCalls::makeFolder(const char* path) {
    return ::mkdir(path, 0777);
}

int NamingCalls::removeFolder(const char* path) {
    return ::rmdir(path);
}

int NamingCalls::renameWithoutReplacing(const char* from, const char* to) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int NamingCalls::link(const char* from, const char* to) {
    return ::link(from, to);
}

int NamingCalls::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int NamingCalls::openForReading(const char* path) {
    return ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

time_t NamingCalls::serverTime(const QByteArray& folder) {
    QByteArray name = folder + kClockProbe;
    posix::File probe(::mkostemp(name.data(), O_CLOEXEC));
    if (!probe.isOpen()) {
        return -1;
    }
    struct stat info {};
    const int result = ::fstat(probe.get(), &info);
    const int error = errno;
    probe.close();
    ::unlink(name.constData());
    errno = error;
    return result == 0 ? info.st_mtime : -1;
}

void NamingCalls::pause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

NamingCalls& namingCalls() {
    return *inUse;
}

ScopedNamingCalls::ScopedNamingCalls(NamingCalls& calls) : previous_(inUse) {
    inUse = &calls;
}

ScopedNamingCalls::~ScopedNamingCalls() {
    inUse = previous_;
}

} // namespace kalidor
