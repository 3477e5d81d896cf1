#include "settings/settings_selection.h"

#include <gtest/gtest.h>

namespace quillmar {

namespace {

static_assert(burst_lock == 1 && shoot_lock == 2);

TEST(FindOptionIndex, ExactCaseSensitiveWithinTheLimitElseZero) {
    const struct { SettingsKeyRef ref; const char16_t* text; int limit, expected; } cases[] = {
        {keys::timelapse, u"Off", 7, 0}, {keys::timelapse, u"off", 7, 0}, {keys::timelapse, u"60s", 7, 6},
        {keys::auto_shutdown, u"3min", 4, 0}, {keys::auto_shutdown, u"3Min", 4, 1},
        {keys::auto_shutdown, u"60Min", 4, 0}, {keys::image_iso, u"3200", 7, 6}, {keys::image_iso, u"3200", 6, 0},
        {keys::image_iso, u"1600", 100, 5}, {keys::fov, u"normal", 3, 1}, {keys::video_quality, u"normal", 3, 2},
        {keys::video_quality, u" normal", 3, 0}, {keys::video_stamp, u"Date&Time", 4, 3}, {keys::osd, u"ON", 2, 0},
        {keys::image_ev, u"0", 13, 0}, {keys::image_ev, u"+2.0", 13, 12}, {keys::sync_clock, u"TRUE", 2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindOptionIndex(c.ref.section, c.ref.key, QStringView(c.text), c.limit), c.expected)
            << KeyName(c.ref.section, c.ref.key).toStdString() << "=" << QString::fromUtf16(c.text).toStdString();
    // sync_clock has no option list: a clamped index must not point into one.
    EXPECT_EQ(ClampOptionIndex(kSystemSection, keys::sync_clock.key, 5), 0);
}

}  // namespace

}  // namespace quillmar
