#pragma once
// Where a user's own profile file lives, out of whatever folder the program
// happens to start in: $XDG_CONFIG_HOME/quillmar/cfg.ini (~/.config when that
// is unset or relative) on POSIX systems, %APPDATA%\Quillmar\cfg.ini on
// Windows. --user-config uses it.

#include <filesystem>
#include <string>

namespace quillmar {

// Makes `folder` when missing (a failure is left for the file's own error)
// and returns it.
inline std::filesystem::path MadeFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

// The path as UTF-8. A missing folder is made here; if that fails, the
// profile file's own first read or write reports the reason.
std::string UserConfigPath();

}  // namespace quillmar
