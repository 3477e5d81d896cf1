#pragma once
// The order in which a profile's keys are written, and the number of options
// each key's stored text is compared with when it is read back.

#include "settings/settings_selection.h"

#include <array>

namespace quillmar {

struct ProfileKey {
    SettingsKeyRef key;
    int lookup_limit;  // 0 for sync_clock, which is stored as "TRUE"/"FALSE"
};

inline constexpr int kProfileKeyCount = 29;

// Pages in order Mode, Video, Image, Photo, System: the image keys come before
// the photo keys. Two limits are below the option count, so "3200" and
// "30Min"/"60Min" are never matched when a profile is read; stored files
// written by the camera tools rely on that reading.
inline constexpr std::array<ProfileKey, kProfileKeyCount> kProfileKeyOrder = {{
    {keys::kMode1, 3},        {keys::kMode2, 3},       {keys::kMode3, 4},      {keys::kVideoQuality, 3},
    {keys::kFov, 3},          {keys::kTimelapse, 7},   {keys::kVideoStamp, 4}, {keys::kMicVol, 7},
    {keys::kAutoRec, 2},      {keys::kLoopRec, 4},     {keys::kRecBeep, 4},    {keys::kImageMeter, 3},
    {keys::kImageIso, 6},     {keys::kImageWb, 3},     {keys::kImageEv, 13},   {keys::kImageSharpness, 5},
    {keys::kPhotoQuality, 3}, {keys::kAutoShoot, 8},   {keys::kPhotoStamp, 4}, {keys::kPhotoBurst, 5},
    {keys::kSyncClock, 0},    {keys::kImageRotate, 2}, {keys::kTvmode, 2},     {keys::kLightfreq, 2},
    {keys::kAutoShutdown, 4}, {keys::kDatefmt, 3},     {keys::kOsd, 2},        {keys::kOpBeep, 2},
    {keys::kFormat, 2},
}};

inline constexpr bool IsSyncClock(SettingsKeyRef ref) {
    return ref.section == keys::kSyncClock.section && ref.key == keys::kSyncClock.key;
}

}  // namespace quillmar
