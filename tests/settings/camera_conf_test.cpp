#include "settings/camera_conf.h"

#include "support/scratch_files.h"
#include "support/test_system.h"

namespace quillmar {

namespace {

const char kDefaultFile[] =
    "enable_cfg=true\r\nmode_1=1920x1080p 60\r\nmode_2=1280x720p 120\r\nmode_3=16M\r\nvideo_quality=sfine\r\n"
    "fov=wide\r\ntimelapse=off\r\nvideo_stamp=off\r\nmic_vol=80%\r\nauto_rec=off\r\nloop_rec=off\r\nrec_beep=off\r\n"
    "image_meter=center\r\nimage_iso=auto\r\nimage_wb=auto\r\nimage_ev=0.0\r\nimage_sharpness=3\r\n"
    "photo_quality=sfine\r\nphoto_stamp=off\r\nauto_shoot=3s\r\nphoto_burst=off\r\nimage_rotate=normal\r\n"
    "tvmode=ntsc\r\nlightfreq=60Hz\r\nauto_shutdown=3Min\r\ndatefmt=ymd\r\nosd=on\r\nop_beep=on\r\nformat=false\r\n";
static_assert(sizeof kDefaultFile == 462 + 1);

TEST(BuildCameraConfText, DefaultsGiveThe29LinesAndTheClockLineIsLocalTime) {
    EXPECT_EQ(BuildCameraConfText(SettingsSelection::Defaults(0), 0), kDefaultFile);
    const std::time_t t = 1741338245;  // 2025-03-07 09:04:05 UTC
    for (const auto& [tz, clock] : {std::pair{"UTC0", "2025-03-07 09:04:05"},
                                    {"JST-9", "2025-03-07 18:04:05"},
                                    {"EST5", "2025-03-07 04:04:05"}}) {
        test_support::SetTimeZone(tz);
        EXPECT_EQ(BuildCameraConfText(SettingsSelection::Defaults(1), t),
                  kDefaultFile + std::string("sync_clock=") + clock + "\r\n");
    }
    test_support::SetTimeZone("");
}

TEST(BuildCameraConfText, LockRuleAndClampingDecideTheWrittenOptions) {
    using Indexes = std::vector<std::pair<SettingsKeyRef, int>>;
    const std::tuple<uint8_t, Indexes, std::vector<const char*>> cases[] = {
        {kBurstLock, {{keys::kAutoShoot, 3}, {keys::kPhotoBurst, 2}}, {"auto_shoot=off", "photo_burst=5p"}},
        {kShootLock, {{keys::kAutoShoot, 3}, {keys::kPhotoBurst, 2}}, {"auto_shoot=3s", "photo_burst=off"}},
        {0, {{keys::kAutoShoot, 3}, {keys::kPhotoBurst, 2}}, {"auto_shoot=off", "photo_burst=5p"}},
        {kBurstLock, {{keys::kAutoShoot, 4}, {keys::kPhotoBurst, 0}}, {"auto_shoot=5s", "photo_burst=off"}},
        {kShootLock, {{keys::kAutoShoot, 0}, {keys::kPhotoBurst, 4}}, {"auto_shoot=off", "photo_burst=20p"}},
        {kBurstLock, {{keys::kAutoShoot, 0}, {keys::kPhotoBurst, 0}}, {"auto_shoot=off", "photo_burst=off"}},
        // The fourth white-balance choice, a group with nothing selected, an index past the list.
        {0,
         {{keys::kImageWb, 3}, {keys::kImageIso, -1}, {keys::kImageEv, 99}},
         {"image_wb=incencas", "image_iso=auto", "image_ev=+2.0"}},
    };
    for (const auto& [flags, indexes, lines] : cases) {
        SettingsSelection s = SettingsSelection::Defaults();
        s.photo_lock_flags = flags;
        for (const auto& [key, index] : indexes) s.At(key) = index;
        const std::string text = BuildCameraConfText(s, 0);
        for (const char* line : lines)
            EXPECT_NE(text.find("\r\n" + std::string(line) + "\r\n"), std::string::npos) << text;
    }
}

TEST(WriteCameraConf, LongestText491BytesAnd523WithTheClockIsWrittenWholeIntoTheWorkingDirectory) {
    SettingsSelection s;
    for (int section = 0; section < kSectionCount; ++section)
        for (int key = 0; key < KeyCount(section); ++key)
            for (int i = 0; i < OptionCount(section, key); ++i)
                if (OptionText(section, key, i).size() > OptionText(section, key, s.At(section, key)).size())
                    s.At(section, key) = i;
    EXPECT_EQ(BuildCameraConfText(s, 0).size(), 491);
    s.clock_sync = 1;
    const std::string text = BuildCameraConfText(s, 0);

    const test_support::ScratchFolder dir;
    ASSERT_TRUE(test_support::WriteBytes(dir.Path() / "camera.conf", std::string(4096, 'x')));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const WriteOutcome outcome = WriteCameraConf(std::string(), text);  // empty root: the working directory
    std::filesystem::current_path(previous);
    ASSERT_TRUE(outcome) << outcome.error;
    EXPECT_EQ(test_support::ReadBytes(dir.Path() / "camera.conf"), text);
    EXPECT_EQ(text.size(), 523);
    EXPECT_EQ(test_support::FolderNames(dir.Path()), std::vector<std::string>{"camera.conf"});
}

}  // namespace

}  // namespace quillmar
