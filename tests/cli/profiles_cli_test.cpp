// quillmar-cli profiles / save / print --profile against real files.

#include "profiles/profile_files.h"
#include "support/cli_runner.h"

#include <QDir>

namespace {

using namespace profile_test;
using test_support::CliRun;

// Written by hand: comments, a profile missing keys, odd spellings, an
// unknown section, an other-case "Basic" and a long name.
const QByteArray kHandWritten =
    "; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=ON\nsync_clock=true\n"
    "; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n[profile-abcdefghijklmnopqrst]\nmode_3=8M\n"
    "[profile-default]\nmode_3=12M\n";

class ProfilesCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/cfg.ini");
    CliRun Run(const QStringList& args) const { return test_support::RunCli(args, dir.path()); }
};

TEST_F(ProfilesCliTest, FreshDirectory) {
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("default\n"));
    const CliRun print = Run({"print"});
    EXPECT_EQ(print.out.size(), 462) << "without a profile file: the defaults, clock off";
    EXPECT_FALSE(QFile::exists(path)) << "looking creates nothing";

    ASSERT_EQ(Run({"save", "--profile", "default"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path), kFirstUseFile);
    const CliRun withFile = Run({"print"});
    EXPECT_TRUE(withFile.out.startsWith(print.out) && withFile.out.contains("\r\nsync_clock="));
}

TEST_F(ProfilesCliTest, ReadsAndSavesHandWrittenFiles) {
    ASSERT_TRUE(WriteRaw(path, kHandWritten));
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("night\notes\n\nabcdefghijklmnop\ndefault\n"));
    const CliRun first = Run({"print"});
    for (const char* line : {"\r\nmode_3=5M\r\n", "\r\nosd=off\r\n", "\r\nlightfreq=50Hz\r\n", "\r\nsync_clock="})
        EXPECT_TRUE(first.out.contains(line)) << line;
    const CliRun chosen = Run({"print", "--profile", "abcdefghijklmnopqrst", "--set", "osd=on", "--no-sync-clock"});
    EXPECT_TRUE(chosen.out.contains("\r\nmode_3=8M\r\n") && chosen.out.contains("\r\nosd=on\r\n"));
    EXPECT_FALSE(chosen.out.contains("sync_clock"));

    ASSERT_EQ(Run({"save", "--profile", "night", "--set", "lightfreq=60Hz", "--no-sync-clock"}).exitCode, 0);
    ASSERT_EQ(Run({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exitCode, 0);
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.startsWith("; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=off\n"
                                 "sync_clock=FALSE\nmode_1=2304x1296p 30\nmode_2="));
    EXPECT_TRUE(saved.contains("\nlightfreq=60Hz\nauto_shutdown=off\ndatefmt=ymd\nop_beep=off\nformat=false\n"
                               "; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n"));
    QByteArray fresh = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    EXPECT_TRUE(saved.endsWith("[profile-default]\nmode_3=12M\n[profile-Fresh]\n" +
                               fresh.replace("\r\n", "\n").replace("tvmode=ntsc", "tvmode=pal")));
}

TEST_F(ProfilesCliTest, RefusalsAndFailures) {
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/folder.ini")));
    const struct {
        QStringList args;
        int exitCode;
        const char* mentions;
    } cases[] = {
        {{"print", "--profile", "nope"}, 2, "\"nope\""},
        {{"save", "--profile", "x", "--set", "colour=red"}, 2, "\"colour\""},
        {{"print", "--sync-clock", "--no-sync-clock"}, 2, "--no-sync-clock"},
        {{"print", "--config", "folder.ini"}, 1, "Is a directory"},
        {{"save", "--profile", "x", "--config", "missing/cfg.ini"}, 1, "No such file or directory"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.mentions)) << what << ": " << run.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"folder.ini"});
    }
}

TEST_F(ProfilesCliTest, NewNamesNeverOverwriteAnotherProfileAndDeleteRemovesOne) {
    ASSERT_TRUE(WriteRaw(path, kHandWritten));
    const QByteArray before = ReadAll(path);
    const struct {
        const char* name;
        const char* mentions;
    } refused[] = {
        {"abcdefghijklmnop", "already used"},  // the shown name of a longer section
        {"a[b", "\"[\""},
        {"tab\there", "control"},
        {"trailing ", "blank"},
    };
    for (const auto& c : refused) {
        const CliRun run = Run({"save", "--profile", QString::fromUtf8(c.name)});
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_TRUE(run.err.contains(c.mentions)) << c.name << ": " << run.err.toStdString();
    }
    EXPECT_EQ(ReadAll(path), before);

    // Saving an existing profile under its full name updates it in place.
    ASSERT_EQ(Run({"save", "--profile", "abcdefghijklmnopqrst", "--set", "mode_3=16M"}).exitCode, 0);
    EXPECT_TRUE(ReadAll(path).contains("[profile-abcdefghijklmnopqrst]\nmode_3=16M\n"));

    EXPECT_EQ(Run({"delete", "--profile", "nope"}).exitCode, 2);
    ASSERT_EQ(Run({"delete", "--profile", "night"}).exitCode, 0);
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("otes\n\nabcdefghijklmnop\ndefault\n"));
    EXPECT_TRUE(ReadAll(path).startsWith("; my profiles\n[basic]\nlast_cfg=default\n[camera notes]\n"));
}

}  // namespace
