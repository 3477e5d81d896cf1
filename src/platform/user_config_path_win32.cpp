// The user's roaming application-data folder, where Windows programs keep
// settings that follow the user.
#include "platform/user_config_path.h"

#include "platform/path_text.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>

namespace quillmar {

namespace {

std::filesystem::path RoamingAppData() {
    PWSTR folder = nullptr;
    std::filesystem::path path;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK) path = folder;
    ::CoTaskMemFree(folder);  // also when the call failed
    if (path.empty()) {
        const wchar_t* variable = ::_wgetenv(L"APPDATA");
        path = variable != nullptr ? variable : L"";
    }
    return path;
}

}  // namespace

std::string UserConfigPath() { return PathText(MadeFolder(RoamingAppData() / L"Quillmar") / L"cfg.ini"); }

}  // namespace quillmar
