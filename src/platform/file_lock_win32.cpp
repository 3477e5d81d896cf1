// The writers' lock on Windows: LockFileEx on the lock file beside the shared data file.
#include "platform/file_lock.h"

#include "platform/path_text.h"
#include "platform/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace quillmar {

void FileLock::Release() {
    if (handle_ != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));  // also lets go of the lock
    handle_ = kNoHandle;
}

WriteOutcome FileLock::Acquire(const std::filesystem::path& dataPath, int timeoutMs) {
    Release();
    const std::filesystem::path lockPath = LockPathFor(dataPath);
    // FILE_FLAG_OPEN_REPARSE_POINT and the type check keep a planted link
    // or device from making us create or block on something else.
    const HANDLE file = ::CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        return WriteOutcome::Failure(
            "Cannot open the lock file \"" + PathText(lockPath) + "\": " + SystemErrorText(err), int(err));
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        ::CloseHandle(file);
        return WriteOutcome::Failure(
            "Cannot open the lock file \"" + PathText(lockPath) + "\": it is not a regular file",
            int(ERROR_INVALID_PARAMETER));
    }
    const auto start = std::chrono::steady_clock::now();
    for (int pause = 1;; pause = std::min(pause * 2, 50)) {
        OVERLAPPED at{};
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
        if (const DWORD err = ::GetLastError(); err != ERROR_LOCK_VIOLATION && err != ERROR_IO_PENDING) {
            ::CloseHandle(file);
            return WriteOutcome::Failure("Cannot lock \"" + PathText(lockPath) + "\": " + SystemErrorText(err),
                                         int(err));
        }
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs)) {
            ::CloseHandle(file);
            return WriteOutcome::Failure(LockBusyMessage(dataPath, lockPath, timeoutMs));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return WriteOutcome::Success();
}

}  // namespace quillmar
