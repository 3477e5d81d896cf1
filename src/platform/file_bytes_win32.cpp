// Reading a whole regular file on Windows, telling a missing file from an unreadable one.
#include "platform/file_bytes.h"

#include "platform/path_text.h"
#include "platform/win32_text.h"

#include <windows.h>

#include <algorithm>

namespace quillmar {

FileReadStatus ReadFileBytes(const std::filesystem::path& path, std::string* bytes, std::string* error,
                             std::uint64_t maxBytes) {
    bytes->clear();
    const auto fail = [&](const std::string& reason) {
        bytes->clear();
        *error = "Cannot read \"" + PathText(path) + "\": " + reason;
        return FileReadStatus::kFailed;
    };
    const auto tooLarge = [&](std::uint64_t size) { return fail(TooLargeReason(size, maxBytes)); };

    // Links are followed here; FILE_FLAG_BACKUP_SEMANTICS lets a folder open
    // so that it can be named as what it is.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return FileReadStatus::kMissing;
        return fail(SystemErrorText(err));
    }
    struct Closer {
        HANDLE h;
        ~Closer() { ::CloseHandle(h); }
    } closer{file};
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK) return fail("it is a device, not a regular file");
    if (!::GetFileInformationByHandle(file, &info)) return fail(SystemErrorText(::GetLastError()));
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return fail("it is a folder, not a regular file");
    const std::uint64_t size = std::uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    if (size > maxBytes) return tooLarge(size);

    bytes->reserve(size_t(size));
    char chunk[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file, chunk, sizeof chunk, &n, nullptr)) return fail(SystemErrorText(::GetLastError()));
        if (n == 0) break;
        bytes->append(chunk, n);
        // The file may grow while it is read.
        if (bytes->size() > maxBytes) return tooLarge(bytes->size());
    }
    return FileReadStatus::kRead;
}

}  // namespace quillmar
