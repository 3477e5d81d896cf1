// Replacing a file through a flushed temporary and MoveFileExW, so a crash leaves old or new, never a mix.
#include "platform/durable_file.h"

#include "platform/durable_file_temporaries.h"
#include "platform/path_text.h"
#include "platform/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <random>

namespace quillmar {

namespace {

WriteOutcome Fail(const std::string& what, const std::filesystem::path& path, DWORD err) {
    return WriteOutcome::Failure(what + " \"" + PathText(path) + "\": " + SystemErrorText(err), int(err));
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// 100-nanosecond ticks since 1601, as FILETIME counts.
ULONGLONG Ticks(const FILETIME& t) { return ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

// Windows refuses to replace a file that another process has open, even
// one that shares it for deletion, and a reader of cfg.ini (a window or
// quillmar-cli loading it without the writers' lock) holds it open for a
// moment: the replacement is tried again for up to two seconds.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (int waitedMs = 0;; waitedMs += 10) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD err = ::GetLastError();
        if ((err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION) || waitedMs >= 2000) {
            ::SetLastError(err);
            return false;
        }
        ::Sleep(10);
    }
}

}  // namespace

void RemoveDurableTemporaries(const std::filesystem::path& path, std::chrono::seconds minimumAge) {
    const std::string fileName = PathText(path.filename());
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const ULONGLONG age = ULONGLONG(minimumAge.count()) * 10'000'000ULL;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = (FolderOf(path) / L"*").wstring();
    const HANDLE find = ::FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        // Regular files only: never a folder, never a link or junction.
        const DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((found.dwFileAttributes & notRegular) != 0) continue;
        if (!IsDurableTemporaryName(Utf8FromWide(found.cFileName), fileName)) continue;
        if (age != 0 && Ticks(found.ftLastWriteTime) + age > Ticks(now)) continue;
        ::DeleteFileW((FolderOf(path) / found.cFileName).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

WriteOutcome ReplaceFileDurably(const std::filesystem::path& path, std::string_view data) {
    const std::filesystem::path dirPath = FolderOf(path);
    const std::string fileName = PathText(path.filename());

    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return WriteOutcome::Failure("The file \"" + PathText(path) + "\" is read-only; it was left as it is",
                                     int(ERROR_ACCESS_DENIED), true);

    RemoveDurableTemporaries(path, kStaleTemporaryAge);

    static thread_local std::mt19937 random{std::random_device{}()};
    std::filesystem::path tempPath;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        tempPath = dirPath / PathFromUtf8(DurableTemporaryName(fileName, std::uint32_t(random())));
        file = ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return Fail("Cannot create a file in", dirPath, ::GetLastError());
    }
    if (file == INVALID_HANDLE_VALUE) return Fail("Cannot create a file in", dirPath, ERROR_FILE_EXISTS);
    auto discard = [&](const std::string& what, DWORD err) {
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
        ::DeleteFileW(tempPath.c_str());
        return Fail(what, path, err);
    };

    for (size_t done = 0; done < data.size();) {
        const DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0)
            return discard("Cannot write", ::GetLastError());
        done += written;
    }
    if (!::FlushFileBuffers(file)) return discard("Cannot flush", ::GetLastError());
    const BOOL closed = ::CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    if (!closed) return discard("Cannot write", ::GetLastError());
    // A link at the path is replaced, not followed: the move renames over
    // the entry itself. Write-through returns once the move is on the disk.
    if (!MoveOver(tempPath, path)) return discard("Cannot replace", ::GetLastError());
    return WriteOutcome::Success();
}

}  // namespace quillmar
