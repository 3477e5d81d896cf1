#include "settings/settings_selection.h"

#include <gtest/gtest.h>

namespace quillmar {

namespace {

static_assert(kBurstLock == 1 && kShootLock == 2);

TEST(FindOptionIndex, ExactCaseSensitiveWithinTheLimitElseZero) {
    const struct {
        SettingsKeyRef ref;
        const char* text;
        int limit, expected;
    } cases[] = {
        {keys::kTimelapse, "Off", 7, 0},        {keys::kTimelapse, "off", 7, 0},
        {keys::kTimelapse, "60s", 7, 6},        {keys::kAutoShutdown, "3min", 4, 0},
        {keys::kAutoShutdown, "3Min", 4, 1},    {keys::kAutoShutdown, "60Min", 4, 0},
        {keys::kImageIso, "3200", 7, 6},        {keys::kImageIso, "3200", 6, 0},
        {keys::kImageIso, "1600", 100, 5},      {keys::kFov, "normal", 3, 1},
        {keys::kVideoQuality, "normal", 3, 2},  {keys::kVideoQuality, " normal", 3, 0},
        {keys::kVideoStamp, "Date&Time", 4, 3}, {keys::kOsd, "ON", 2, 0},
        {keys::kImageEv, "0", 13, 0},           {keys::kImageEv, "+2.0", 13, 12},
        {keys::kSyncClock, "TRUE", 2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindOptionIndex(c.ref.section, c.ref.key, c.text, c.limit), c.expected)
            << KeyName(c.ref.section, c.ref.key) << "=" << c.text;
    // sync_clock has no option list: a clamped index must not point into one.
    EXPECT_EQ(ClampOptionIndex(kSystemSection, keys::kSyncClock.key, 5), 0);
}

}  // namespace

}  // namespace quillmar
