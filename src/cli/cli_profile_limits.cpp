// Warnings for saved values that a profile can store but never read back.
#include "cli/cli_profile_limits.h"

#include "profiles/profile_key_order.h"

namespace quillmar {

void WarnValuesProfilesCannotReadBack(const CliContext& ctx, const SettingsSelection& selection) {
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key)) continue;
        const int index = selection.At(pk.key);
        if (index < pk.lookup_limit || index >= OptionCount(pk.key.section, pk.key.key)) continue;
        const QString name = KeyName(pk.key.section, pk.key.key);
        ctx.Error(
            QStringLiteral("warning: %1=%2 is stored, but a profile is read back as %1=%3: profiles know "
                           "only the first %4 options of %1.")
                .arg(name, OptionText(pk.key.section, pk.key.key, index), OptionText(pk.key.section, pk.key.key, 0))
                .arg(pk.lookup_limit));
    }
}

}  // namespace quillmar
