// Where the commands' profile file is, and loading it with failures told in the tool's words.
#include "cli/cli_profile_file.h"

#include "cli/cli_text.h"
#include "platform/path_text.h"
#include "platform/user_config_path.h"

#include <filesystem>

namespace quillmar {

std::string ConfigPath(const CliContext& ctx) {
    if (ctx.options.Has(CliOption::kUserConfig)) return UserConfigPath();
    return ctx.options.Has(CliOption::kConfig) ? ctx.options.Value(CliOption::kConfig) : ProfileStore::DefaultCfgPath();
}

bool ProfileFileInPlay(const CliContext& ctx) {
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(ConfigPath(ctx)), error);
}

int LoadProfileStore(const CliContext& ctx, ProfileStore& store, ProfileFileAccess access) {
    if (const WriteOutcome outcome = store.LoadProfiles(access); !outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    return kExitOk;
}

std::string ListedNames(const ProfileStore& store) {
    std::string names;
    for (const std::string& name : store.ProfileNames())
        names += (names.empty() ? "" : ", ") + QuotedForMessage(name, 40);
    return names.empty() ? "none" : names;
}

int ApplyChosenProfile(const CliContext& ctx, ProfileStore& store) {
    if (!ctx.options.Has(CliOption::kProfile)) return kExitOk;
    const std::string& name = ctx.options.Value(CliOption::kProfile);
    const int at = store.FindProfile(name);
    if (at < 0) {
        ctx.Error("no profile " + QuotedForMessage(name) + " in \"" + store.CfgPath() +
                  "\". Profiles: " + ListedNames(store) + ".");
        return kExitUsage;
    }
    // Loading applied the first profile already, from the same read; the
    // default profile of a file without profiles exists only there, and
    // reading the file again would lose it.
    if (store.ProfileSections()[at] == store.CurrentProfile()) return kExitOk;
    store.SelectProfile(at);
    if (const WriteOutcome outcome = store.ApplyProfile(); !outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
