// SettingsSelection: every key at its default, and the rule that keeps burst and auto-shoot apart.
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

namespace {

bool SameKey(SettingsKeyRef a, SettingsKeyRef b) { return a.section == b.section && a.key == b.key; }

}  // namespace

void SettingsSelection::Choose(SettingsKeyRef key, int32_t index) {
    At(key) = index;
    const bool burst = SameKey(key, keys::kPhotoBurst);
    if (!burst && !SameKey(key, keys::kAutoShoot)) return;
    const uint8_t own = burst ? kBurstLock : kShootLock;
    const uint8_t other = burst ? kShootLock : kBurstLock;
    // Turning a group off leaves its own bit alone: a bit has no effect
    // while its group is off. The other bits are never touched.
    photo_lock_flags = static_cast<uint8_t>(photo_lock_flags & ~other);
    if (index == 0) return;
    photo_lock_flags = static_cast<uint8_t>(photo_lock_flags | own);
    At(burst ? keys::kAutoShoot : keys::kPhotoBurst) = 0;
}

void SettingsSelection::SettleBurstAndAutoShoot() {
    int32_t& shoot = At(keys::kAutoShoot);
    int32_t& burst = At(keys::kPhotoBurst);
    if (shoot == 0 || burst == 0) return;
    const bool shootChosenLast = (photo_lock_flags & kShootLock) && !(photo_lock_flags & kBurstLock);
    Choose(shootChosenLast ? keys::kAutoShoot : keys::kPhotoBurst, shootChosenLast ? shoot : burst);
}

void SettingsSelection::SettleLoadedBurstAndAutoShoot() {
    photo_lock_flags = static_cast<uint8_t>(photo_lock_flags & ~(kBurstLock | kShootLock));
    SettleBurstAndAutoShoot();
}

bool FormatsCard(const SettingsSelection& selection) {
    const SettingsKeyRef format = keys::kFormat;
    // The writer clamps the index the same way: what it writes decides.
    return ClampOptionIndex(format.section, format.key, selection.At(format)) == 1;
}

}  // namespace quillmar
