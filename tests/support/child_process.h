#pragma once
// Runs a piece of a test in a forked child, for conditions that must not
// leak into the test process: dropped privileges, a file-size limit.

#include <QThreadPool>

#include <functional>
#include <string>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

// Returns the child's exit status, or -1 when it did not exit normally.
inline int RunInChild(const std::function<int()>& body) {
    // Only the forking thread lives on in the child. Qt's pool would hand
    // painting work to its idle threads there and wait for them forever, so
    // it gives its threads up first and the child starts new ones.
    QThreadPool::globalInstance()->waitForDone();
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Runs `body` in a forked child and returns the text it returned (empty
// for "all well"), or a note when the child did not finish normally.
inline std::string RunInChildForText(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    const int status = RunInChild([&] {
        ::close(fds[0]);
        const std::string text = body();
        const bool sent = ::write(fds[1], text.data(), text.size()) == ssize_t(text.size());
        ::close(fds[1]);
        return sent ? 0 : 1;
    });
    ::close(fds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    ::close(fds[0]);
    return status == 0 ? text : "child ended with status " + std::to_string(status) + ": " + text;
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
