#pragma once
// The current choice for every key: one option index per key, the
// clock-synchronisation choice and the Photo page's lock flags.

#include "settings/settings_schema.h"

#include <array>
#include <cstdint>

namespace quillmar {

// Bits of SettingsSelection::photo_lock_flags.
enum PhotoLockFlag : uint8_t {
    burst_lock = 1,  // a burst is chosen; auto-shoot is written as off
    shoot_lock = 2,  // an auto-shoot interval is chosen; burst is written as off
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

    int32_t& at(int section, int key) { return index[section][key]; }
    int32_t at(int section, int key) const { return index[section][key]; }
    int32_t& at(SettingsKeyRef ref) { return index[ref.section][ref.key]; }
    int32_t at(SettingsKeyRef ref) const { return index[ref.section][ref.key]; }

    // Every key at the schema's default option, clock_sync as given.
    static SettingsSelection Defaults(int32_t clockSync = 0);
};

// Named keys for the places that need one particular key.
namespace keys {
inline constexpr SettingsKeyRef mode_1{kModeSection, 0};
inline constexpr SettingsKeyRef mode_2{kModeSection, 1};
inline constexpr SettingsKeyRef mode_3{kModeSection, 2};
inline constexpr SettingsKeyRef video_quality{kVideoSection, 0};
inline constexpr SettingsKeyRef fov{kVideoSection, 1};
inline constexpr SettingsKeyRef timelapse{kVideoSection, 2};
inline constexpr SettingsKeyRef video_stamp{kVideoSection, 3};
inline constexpr SettingsKeyRef mic_vol{kVideoSection, 4};
inline constexpr SettingsKeyRef auto_rec{kVideoSection, 5};
inline constexpr SettingsKeyRef loop_rec{kVideoSection, 6};
inline constexpr SettingsKeyRef rec_beep{kVideoSection, 7};
inline constexpr SettingsKeyRef photo_quality{kPhotoSection, 0};
inline constexpr SettingsKeyRef auto_shoot{kPhotoSection, 1};
inline constexpr SettingsKeyRef photo_stamp{kPhotoSection, 2};
inline constexpr SettingsKeyRef photo_burst{kPhotoSection, 3};
inline constexpr SettingsKeyRef image_meter{kImageSection, 0};
inline constexpr SettingsKeyRef image_iso{kImageSection, 1};
inline constexpr SettingsKeyRef image_wb{kImageSection, 2};
inline constexpr SettingsKeyRef image_ev{kImageSection, 3};
inline constexpr SettingsKeyRef image_sharpness{kImageSection, 4};
inline constexpr SettingsKeyRef sync_clock{kSystemSection, 0};
inline constexpr SettingsKeyRef image_rotate{kSystemSection, 1};
inline constexpr SettingsKeyRef tvmode{kSystemSection, 2};
inline constexpr SettingsKeyRef lightfreq{kSystemSection, 3};
inline constexpr SettingsKeyRef auto_shutdown{kSystemSection, 4};
inline constexpr SettingsKeyRef datefmt{kSystemSection, 5};
inline constexpr SettingsKeyRef osd{kSystemSection, 6};
inline constexpr SettingsKeyRef op_beep{kSystemSection, 7};
inline constexpr SettingsKeyRef format{kSystemSection, 8};
}  // namespace keys

}  // namespace quillmar
