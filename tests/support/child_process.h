#pragma once
// Runs a piece of a test in a child process: to make writes fail for real (a file size
// limit), to lose permissions the test runner has as root, or to be killed mid-way.

#include <functional>
#include <sys/types.h>

namespace kalidor::test {

// Runs `body` in a child and returns its exit code (or 128 + signal). Throws
// std::system_error when the child cannot be started or waited for.
int runInChild(const std::function<int()>& body);

// The same as an ordinary user, so that file permissions apply even when the tests run as
// root. Files the child must reach should be made accessible to everyone first.
int runUnprivileged(const std::function<int()>& body);

// Only root can give a file to another user. A test that needs one skips without root.
bool runningAsRoot();

// Gives a file or folder to the user runUnprivileged runs as, so that it is that user's own:
// as root, the ordinary user the child becomes; for anyone else, who owns it already, nothing
// to do. Whether it succeeded.
bool giveToUnprivileged(const char* path);

// Starts `body` in a child and returns its process id at once.
pid_t startChild(const std::function<void()>& body);

} // namespace kalidor::test
