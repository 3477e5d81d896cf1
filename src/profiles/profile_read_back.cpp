// Which saved values a profile gives back as another option.
#include "profiles/profile_read_back.h"

#include "profiles/profile_key_order.h"

namespace quillmar {

std::vector<ProfileReadBack> ValuesProfilesReadBackDifferently(const SettingsSelection& selection) {
    std::vector<ProfileReadBack> changed;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key)) continue;
        const int index = selection.At(pk.key);
        if (index >= pk.lookup_limit && index < OptionCount(pk.key.section, pk.key.key))
            changed.push_back({pk.key, index, 0, pk.lookup_limit});
    }
    return changed;
}

}  // namespace quillmar
