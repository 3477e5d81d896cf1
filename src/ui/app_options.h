#pragma once
// What the program takes from its command line.

#include <QStringList>

namespace quillmar {

struct AppOptions {
    QStringList card_folders;  // --card DIR, repeatable: folders offered as cards
    QString config_path;       // --config PATH: the profile file; empty for cfg.ini in the working directory
                               // --user-config sets it to UserConfigPath() (platform/user_config_path.h),
                               // where the desktop entry keeps the profiles
};

// Parses the arguments (program name first). --help and --version print
// and exit; an unknown option prints the error and exits with status 2.
AppOptions ParseAppOptions(const QStringList& arguments);

// True when the command line only asks for --help or --version, which can
// be answered without a window system.
bool AsksOnlyForInformation(int argc, char* argv[]);

}  // namespace quillmar
