#pragma once
// Reading a whole file while telling "nothing there" apart from "there but
// unreadable". Only a regular file of a sane size is read: a FIFO would
// block the reader forever and a device such as /dev/zero would never end.

#include <cstdint>
#include <filesystem>
#include <string>

namespace quillmar {

enum class FileReadStatus {
    kRead,     // `bytes` holds the file
    kMissing,  // nothing exists at the path (a dangling link counts as nothing)
    kFailed,   // something is there but cannot be read; `error` says why
};

// Larger files are refused unread.
inline constexpr std::uint64_t kMaxReadFileBytes = std::uint64_t(64) << 20;

// On kFailed, `error` names the file and gives the reason (UTF-8). Links are
// followed; anything but a regular file at their end is refused.
FileReadStatus ReadFileBytes(const std::filesystem::path& path, std::string* bytes, std::string* error,
                             std::uint64_t maxBytes = kMaxReadFileBytes);

// The reason given for a file over `maxBytes`.
std::string TooLargeReason(std::uint64_t size, std::uint64_t maxBytes);

}  // namespace quillmar
