#pragma once
// Runs a piece of a test in a forked child, for conditions that must not
// leak into the test process: dropped privileges, a file-size limit.

#include <functional>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

// Returns the child's exit status, or -1 when it did not exit normally.
inline int RunInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Root ignores permission bits; a child that must meet a read-only folder
// gives up root first. Returns false when that was not possible.
inline bool DropRootPrivileges() {
    if (::geteuid() != 0) return true;
    constexpr uid_t kNobody = 65534;
    return ::setresgid(kNobody, kNobody, kNobody) == 0 && ::setresuid(kNobody, kNobody, kNobody) == 0;
}

// Makes any write beyond `bytes` fail with EFBIG, as a full card would fail.
inline bool LimitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

}  // namespace test_support
