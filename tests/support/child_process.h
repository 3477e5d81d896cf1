#pragma once
// Runs a piece of a test in a forked child, for conditions that must not
// leak into the test process: dropped privileges, a file-size limit.

#include <QDir>
#include <QThreadPool>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmar::test_support {

// Returns the child's exit status, or -1 when it did not exit normally.
inline int RunInChild(const std::function<int()>& body) {
    // Only the forking thread lives on in the child. Qt's pool would hand
    // painting work to its idle threads there and wait for them forever, so
    // it gives its threads up first and the child starts new ones. A thread
    // still on its way out may hold the allocator's lock, which the child
    // would then wait on for good: fork once the process is down to this
    // thread (or after a second, when something else keeps threads).
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 1000 && QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() > 1; ++i)
        ::usleep(1000);
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Root ignores permission bits; a child that must meet a read-only folder
// gives up root first. Returns false when that was not possible.
inline bool DropRootPrivileges() {
    constexpr uid_t kNobody = 65534;
    return ::geteuid() != 0 ||
           (::setresgid(kNobody, kNobody, kNobody) == 0 && ::setresuid(kNobody, kNobody, kNobody) == 0);
}

// Makes any write beyond `bytes` fail with EFBIG, as a full card would fail.
inline bool LimitFileSize(rlim_t bytes) {
    const rlimit limit{bytes, bytes};
    return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

}  // namespace quillmar::test_support
