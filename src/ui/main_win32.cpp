// quillmar.exe: the settings window on Windows. The options are the Linux program's, parsed with CLI11;
// help, the version and mistakes go into a message box, as a windowed program has no console.
#include "platform/user_config_path.h"
#include "platform/win32_text.h"
#include "ui/app_options.h"
#include "ui/main_window.h"

#include <CLI/CLI.hpp>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

using namespace quillmar;

namespace {

void Tell(const std::string& text, UINT icon) {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"Quillmar", MB_OK | icon);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = count - 1; i > 0; --i) args.push_back(Utf8FromWide(wide[i]));  // CLI11 takes them last first
    LocalFree(wide);

    CLI::App app{"Writes camera settings onto the camera's memory card.", "quillmar"};
    AppOptions options;
    app.add_option("--card", options.card_folders, "Offer DIR as a card (repeatable).")->option_text("DIR");
    CLI::Option* config =
        app.add_option("--config", options.config_path, "Keep the profiles in PATH instead of .\\cfg.ini.")
            ->option_text("PATH");
    bool userConfig = false;
    app.add_flag("--user-config", userConfig,
                 "Keep the profiles in %APPDATA%\\Quillmar\\cfg.ini; the folder is made when missing.")
        ->excludes(config);
    app.set_version_flag("-v,--version", "quillmar " QUILLMAR_VERSION);
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        Tell(app.help(), MB_ICONINFORMATION);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        Tell(e.what(), MB_ICONINFORMATION);
        return 0;
    } catch (const CLI::ParseError& e) {
        Tell(std::string(e.what()) + "\n\n" + app.help(), MB_ICONERROR);
        return 2;
    }
    if (userConfig) options.config_path = UserConfigPath();

    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    // The window's end is the program's end; nothing is saved on the way out.
    CQuillmarVS2010Dlg window(options);
    window.DoModal();
    return 0;
}
