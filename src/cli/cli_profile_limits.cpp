// Warnings for saved values that a profile can store but never read back.
#include "cli/cli_profile_limits.h"

#include "cli/cli_core_strings.h"
#include "profiles/profile_key_order.h"

namespace quillmar {

void WarnValuesProfilesCannotReadBack(const CliContext& ctx, const SettingsSelection& selection) {
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key)) continue;
        const int index = selection.At(pk.key);
        if (index < pk.lookup_limit || index >= OptionCount(pk.key.section, pk.key.key)) continue;
        const std::string name = FromCore(KeyName(pk.key.section, pk.key.key));
        ctx.Error("warning: " + name + '=' + FromCore(OptionText(pk.key.section, pk.key.key, index)) +
                  " is stored, but a profile is read back as " + name + '=' +
                  FromCore(OptionText(pk.key.section, pk.key.key, 0)) + ": profiles know only the first " +
                  std::to_string(pk.lookup_limit) + " options of " + name + '.');
    }
}

}  // namespace quillmar
