// The writers' lock on POSIX: flock on the lock file beside the shared data file.
#include "platform/file_lock.h"

#include "platform/path_text.h"
#include "platform/system_error_posix.h"
#include "platform/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quillmar {

void FileLock::Release() {
    if (handle_ != kNoHandle) ::close(int(handle_));
    handle_ = kNoHandle;
}

WriteOutcome FileLock::Acquire(const std::filesystem::path& dataPath, int timeoutMs) {
    Release();
    const std::filesystem::path lockPath = LockPathFor(dataPath);
    // O_NOFOLLOW and the type check keep a planted link or FIFO from making
    // us create or block on something else.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | kFlags, 0666));
    // A lock file left by another user may be read-only to us; flock works
    // on a descriptor opened for reading too.
    int err = fd.Valid() ? 0 : errno;
    if (err == EACCES) {
        fd = UniqueFd(::open(lockPath.c_str(), O_RDONLY | kFlags));
        if (fd.Valid()) err = 0;  // else the first reason is the one that tells
    }
    struct stat st {};
    if (err == 0 && ::fstat(fd.Get(), &st) != 0) err = errno;
    if (err == 0 && !S_ISREG(st.st_mode)) err = EINVAL;
    if (err != 0)
        return WriteOutcome::Failure("Cannot open the lock file \"" + PathText(lockPath) + "\": " + ErrnoText(err),
                                     err);
    // flock has no timeout of its own: poll, at first often, so that a short
    // save by another program costs us only a few milliseconds.
    const auto start = std::chrono::steady_clock::now();
    for (int pause = 1;; pause = std::min(pause * 2, 50)) {
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int code = errno;
            return WriteOutcome::Failure("Cannot lock \"" + PathText(lockPath) + "\": " + ErrnoText(code), code);
        }
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
            return WriteOutcome::Failure(LockBusyMessage(dataPath, lockPath, timeoutMs));
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
    handle_ = fd.Release();
    return WriteOutcome::Success();
}

}  // namespace quillmar
