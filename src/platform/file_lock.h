#pragma once
// An exclusive advisory lock that every writer of a shared file takes before
// it reads the file to change it, so that two programs saving at once never
// undo each other's change. The lock lives in its own file beside the data
// file ("." + name + ".lock"), created on demand: the data file itself is
// replaced by rename on every commit, so a lock on it would not be shared.

#include "platform/unique_fd.h"
#include "platform/write_outcome.h"

#include <QString>

namespace quillmar {

class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&&) = default;
    FileLock& operator=(FileLock&&) = default;

    // The lock file that guards `dataPath`.
    static QString LockPathFor(const QString& dataPath);

    // Takes the lock guarding `dataPath`, waiting at most `timeoutMs` for
    // another holder to let go. Fails, naming the lock file and the reason,
    // when it could not be taken in time.
    WriteOutcome Acquire(const QString& dataPath, int timeoutMs);
    bool Held() const { return fd_.Valid(); }
    // Closing the descriptor lets go of the lock; destruction does the same.
    void Release() { fd_ = UniqueFd(); }

private:
    UniqueFd fd_;
};

// How long a writer waits for another one before giving up.
inline constexpr int kFileLockTimeoutMs = 5000;

}  // namespace quillmar
