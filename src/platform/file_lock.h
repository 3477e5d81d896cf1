#pragma once
// An exclusive lock that every writer of a shared file takes before it reads
// the file to change it, so that two programs saving at once never undo each
// other's change. The lock lives in its own file beside the data file
// ("." + name + ".lock"), created on demand: the data file itself is
// replaced by rename on every commit, so a lock on it would not be shared.

#include "platform/write_outcome.h"

#include <cstdint>
#include <filesystem>
#include <utility>

namespace quillmar {

class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    FileLock(FileLock&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}
    FileLock& operator=(FileLock&& other) noexcept {
        if (this != &other) {
            Release();
            handle_ = std::exchange(other.handle_, kNoHandle);
        }
        return *this;
    }
    ~FileLock() { Release(); }

    // The lock file that guards `dataPath`.
    static std::filesystem::path LockPathFor(const std::filesystem::path& dataPath);

    // Takes the lock guarding `dataPath`, waiting at most `timeoutMs` for
    // another holder to let go. Fails, naming the lock file and the reason,
    // when it could not be taken in time.
    WriteOutcome Acquire(const std::filesystem::path& dataPath, int timeoutMs);
    bool Held() const { return handle_ != kNoHandle; }
    // Closing the lock file lets go of the lock; destruction does the same.
    void Release();

private:
    // A descriptor on POSIX, a HANDLE on Windows; both use -1 for none.
    static constexpr std::intptr_t kNoHandle = -1;
    std::intptr_t handle_ = kNoHandle;
};

// How long a writer waits for another one before giving up.
inline constexpr int kFileLockTimeoutMs = 5000;

// The message when another writer holds the lock too long.
std::string LockBusyMessage(const std::filesystem::path& dataPath, const std::filesystem::path& lockPath,
                            int timeoutMs);

}  // namespace quillmar
