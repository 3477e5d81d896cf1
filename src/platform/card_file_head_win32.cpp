// Reading the head of a small card file on Windows: a regular file on the card's own volume, never a reparse point.
#include "platform/card_file_head.h"

#include "platform/wide_text_win32.h"

namespace quillmar {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

std::optional<std::string> ReadHead(HANDLE file, std::size_t maxBytes) {
    std::string bytes(maxBytes, '\0');
    std::size_t filled = 0;
    while (filled < maxBytes) {
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + filled, static_cast<DWORD>(maxBytes - filled), &got, nullptr))
            return std::nullopt;
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

std::optional<std::string> ReadCardFileHead(const std::string& folder, const std::string& name, std::size_t maxBytes) {
    const QuietDriveErrors quiet;
    std::wstring path = WideFromUtf8(folder);
    const UniqueHandle dir(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION dirInfo{};
    if (!dir.Valid() || !::GetFileInformationByHandle(dir.Get(), &dirInfo)) return std::nullopt;

    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    path += WideFromUtf8(name);
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link or junction itself, which
    // the attribute check below then refuses, instead of what it points to.
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & kNotAFile) != 0 ||
        info.dwVolumeSerialNumber != dirInfo.dwVolumeSerialNumber)
        return std::nullopt;
    return ReadHead(file.Get(), maxBytes);
}

}  // namespace quillmar
