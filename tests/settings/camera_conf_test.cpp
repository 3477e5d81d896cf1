#include "settings/camera_conf.h"

#include "support/scratch_files.h"

#include <cstdlib>

#ifdef _WIN32
#define setenv(name, value, overwrite) _putenv_s(name, value)
#define unsetenv(name) _putenv_s(name, "")
#endif

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
        setenv("TZ", tz, 1);
        tzset();
        EXPECT_EQ(BuildCameraConfText(SettingsSelection::Defaults(1), t),
                  kDefaultFile + std::string("sync_clock=") + clock + "\r\n");
    }
    unsetenv("TZ");
    tzset();
}

// Of burst and auto-shoot only the locked group is written; an index outside
// its list (none selected, past the end) is written as the nearest option.
TEST(BuildCameraConfText, LockRuleAndClampingDecideTheWrittenOptions) {
    const struct {
        uint8_t flags;
        int shoot, burst;
        const char* lines;
    } cases[] = {
        {kBurstLock, 3, 2, "auto_shoot=off\r\nphoto_burst=5p"},
        {kShootLock, 3, 2, "auto_shoot=3s\r\nphoto_burst=off"},
        {0, 3, 2, "auto_shoot=off\r\nphoto_burst=5p"},
        {kBurstLock, 4, 0, "auto_shoot=5s\r\nphoto_burst=off"},
        {kShootLock, 0, 4, "auto_shoot=off\r\nphoto_burst=20p"},
        {kBurstLock, 0, 0, "auto_shoot=off\r\nphoto_burst=off"},
    };
    for (const auto& c : cases) {
        SettingsSelection s = SettingsSelection::Defaults();
        s.photo_lock_flags = c.flags;
        s.At(keys::kAutoShoot) = c.shoot, s.At(keys::kPhotoBurst) = c.burst;
        EXPECT_NE(BuildCameraConfText(s, 0).find(std::string("\r\n") + c.lines + "\r\n"), std::string::npos) << c.lines;
    }
    SettingsSelection s = SettingsSelection::Defaults();
    s.At(keys::kImageIso) = -1, s.At(keys::kImageEv) = 99, s.At(keys::kImageWb) = 3;  // the fourth choice
    EXPECT_NE(BuildCameraConfText(s, 0).find("\r\nimage_iso=auto\r\nimage_wb=incencas\r\nimage_ev=+2.0\r\n"),
              std::string::npos);
}

TEST(WriteCameraConf, LongestText523BytesWithTheClockIsWrittenWholeIntoTheWorkingDirectory) {
    SettingsSelection s;
    for (int section = 0; section < kSectionCount; ++section)
        for (int key = 0; key < KeyCount(section); ++key)
            for (int i = 0; i < OptionCount(section, key); ++i)
                if (OptionText(section, key, i).size() > OptionText(section, key, s.At(section, key)).size())
                    s.At(section, key) = i;
    s.clock_sync = 1;
    const std::string text = BuildCameraConfText(s, 0);

    const test_support::ScratchFolder dir;
    ASSERT_TRUE(test_support::WriteBytes(dir.path / "camera.conf", std::string(4096, 'x')));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    const WriteOutcome outcome = WriteCameraConf(std::string(), text);  // empty root: the working directory
    std::filesystem::current_path(previous);
    ASSERT_TRUE(outcome) << outcome.error;
    EXPECT_EQ(test_support::ReadBytes(dir.path / "camera.conf"), text);
    EXPECT_EQ(text.size(), 523);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1) << "a temporary was left";
}

}  // namespace

}  // namespace quillmar
