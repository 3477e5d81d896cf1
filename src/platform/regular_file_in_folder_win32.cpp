// Reading a small regular file from a card on Windows: never through a reparse point, only on the card itself.
#include "platform/regular_file_in_folder.h"

#include "platform/path_text.h"
#include "platform/win32_text.h"

#include <windows.h>

#include <algorithm>

namespace quillmar {

namespace {

FolderFileRead Fail(FolderFileRead::Status status, DWORD error = 0) {
    FolderFileRead read;
    read.status = status;
    if (error != 0) read.error = SystemErrorText(error);
    return read;
}

FolderFileRead Missing(DWORD err) {
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_DIRECTORY
               ? Fail(FolderFileRead::kAbsent)
               : Fail(FolderFileRead::kUnreadable, err);
}

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};

// Opens without following a reparse point, so that the handle shows what
// the entry itself is.
HANDLE OpenEntry(const std::filesystem::path& path, DWORD access) {
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

}  // namespace

// Windows compares names without case on every file system a card uses,
// so `nameCase` asks nothing more of it.
FolderFileRead ReadRegularFileInFolder(const std::filesystem::path& folder, std::string_view name, std::size_t maxBytes,
                                       NameCase) {
    Handle dir{OpenEntry(folder, 0)};
    if (dir.h == INVALID_HANDLE_VALUE) return Missing(::GetLastError());
    BY_HANDLE_FILE_INFORMATION root{};
    if (!::GetFileInformationByHandle(dir.h, &root)) return Fail(FolderFileRead::kUnreadable, ::GetLastError());
    if ((root.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return Fail(FolderFileRead::kAbsent);

    Handle file{OpenEntry(folder / PathFromUtf8(name), GENERIC_READ)};
    if (file.h == INVALID_HANDLE_VALUE) return Missing(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.h, &info))
        return Fail(FolderFileRead::kNotRegular);
    // A link or junction, a folder, or a file of another volume is never read.
    const DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if ((info.dwFileAttributes & notRegular) != 0 || info.dwVolumeSerialNumber != root.dwVolumeSerialNumber)
        return Fail(FolderFileRead::kNotRegular);

    // One byte more than asked for tells a file that holds more.
    FolderFileRead read;
    read.bytes.resize(maxBytes + 1);
    size_t filled = 0;
    while (filled < read.bytes.size()) {
        DWORD n = 0;
        const DWORD want = DWORD(std::min<size_t>(read.bytes.size() - filled, 1u << 30));
        if (!::ReadFile(file.h, read.bytes.data() + filled, want, &n, nullptr))
            return Fail(FolderFileRead::kUnreadable, ::GetLastError());
        if (n == 0) break;
        filled += n;
    }
    read.truncated = filled > maxBytes;
    read.bytes.resize(std::min(filled, maxBytes));
    read.status = FolderFileRead::kRead;
    return read;
}

}  // namespace quillmar
