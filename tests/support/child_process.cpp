#include "tests/support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace kalidor::test {

namespace {

constexpr uid_t kNobody = 65534;

// A child that cannot be started or waited for ends the test with the system's reason, rather
// than running the body in this process or waiting for ever.
[[noreturn]] void fail(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

pid_t forkChild() {
    const pid_t pid = ::fork();
    if (pid < 0) {
        fail(errno, "fork");
    }
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited < 0) {
        const int error = errno;
        fail(error, "waitpid for child " + std::to_string(pid));
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + WTERMSIG(status);
}

} // namespace

int runInChild(const std::function<int()>& body) {
    const pid_t pid = forkChild();
    if (pid == 0) {
        ::_exit(body());
    }
    return waitFor(pid);
}

int runUnprivileged(const std::function<int()>& body) {
    return runInChild([&body] {
        if (runningAsRoot()) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                return 99;
            }
        }
        return body();
    });
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

bool giveToUnprivileged(const char* path) {
    return !runningAsRoot() || ::chown(path, kNobody, kNobody) == 0;
}

pid_t startChild(const std::function<void()>& body) {
    const pid_t pid = forkChild();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    return pid;
}

} // namespace kalidor::test
