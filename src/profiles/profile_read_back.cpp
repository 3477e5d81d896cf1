// Which saved values a profile gives back as another option.
#include "profiles/profile_read_back.h"

#include "profiles/profile_key_order.h"

namespace quillmar {

QList<ProfileReadBack> ValuesProfilesReadBackDifferently(const SettingsSelection& selection) {
    QList<ProfileReadBack> changed;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key)) continue;
        const int index = selection.At(pk.key);
        if (index >= pk.lookup_limit && index < OptionCount(pk.key.section, pk.key.key))
            changed.append({pk.key, index, 0});
    }
    return changed;
}

}  // namespace quillmar
