#pragma once
// Reads a small file directly in a folder that comes from untrusted media (a
// card anyone could have written): only a regular file on the folder's own
// device, never through a link or reparse point, never a device or FIFO;
// opening never blocks; at most a given number of bytes.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillmar {

struct FolderFileRead {
    enum Status {
        kRead,        // `bytes` holds the file, or its first bytes when `truncated`
        kAbsent,      // nothing of that name, or no such folder
        kNotRegular,  // a link, folder, FIFO, device, or a file from another device
        kUnreadable,  // opening or reading failed; `error` says why
    };
    Status status = kUnreadable;
    std::string bytes;
    bool truncated = false;  // the file holds more than was read
    std::string error;       // the system's reason for kUnreadable (UTF-8)
};

enum class NameCase {
    kExact,
    // When `name` is absent, the entry whose name differs from it only in
    // ASCII case, the byte-wise first of several: FAT names are
    // case-insensitive, but not every driver folds case for us.
    kAnyAsciiCase,
};

FolderFileRead ReadRegularFileInFolder(const std::filesystem::path& folder, std::string_view name, std::size_t maxBytes,
                                       NameCase nameCase = NameCase::kExact);

}  // namespace quillmar
