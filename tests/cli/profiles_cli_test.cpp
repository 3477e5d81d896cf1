// quillmar-cli profiles / save / delete / print --profile against real files.

#include "profiles/profile_files.h"
#include "support/cli_runner.h"

namespace {

using namespace profile_test;

// Written by hand: comments, a profile missing keys, odd spellings, an
// unknown section, an other-case "Basic" and a long name.
TEST(ProfilesCli, ListsPrintsSavesAndDeletesHandWrittenProfiles) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    const auto Run = [&](const QStringList& args) { return test_support::RunCli(args, dir.path()); };
    ASSERT_TRUE(WriteRaw(path, "; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=ON\n"
                               "sync_clock=true\n; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n"
                               "[profile-abcdefghijklmnopqrst]\nmode_3=8M\n[profile-default]\nmode_3=12M\n"));
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("night\notes\n\nabcdefghijklmnop\ndefault\n"));
    const QByteArray first = Run({"print"}).out;
    EXPECT_TRUE(first.contains("\r\nmode_3=5M\r\n") && first.contains("\r\nosd=off\r\n") &&
                first.contains("\r\nlightfreq=50Hz\r\n") && first.contains("\r\nsync_clock="));
    const QByteArray chosen =
        Run({"print", "--profile", "abcdefghijklmnopqrst", "--set", "osd=on", "--no-sync-clock"}).out;
    EXPECT_TRUE(chosen.contains("\r\nmode_3=8M\r\n") && chosen.contains("\r\nosd=on\r\n"));
    EXPECT_FALSE(chosen.contains("sync_clock"));

    ASSERT_EQ(Run({"save", "--profile", "night", "--set", "lightfreq=60Hz", "--no-sync-clock"}).exitCode, 0);
    ASSERT_EQ(Run({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exitCode, 0);
    ASSERT_EQ(Run({"save", "--profile", "abcdefghijklmnopqrst", "--set", "mode_3=16M"}).exitCode, 0);  // in place
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.startsWith("; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=off\n"
                                 "sync_clock=FALSE\nmode_1=2304x1296p 30\nmode_2="));
    EXPECT_TRUE(saved.contains("\nlightfreq=60Hz\nauto_shutdown=off\ndatefmt=ymd\nop_beep=off\nformat=false\n"
                               "; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n"
                               "[profile-abcdefghijklmnopqrst]\nmode_3=16M\n"));
    QByteArray fresh = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    EXPECT_TRUE(saved.endsWith("[profile-default]\nmode_3=12M\n[profile-Fresh]\n" +
                               fresh.replace("\r\n", "\n").replace("tvmode=ntsc", "tvmode=pal")));

    ASSERT_EQ(Run({"delete", "--profile", "night"}).exitCode, 0);
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("otes\n\nabcdefghijklmnop\ndefault\nFresh\n"));
    EXPECT_EQ(ReadAll(path), "; my profiles\n[basic]\nlast_cfg=default\n" + saved.mid(saved.indexOf("[camera notes]")));
}

}  // namespace
