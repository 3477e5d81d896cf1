#pragma once
// Where a user's own profile file lives, out of whatever folder the program
// happens to start in: $XDG_CONFIG_HOME/quillmar/cfg.ini (~/.config when that
// is unset or relative) on POSIX systems, %APPDATA%\Quillmar\cfg.ini on
// Windows. --user-config uses it.

#include <string>

namespace quillmar {

// The path as UTF-8. The folder may not exist yet: the caller makes it.
std::string UserConfigPath();

}  // namespace quillmar
