#pragma once
// The order in which a profile's keys are written, and the number of options
// each key's stored text is compared with when it is read back.

#include "settings/settings_selection.h"

#include <array>

namespace quillmar {

struct ProfileKey {
    SettingsKeyRef key;
    int lookupLimit;  // 0 for sync_clock, which is stored as "TRUE"/"FALSE"
};

inline constexpr int kProfileKeyCount = 29;

// Pages in order Mode, Video, Image, Photo, System: the image keys come before
// the photo keys. Two limits are below the option count, so "3200" and
// "30Min"/"60Min" are never matched when a profile is read; stored files
// written by the camera tools rely on that reading.
inline constexpr std::array<ProfileKey, kProfileKeyCount> kProfileKeyOrder = {{
    {keys::mode_1, 3},        {keys::mode_2, 3},          {keys::mode_3, 4},
    {keys::video_quality, 3}, {keys::fov, 3},             {keys::timelapse, 7},
    {keys::video_stamp, 4},   {keys::mic_vol, 7},         {keys::auto_rec, 2},
    {keys::loop_rec, 4},      {keys::rec_beep, 4},        {keys::image_meter, 3},
    {keys::image_iso, 6},     {keys::image_wb, 3},        {keys::image_ev, 13},
    {keys::image_sharpness, 5}, {keys::photo_quality, 3}, {keys::auto_shoot, 8},
    {keys::photo_stamp, 4},   {keys::photo_burst, 5},     {keys::sync_clock, 0},
    {keys::image_rotate, 2},  {keys::tvmode, 2},          {keys::lightfreq, 2},
    {keys::auto_shutdown, 4}, {keys::datefmt, 3},         {keys::osd, 2},
    {keys::op_beep, 2},       {keys::format, 2},
}};

inline constexpr bool IsSyncClock(SettingsKeyRef ref) {
    return ref.section == keys::sync_clock.section && ref.key == keys::sync_clock.key;
}

}  // namespace quillmar
