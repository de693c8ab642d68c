// Work run in a child process of the test, for tests of several processes at one file.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace orb::test {

// Runs work in a child process, which exits 0 when it returns true; the child's pid, or -1.
inline pid_t InChild(const std::function<bool()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(work() ? 0 : 2);
    return pid;
}

// Waits for the child; its exit status, 128 + the signal that ended it, or -1.
inline int WaitExit(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace orb::test
