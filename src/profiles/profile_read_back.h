#pragma once
// A profile reads some keys back against fewer options than they have (see
// kProfileKeyOrder), so a few values are stored but read back as the key's
// first option: image_iso=3200, auto_shutdown=30Min and 60Min. Saving such a
// value deserves a word.

#include "settings/settings_selection.h"

#include <vector>

namespace quillmar {

struct ProfileReadBack {
    SettingsKeyRef key;
    int stored;     // the option index saved
    int read_back;  // the option index a profile gives back: 0
    int known;      // how many of the key's first options a profile reads back
};

// The values of `selection` that a saved profile would give back as
// another option, in profile key order.
std::vector<ProfileReadBack> ValuesProfilesReadBackDifferently(const SettingsSelection& selection);

}  // namespace quillmar
