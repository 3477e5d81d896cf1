#pragma once
// The current choice for every key: one option index per key, the
// clock-synchronisation choice and the Photo page's lock flags.

#include "settings/settings_schema.h"

#include <array>
#include <cstdint>

namespace quillmar {

// Bits of SettingsSelection::photo_lock_flags.
enum PhotoLockFlag : uint8_t {
    kBurstLock = 1,  // a burst is chosen; auto-shoot is written as off
    kShootLock = 2,  // an auto-shoot interval is chosen; burst is written as off
};

// A key addressed as (section number, key number).
struct SettingsKeyRef {
    int section;
    int key;
};

struct SettingsSelection {
    // Indexed [section][key]; system key 0 (sync_clock) is unused and stays 0,
    // its state lives in clock_sync. A new selection holds 0 everywhere.
    std::array<std::array<int32_t, kMaxKeysPerSection>, kSectionCount> index{};
    int32_t clock_sync = 0;
    uint8_t photo_lock_flags = 0;

    int32_t& At(int section, int key) { return index[section][key]; }
    int32_t At(int section, int key) const { return index[section][key]; }
    int32_t& At(SettingsKeyRef ref) { return index[ref.section][ref.key]; }
    int32_t At(SettingsKeyRef ref) const { return index[ref.section][ref.key]; }

    // Every key at the schema's default option, clock_sync as given.
    static SettingsSelection Defaults(int32_t clockSync = 0);

    // Burst and auto-shoot exclude each other: at most one of the two is on,
    // and a group is shown disabled while the other one's lock bit is set
    // and that group is on (it was chosen last and forced this one off).
    //
    // A choice of one key, by a click or by `--set key=option`: a burst or an
    // interval other than off counts as chosen last: the other group becomes
    // off, this group's lock bit is set and the other's cleared. Choosing off
    // clears the other's bit.
    void Choose(SettingsKeyRef key, int32_t index);
    // For a selection with both on, built without Choose: the group whose
    // lock bit alone is set was chosen last and stays on; with no such bit
    // the burst stays on. The other becomes off, as Choose makes it.
    void SettleBurstAndAutoShoot();
    // For a selection read whole from a profile, where nothing was chosen
    // last: the lock bits are cleared, so that the page looks the same
    // whatever was clicked before, and both on always resolves the same way:
    // the burst stays on, auto-shoot is off and locked. The burst line
    // stands after auto_shoot in cfg.ini and camera.conf, and a later line
    // counts as the later choice, as a card's lines do
    // (CameraConfContents::ApplyTo) and as a repeated key's later line does.
    void SettleLoadedBurstAndAutoShoot();
};

// Whether camera.conf written from `selection` tells the camera to erase its
// card when it starts (format=true).
bool FormatsCard(const SettingsSelection& selection);

// Named keys for the places that need one particular key.
namespace keys {
inline constexpr SettingsKeyRef kMode1{kModeSection, 0};
inline constexpr SettingsKeyRef kMode2{kModeSection, 1};
inline constexpr SettingsKeyRef kMode3{kModeSection, 2};
inline constexpr SettingsKeyRef kVideoQuality{kVideoSection, 0};
inline constexpr SettingsKeyRef kFov{kVideoSection, 1};
inline constexpr SettingsKeyRef kTimelapse{kVideoSection, 2};
inline constexpr SettingsKeyRef kVideoStamp{kVideoSection, 3};
inline constexpr SettingsKeyRef kMicVol{kVideoSection, 4};
inline constexpr SettingsKeyRef kAutoRec{kVideoSection, 5};
inline constexpr SettingsKeyRef kLoopRec{kVideoSection, 6};
inline constexpr SettingsKeyRef kRecBeep{kVideoSection, 7};
inline constexpr SettingsKeyRef kPhotoQuality{kPhotoSection, 0};
inline constexpr SettingsKeyRef kAutoShoot{kPhotoSection, 1};
inline constexpr SettingsKeyRef kPhotoStamp{kPhotoSection, 2};
inline constexpr SettingsKeyRef kPhotoBurst{kPhotoSection, 3};
inline constexpr SettingsKeyRef kImageMeter{kImageSection, 0};
inline constexpr SettingsKeyRef kImageIso{kImageSection, 1};
inline constexpr SettingsKeyRef kImageWb{kImageSection, 2};
inline constexpr SettingsKeyRef kImageEv{kImageSection, 3};
inline constexpr SettingsKeyRef kImageSharpness{kImageSection, 4};
inline constexpr SettingsKeyRef kSyncClock{kSystemSection, 0};
inline constexpr SettingsKeyRef kImageRotate{kSystemSection, 1};
inline constexpr SettingsKeyRef kTvmode{kSystemSection, 2};
inline constexpr SettingsKeyRef kLightfreq{kSystemSection, 3};
inline constexpr SettingsKeyRef kAutoShutdown{kSystemSection, 4};
inline constexpr SettingsKeyRef kDatefmt{kSystemSection, 5};
inline constexpr SettingsKeyRef kOsd{kSystemSection, 6};
inline constexpr SettingsKeyRef kOpBeep{kSystemSection, 7};
inline constexpr SettingsKeyRef kFormat{kSystemSection, 8};
}  // namespace keys

}  // namespace quillmar
