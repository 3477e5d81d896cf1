// SettingsSelection::Defaults: every key at its schema's default option.
#include "settings/settings_selection.h"

namespace quillmar {

SettingsSelection SettingsSelection::Defaults(int32_t clockSync) {
    SettingsSelection s;
    for (int section = 0; section < kSectionCount; ++section) {
        for (int key = 0; key < KeyCount(section); ++key) {
            if (OptionCount(section, key) > 0) s.At(section, key) = DefaultOptionIndex(section, key);
        }
    }
    s.clock_sync = clockSync;
    return s;
}

}  // namespace quillmar
