#include "settings/camera_conf_reader.h"

#include "settings/camera_conf.h"

#include <gtest/gtest.h>

#include <random>

namespace quillmar {

namespace {

using Reason = CameraConfSkippedLine::Reason;

std::string Shown(const CameraConfContents& c) {
    std::string text = c.Text();
    for (const CameraConfSkippedLine& s : c.skipped)
        text += "skip " + std::to_string(s.line) + " [" + s.text + "] " + SkippedReasonText(s.reason) + "\n";
    return text;
}

// Each file as the camera would take it: what is understood, in order, and
// what is skipped with its line number.
TEST(FindOptionIndex, ExactCaseSensitiveWithinTheLimitElseZero) {
    const struct {
        SettingsKeyRef ref;
        const char* text;
        int limit, expected;
    } cases[] = {
        // Exact matches of every option are read back in camera_conf_reader_test.cpp.
        {keys::kTimelapse, "Off", 7, 0}, {keys::kAutoShutdown, "3min", 4, 0}, {keys::kAutoShutdown, "60Min", 4, 0},
        {keys::kImageIso, "3200", 6, 0}, {keys::kImageIso, "1600", 100, 5},   {keys::kVideoQuality, " normal", 3, 0},
        {keys::kOsd, "ON", 2, 0},        {keys::kImageEv, "0", 13, 0},        {keys::kSyncClock, "TRUE", 2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindOptionIndex(c.ref.section, c.ref.key, c.text, c.limit), c.expected)
            << KeyName(c.ref.section, c.ref.key) << "=" << c.text;
    // sync_clock has no option list: a clamped index must not point into one.
    EXPECT_EQ(ClampOptionIndex(kSystemSection, keys::kSyncClock.key, 5), 0);
}

TEST(ParseCameraConf, MatchesKeysAndValuesExactlyAndCountsTheRest) {
    using namespace std::string_view_literals;
    const struct {
        const char* what;
        std::string_view bytes, shown;
    } cases[] = {
        {"CR LF", "enable_cfg=true\r\nfov=normal\r\n", "enable_cfg=true\nfov=normal\n"},
        {"LF, no final line end", "fov=normal\nvideo_quality=normal", "fov=normal\nvideo_quality=normal\n"},
        {"whole option list, no profile limit", "image_iso=3200\r\n", "image_iso=3200\n"},
        {"case matters", "timelapse=Off\r\nauto_shutdown=3min\r\nFOV=wide\r\n",
         "skip 1 [timelapse=Off] unknown value\nskip 2 [auto_shutdown=3min] unknown value\n"
         "skip 3 [FOV=wide] unknown key\n"},
        {"blanks are not trimmed", "fov= wide\r\n fov=wide\r\nfov =wide\r\n",
         "skip 1 [fov= wide] unknown value\nskip 2 [ fov=wide] unknown key\nskip 3 [fov =wide] unknown key\n"},
        {"no equals sign, blank line, lone CR", "garbage\r\n\r\nfov=wide\rmode_3=5M\r\n",
         "skip 1 [garbage] not key=value\nskip 2 [] not key=value\nskip 3 [fov=wide\rmode_3=5M] unknown value\n"},
        {"a second equals sign belongs to the value", "mode_3=5M=\r\n", "skip 1 [mode_3=5M=] unknown value\n"},
        {"a zero byte belongs to the value", "fov=wide\0x\r\n"sv, "skip 1 [fov=wide\0x] unknown value\n"sv},
        {"enable_cfg values", "enable_cfg=false\r\nenable_cfg=yes\r\n",
         "enable_cfg=false\nskip 2 [enable_cfg=yes] unknown value\n"},
        {"clock line as written", "mode_3=8M\r\nsync_clock=2025-03-07 09:04:05\r\nosd=off\r\n",
         "mode_3=8M\nsync_clock=2025-03-07 09:04:05\nosd=off\n"},
        {"clock lines that are no time",
         "sync_clock=2025-3-7 9:4:5\r\nsync_clock=2025-02-30 10:00:00\r\nsync_clock=\r\n",
         "skip 1 [sync_clock=2025-3-7 9:4:5] unknown value\nskip 2 [sync_clock=2025-02-30 10:00:00] unknown value\n"
         "skip 3 [sync_clock=] unknown value\n"},
        {"a repeated key: the later wins, in the earlier place", "osd=off\r\nfov=wide\r\nosd=on\r\n",
         "osd=on\nfov=wide\nskip 1 [osd=off] replaced by a later line\n"},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(ParseCameraConf(c.bytes)), c.shown) << c.what;
}

// What the writer makes, the reader gives back: writing the loaded selection
// again reproduces the file byte for byte, clock line and locks included, and
// each option text stands for its own key's index ("normal" in fov, video_quality
// and image_rotate).
TEST(ParseCameraConf, ReadingWhatWasWrittenAndWritingItAgainGivesTheSameBytes) {
    std::mt19937 random(20251207);
    for (int round = 0; round < 500; ++round) {
        SettingsSelection written;
        for (int s = 0; s < kSectionCount; ++s)
            for (int k = 0; k < KeyCount(s); ++k)
                if (OptionCount(s, k) > 0) written.At(s, k) = static_cast<int>(random() % OptionCount(s, k));
        written.clock_sync = static_cast<int>(random() % 2);
        written.photo_lock_flags = static_cast<uint8_t>(random() % 3);
        const std::string text = BuildCameraConfText(written, 1741338245);
        const CameraConfContents read = ParseCameraConf(text);
        ASSERT_TRUE(read.skipped.empty()) << text;
        ASSERT_EQ(read.settings.size(), 28);

        // Start from a selection far from the card's: every key comes from the file.
        SettingsSelection loaded = SettingsSelection::Defaults(1 - written.clock_sync);
        loaded.photo_lock_flags = kBurstLock;
        read.ApplyTo(loaded);
        EXPECT_EQ(BuildCameraConfText(loaded, 1741338245), text) << "round " << round;
    }
}

TEST(CameraConfContents, KeysTheFileLacksKeepTheirValuesAndTheClockFollowsTheFile) {
    SettingsSelection s = SettingsSelection::Defaults(1);
    s.At(keys::kMode3) = 2;
    ParseCameraConf("enable_cfg=true\r\nosd=off\r\n").ApplyTo(s);
    EXPECT_TRUE(s.At(keys::kMode3) == 2 && s.At(keys::kOsd) == 0 && s.clock_sync == 0);
    ParseCameraConf("sync_clock=2025-03-07 09:04:05\n").ApplyTo(s);
    EXPECT_EQ(s.clock_sync, 1);
    // Burst and auto-shoot lines count as choices in file order.
    ParseCameraConf("photo_burst=3p\nauto_shoot=5s\n").ApplyTo(s);
    EXPECT_TRUE(s.At(keys::kPhotoBurst) == 0 && s.At(keys::kAutoShoot) == 4);
    ParseCameraConf("photo_burst=10p\n").ApplyTo(s);
    EXPECT_TRUE(s.At(keys::kPhotoBurst) == 3 && s.At(keys::kAutoShoot) == 0);
}

}  // namespace

}  // namespace quillmar
