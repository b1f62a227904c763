#include "tests/support/child_process.h"

#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalidor::test {

namespace {

constexpr uid_t kNobody = 65534;

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + WTERMSIG(status);
}

} // namespace

int runInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    return waitFor(pid);
}

int runUnprivileged(const std::function<int()>& body) {
    return runInChild([&body] {
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                return 99;
            }
        }
        return body();
    });
}

pid_t startChild(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    return pid;
}

} // namespace kalidor::test
