#pragma once
// What the program takes from its command line. Each system parses it its
// own way (app_options_qt.h on Linux).

#include <string>
#include <vector>

namespace quillmar {

struct AppOptions {
    std::vector<std::string> card_folders;  // --card DIR, repeatable: folders offered as cards (UTF-8)
    std::string config_path;                // --config PATH: the profile file; empty for cfg.ini in the working
                                            // directory. --user-config sets it to UserConfigPath()
                                            // (platform/user_config_path.h), where the desktop entry keeps the
                                            // profiles
};

}  // namespace quillmar
