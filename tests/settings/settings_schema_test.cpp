#include "settings/settings_selection.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Every key with its options joined by "|" and its default index, written
// out independently of the tables in the source.
struct KeyRow {
    SettingsKeyRef ref;
    const char* name;
    const char* options;
    int defaultIndex;
};

const KeyRow kRows[] = {
    {keys::mode_1, "mode_1", "2304x1296p 30|1920x1080p 60|1920x1080p 30", 1},
    {keys::mode_2, "mode_2", "1280x720p 120|1280x720p 60|1280x720p 30", 0},
    {keys::mode_3, "mode_3", "16M|12M|8M|5M", 0},
    {keys::video_quality, "video_quality", "sfine|fine|normal", 0},
    {keys::fov, "fov", "wide|normal|narrow", 0},
    {keys::timelapse, "timelapse", "off|1s|2s|5s|10s|30s|60s", 0},
    {keys::video_stamp, "video_stamp", "off|time|date|Date&Time", 0},
    {keys::mic_vol, "mic_vol", "mute|50%|60%|70%|80%|90%|100%", 4},
    {keys::auto_rec, "auto_rec", "off|on", 0},
    {keys::loop_rec, "loop_rec", "off|2min|3min|5min", 0},
    {keys::rec_beep, "rec_beep", "off|5min|10min|15min", 0},
    {keys::photo_quality, "photo_quality", "sfine|fine|normal", 0},
    {keys::auto_shoot, "auto_shoot", "off|1s|2s|3s|5s|10s|30s|60s", 3},
    {keys::photo_stamp, "photo_stamp", "off|time|date|Date&Time", 0},
    {keys::photo_burst, "photo_burst", "off|3p|5p|10p|20p", 0},
    {keys::image_meter, "image_meter", "spot|multi|center", 2},
    {keys::image_iso, "image_iso", "auto|100|200|400|800|1600|3200", 0},
    {keys::image_wb, "image_wb", "auto|cloudy|incencas", 0},
    {keys::image_ev, "image_ev", "-2.0|-1.7|-1.3|-1.0|-0.7|-0.3|0.0|+0.3|+0.7|+1.0|+1.3|+1.7|+2.0", 6},
    {keys::image_sharpness, "image_sharpness", "1|2|3|4|5", 2},
    {keys::image_rotate, "image_rotate", "normal|rotate", 0},
    {keys::tvmode, "tvmode", "ntsc|pal", 0},
    {keys::lightfreq, "lightfreq", "50Hz|60Hz", 1},
    {keys::auto_shutdown, "auto_shutdown", "off|3Min|5Min|10Min|30Min|60Min", 1},
    {keys::datefmt, "datefmt", "ymd|mdy|dmy", 0},
    {keys::osd, "osd", "off|on", 1},
    {keys::op_beep, "op_beep", "off|on", 1},
    {keys::format, "format", "false|true", 0},
};

class SchemaKeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(SchemaKeyTest, NameOptionsAndDefaultAreExact) {
    const KeyRow& row = GetParam();
    EXPECT_EQ(KeyName(row.ref.section, row.ref.key), QString::fromLatin1(row.name));
    QStringList texts;
    for (int i = 0; i < OptionCount(row.ref.section, row.ref.key); ++i)
        texts << OptionText(row.ref.section, row.ref.key, i);
    EXPECT_EQ(texts.join(u'|'), QString::fromLatin1(row.options));
    EXPECT_EQ(DefaultOptionIndex(row.ref.section, row.ref.key), row.defaultIndex);

    int flagged = 0;
    const SettingsKey& key = SettingsSchema[row.ref.section].keys[row.ref.key];
    for (int i = 0; i < key.optionCount; ++i) flagged += key.options[i].isDefault;
    EXPECT_EQ(flagged, 1) << "exactly one default option";
}

INSTANTIATE_TEST_SUITE_P(AllKeys, SchemaKeyTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SchemaShape, SectionsKeysAndSyncClock) {
    const char* names[] = {"mode", "video", "photo", "image", "system"};
    const int counts[] = {3, 8, 4, 5, 9};
    for (int s = 0; s < kSectionCount; ++s) {
        EXPECT_EQ(QString::fromUtf16(SettingsSchema[s].name), QString::fromLatin1(names[s]));
        EXPECT_EQ(KeyCount(s), counts[s]);
    }
    EXPECT_EQ(KeyName(kSystemSection, 0), QStringLiteral("sync_clock"));
    EXPECT_EQ(OptionCount(kSystemSection, 0), 0);
    EXPECT_EQ(SettingsSchema[kSystemSection].keys[0].options, nullptr);
    EXPECT_EQ(std::size(kRows), 28u);
}

TEST(SchemaValues, OptionValuesFollowTheirTable) {
    auto values = [](SettingsKeyRef r) {
        QList<int> v;
        const SettingsKey& k = SettingsSchema[r.section].keys[r.key];
        for (int i = 0; i < k.optionCount; ++i) v << k.options[i].value;
        return v;
    };
    EXPECT_EQ(values(keys::fov), (QList<int>{0, 0, 0}));
    EXPECT_EQ(values(keys::loop_rec), (QList<int>{0, 1, 1, 1}));
    EXPECT_EQ(values(keys::rec_beep), (QList<int>{0, 1, 1, 1}));
    EXPECT_EQ(values(keys::auto_shoot), QList<int>(8, 0));
    EXPECT_EQ(values(keys::image_ev).last(), 12);
    EXPECT_EQ(values(keys::auto_shutdown), (QList<int>{0, 1, 2, 3, 4, 5}));
}

struct FindCase {
    SettingsKeyRef ref;
    const char* text;
    int limit;
    int expected;
};

class FindOptionIndexTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindOptionIndexTest, ExactCaseSensitiveAndLimited) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindOptionIndex(c.ref.section, c.ref.key, QString::fromLatin1(c.text), c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindOptionIndexTest,
    ::testing::Values(FindCase{keys::timelapse, "Off", 7, 0}, FindCase{keys::timelapse, "off", 7, 0},
                      FindCase{keys::timelapse, "60s", 7, 6}, FindCase{keys::auto_shutdown, "3min", 4, 0},
                      FindCase{keys::auto_shutdown, "3Min", 4, 1}, FindCase{keys::auto_shutdown, "60Min", 4, 0},
                      FindCase{keys::image_iso, "3200", 7, 6}, FindCase{keys::image_iso, "3200", 6, 0},
                      FindCase{keys::image_iso, "1600", 100, 5}, FindCase{keys::fov, "normal", 3, 1},
                      FindCase{keys::video_quality, "normal", 3, 2}, FindCase{keys::video_quality, " normal", 3, 0},
                      FindCase{keys::video_stamp, "Date&Time", 4, 3}, FindCase{keys::osd, "ON", 2, 0},
                      FindCase{keys::image_ev, "0", 13, 0}, FindCase{keys::image_ev, "+2.0", 13, 12}));

TEST(SettingsSelectionTest, NewSelectionIsAllZeroAndDefaultsFollowTheSchema) {
    const SettingsSelection fresh;
    EXPECT_EQ(fresh.at(keys::mode_1), 0);
    EXPECT_EQ(fresh.clock_sync, 0);
    EXPECT_EQ(fresh.photo_lock_flags, 0);

    const SettingsSelection d = SettingsSelection::Defaults(1);
    for (const KeyRow& row : kRows) EXPECT_EQ(d.at(row.ref), row.defaultIndex) << row.name;
    EXPECT_EQ(d.clock_sync, 1);
    EXPECT_EQ(int(burst_lock), 1);
    EXPECT_EQ(int(shoot_lock), 2);
}

TEST(ClampOptionIndexTest, OutOfRangeGoesToTheNearestOption) {
    EXPECT_EQ(ClampOptionIndex(kImageSection, keys::image_wb.key, 3), 2);
    EXPECT_EQ(ClampOptionIndex(kImageSection, keys::image_wb.key, -1), 0);
    EXPECT_EQ(ClampOptionIndex(kImageSection, keys::image_wb.key, 1), 1);
    EXPECT_EQ(ClampOptionIndex(kImageSection, keys::image_ev.key, 1000), 12);
    EXPECT_EQ(ClampOptionIndex(kSystemSection, 0, 5), 0);
}

}  // namespace
