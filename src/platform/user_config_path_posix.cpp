// The XDG base-directory rule for the user's configuration folder.
#include "platform/user_config_path.h"

#include "platform/path_text.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quillmar {

namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

}  // namespace

std::string UserConfigPath() {
    // A relative or empty $XDG_CONFIG_HOME is ignored in favour of ~/.config.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base = xdg != nullptr ? xdg : "";
    if (!base.is_absolute()) base = HomeFolder() / ".config";
    return PathText(MadeFolder(base / "quillmar") / "cfg.ini");
}

}  // namespace quillmar
