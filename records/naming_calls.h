#pragma once
// The calls by which a new file takes its name in a folder that other machines may share, in
// one place: a test puts calls of its own in their place to answer as a share's client does (an
// error after the server did the work, a refusal, a claim removed from another mount, a server
// whose clock differs from this machine's).

#include <QByteArray>
#include <chrono>
#include <ctime>

namespace kalidor {

class NamingCalls {
public:
    virtual ~NamingCalls() = default;

    // Each returns what the system call returns, with errno set on failure.
    virtual int makeFolder(const char* path);
    virtual int removeFolder(const char* path);
    // A rename that refuses to replace an existing name (renameat2 with RENAME_NOREPLACE).
    virtual int renameWithoutReplacing(const char* from, const char* to);
    virtual int link(const char* from, const char* to);
    virtual int rename(const char* from, const char* to);
    // Opens an existing entry for reading without waiting: a descriptor, or -1. A share's
    // client asks its server for an open, where it may answer a lookup from its cache.
    virtual int openForReading(const char* path);
    // The time the server of `folder` stamps a file made there now; -1 with errno set when no
    // file can be made. The age of what other machines left is judged by that clock, never by
    // this machine's, which may drift.
    virtual time_t serverTime(const QByteArray& folder);
    // Waits before a call is made again.
    virtual void pause(std::chrono::milliseconds duration);
};

// The calls in use: the system's, unless a test put others in place.
NamingCalls& namingCalls();

// Puts `calls` in place of the calls in use while it lives.
class ScopedNamingCalls {
public:
    explicit ScopedNamingCalls(NamingCalls& calls);
    ~ScopedNamingCalls();
    ScopedNamingCalls(const ScopedNamingCalls&) = delete;
    ScopedNamingCalls& operator=(const ScopedNamingCalls&) = delete;

private:
    NamingCalls* previous_;
};

} // namespace kalidor
