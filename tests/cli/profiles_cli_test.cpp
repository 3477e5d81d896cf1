// quillmar-cli profiles / save / print --profile against real files.

#include "profiles/profile_files.h"
#include "support/child_process.h"
#include "support/cli_runner.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace profile_test;
using test_support::CliRun;
using test_support::RunCli;

// A profile file written by hand: comments, an unknown section, a profile
// missing keys, odd spellings, an other-case "Basic" and a long name.
const QByteArray kHandWritten =
    "; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=ON\nsync_clock=true\n"
    "; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n[profile-abcdefghijklmnopqrst]\nmode_3=8M\n"
    "[profile-default]\nmode_3=12M\n";

class ProfilesCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/cfg.ini");
    CliRun Run(const QStringList& args) const { return RunCli(args, dir.path()); }
};

TEST_F(ProfilesCliTest, FreshDirectory) {
    const CliRun profiles = Run({"profiles"});
    EXPECT_EQ(profiles.exitCode, 0);
    EXPECT_EQ(profiles.out, QByteArray("default\n"));
    const CliRun print = Run({"print"});
    EXPECT_EQ(print.out.size(), 462) << "without a profile file print keeps the defaults, clock off";
    EXPECT_FALSE(QFile::exists(path)) << "looking creates nothing";

    ASSERT_EQ(Run({"save", "--profile", "default"}).exitCode, 0);
    EXPECT_EQ(ReadAll(path), kFirstUseFile);
    const CliRun withFile = Run({"print"});
    EXPECT_TRUE(withFile.out.startsWith(print.out)) << "the first profile, now with its clock line";
    EXPECT_TRUE(withFile.out.contains("\r\nsync_clock="));
}

TEST_F(ProfilesCliTest, ReadsHandWrittenFilesAsTheProgramDoes) {
    ASSERT_TRUE(WriteRaw(path, kHandWritten));
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("night\notes\n\nabcdefghijklmnop\ndefault\n"));

    const CliRun first = Run({"print"});
    for (const char* line : {"\r\nmode_3=5M\r\n", "\r\nosd=off\r\n", "\r\nlightfreq=50Hz\r\n", "\r\nmode_1=2304x1296p 30\r\n"})
        EXPECT_TRUE(first.out.contains(line)) << line;
    EXPECT_TRUE(first.out.contains("\r\nsync_clock="));

    const CliRun chosen = Run({"print", "--profile", "abcdefghijklmnopqrst", "--set", "osd=on", "--no-sync-clock"});
    EXPECT_EQ(chosen.exitCode, 0) << chosen.err.toStdString();
    EXPECT_TRUE(chosen.out.contains("\r\nmode_3=8M\r\n"));
    EXPECT_TRUE(chosen.out.contains("\r\nosd=on\r\n"));
    EXPECT_FALSE(chosen.out.contains("sync_clock"));
    EXPECT_EQ(ReadAll(path), kHandWritten);
}

TEST_F(ProfilesCliTest, SaveKeepsValuesAndHandWrittenLines) {
    ASSERT_TRUE(WriteRaw(path, kHandWritten));
    ASSERT_EQ(Run({"save", "--profile", "night", "--set", "lightfreq=60Hz", "--no-sync-clock"}).exitCode, 0);
    ASSERT_EQ(Run({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exitCode, 0);

    QByteArray defaults = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    defaults.replace("\r\n", "\n");
    QByteArray night = defaults;
    night.replace("mode_1=1920x1080p 60", "mode_1=2304x1296p 30").replace("mic_vol=80%", "mic_vol=mute");
    night.replace("image_meter=center", "image_meter=spot").replace("image_ev=0.0", "image_ev=-2.0");
    night.replace("image_sharpness=3", "image_sharpness=1").replace("auto_shoot=3s", "auto_shoot=off");
    night.replace("auto_shutdown=3Min", "auto_shutdown=off").replace("op_beep=on", "op_beep=off");
    for (const char* kept : {"mode_3=16M\n", "osd=on\n", "sync_clock=TRUE\n"}) night.replace(kept, "");
    QByteArray fresh = defaults;
    fresh.replace("tvmode=ntsc", "tvmode=pal");

    QByteArray expected = kHandWritten;
    expected.replace("mode_3=5M\nosd=ON\nsync_clock=true\n", "mode_3=5M\nosd=off\nsync_clock=FALSE\n" + night);
    expected += "[profile-Fresh]\n" + fresh;
    EXPECT_EQ(QString::fromUtf8(ReadAll(path)).toStdString(), QString::fromUtf8(expected).toStdString());
    EXPECT_EQ(Run({"profiles"}).out, QByteArray("night\notes\n\nabcdefghijklmnop\ndefault\nFresh\n"));
}

TEST_F(ProfilesCliTest, RefusalsAndFailures) {
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/folder.ini")));
    const struct {
        QStringList args;
        int exitCode;
        const char* mentions;
    } cases[] = {
        {{"print", "--profile", "nope"}, 2, "\"nope\""},
        {{"write", "--card", ".", "--profile", "nope"}, 2, "\"nope\""},
        {{"save"}, 2, "--profile"},
        {{"save", "--profile", "x", "--set", "colour=red"}, 2, "\"colour\""},
        {{"print", "--sync-clock", "--no-sync-clock"}, 2, "--no-sync-clock"},
        {{"profiles", "--config", "folder.ini"}, 1, "Is a directory"},
        {{"print", "--config", "folder.ini"}, 1, "Is a directory"},
        {{"save", "--profile", "x", "--config", "folder.ini"}, 1, "Is a directory"},
        {{"profiles", "--config", "missing/cfg.ini"}, 0, ""},
        {{"save", "--profile", "x", "--config", "missing/cfg.ini"}, 1, "No such file or directory"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.mentions)) << what << ": " << run.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"folder.ini"}) << what;
    }
}

TEST_F(ProfilesCliTest, FullDiskKeepsTheOldFile) {
    ASSERT_TRUE(WriteRaw(path, kFirstUseFile));
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.setChildProcessModifier([] { test_support::LimitFileSize(100); });
    p.start(QStringLiteral(QUILLMAR_CLI_PATH), {"save", "--profile", "new"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("File too large"));
    EXPECT_EQ(ReadAll(path), kFirstUseFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cfg.ini"});
}

}  // namespace
