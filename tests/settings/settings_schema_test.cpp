#include "settings/settings_selection.h"

#include <gtest/gtest.h>

namespace quillmar {

namespace {

static_assert(kBurstLock == 1 && kShootLock == 2);

TEST(FindOptionIndex, ExactCaseSensitiveWithinTheLimitElseZero) {
    const struct {
        SettingsKeyRef ref;
        const char16_t* text;
        int limit, expected;
    } cases[] = {
        {keys::kTimelapse, u"Off", 7, 0},        {keys::kTimelapse, u"off", 7, 0},
        {keys::kTimelapse, u"60s", 7, 6},        {keys::kAutoShutdown, u"3min", 4, 0},
        {keys::kAutoShutdown, u"3Min", 4, 1},    {keys::kAutoShutdown, u"60Min", 4, 0},
        {keys::kImageIso, u"3200", 7, 6},        {keys::kImageIso, u"3200", 6, 0},
        {keys::kImageIso, u"1600", 100, 5},      {keys::kFov, u"normal", 3, 1},
        {keys::kVideoQuality, u"normal", 3, 2},  {keys::kVideoQuality, u" normal", 3, 0},
        {keys::kVideoStamp, u"Date&Time", 4, 3}, {keys::kOsd, u"ON", 2, 0},
        {keys::kImageEv, u"0", 13, 0},           {keys::kImageEv, u"+2.0", 13, 12},
        {keys::kSyncClock, u"TRUE", 2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindOptionIndex(c.ref.section, c.ref.key, QStringView(c.text), c.limit), c.expected)
            << KeyName(c.ref.section, c.ref.key).toStdString() << "=" << QString::fromUtf16(c.text).toStdString();
    // sync_clock has no option list: a clamped index must not point into one.
    EXPECT_EQ(ClampOptionIndex(kSystemSection, keys::kSyncClock.key, 5), 0);
}

}  // namespace

}  // namespace quillmar
