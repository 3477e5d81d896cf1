// quillmar-cli profiles / save / delete / print --profile against real files.

#include "profiles/profile_files.h"
#include "support/cli_runner.h"

#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace profile_test;

// Written by hand: comments, a profile missing keys, odd spellings, an
// unknown section, an other-case "Basic" and a long name.
TEST(ProfilesCli, ListsPrintsSavesAndDeletesHandWrittenProfiles) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    const auto run = [&](const QStringList& args) { return test_support::RunCli(args, dir.path()); };
    ASSERT_TRUE(WriteRaw(path,
                         "; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=ON\n"
                         "sync_clock=true\n; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n"
                         "[profile-abcdefghijklmnopqrst]\nmode_3=8M\n[profile-default]\nmode_3=12M\n"));
    EXPECT_EQ(run({"profiles"}).out, QByteArray("night\notes\n\nabcdefghijklmnopqrst\ndefault\n"));
    const QByteArray first = run({"print"}).out;
    EXPECT_TRUE(first.contains("\r\nmode_3=5M\r\n") && first.contains("\r\nosd=off\r\n") &&
                first.contains("\r\nlightfreq=50Hz\r\n") && first.contains("\r\nsync_clock="));
    const QByteArray chosen =
        run({"print", "--profile", "abcdefghijklmnopqrst", "--set", "osd=on", "--no-sync-clock"}).out;
    EXPECT_TRUE(chosen.contains("\r\nmode_3=8M\r\n") && chosen.contains("\r\nosd=on\r\n"));
    EXPECT_FALSE(chosen.contains("sync_clock"));

    ASSERT_EQ(run({"save", "--profile", "night", "--set", "lightfreq=60Hz", "--no-sync-clock"}).exit_code, 0);
    ASSERT_EQ(run({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exit_code, 0);
    ASSERT_EQ(run({"save", "--profile", "abcdefghijklmnopqrst", "--set", "mode_3=16M"}).exit_code, 0);  // in place
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(
        saved.startsWith("; my profiles\n[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nosd=off\n"
                         "sync_clock=FALSE\nmode_1=2304x1296p 30\nmode_2="));
    EXPECT_TRUE(
        saved.contains("\nlightfreq=60Hz\nauto_shutdown=off\ndatefmt=ymd\nop_beep=off\nformat=false\n"
                       "; night ends here\n\n[camera notes]\nlens=wide\n[Basic]\n"
                       "[profile-abcdefghijklmnopqrst]\nmode_3=16M\n"));
    QByteArray fresh = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    EXPECT_TRUE(saved.endsWith("[profile-default]\nmode_3=12M\n[profile-Fresh]\n" +
                               fresh.replace("\r\n", "\n").replace("tvmode=ntsc", "tvmode=pal")));

    ASSERT_EQ(run({"delete", "--profile", "night"}).exit_code, 0);
    EXPECT_EQ(run({"profiles"}).out, QByteArray("otes\n\nabcdefghijklmnopqrst\ndefault\nFresh\n"));
    EXPECT_EQ(ReadAll(path), "; my profiles\n[basic]\nlast_cfg=default\n" + saved.mid(saved.indexOf("[camera notes]")));
}

// Several quillmar-cli processes at once on one cfg.ini: each saves its own
// profile (with its own mic_vol) while one deletes "victim". Every save and
// the delete must survive. QUILLMAR_RACE_ROUNDS raises the number of rounds
// for a longer run by hand.
struct RaceCount {
    int lost_saves = 0;
    int undone_deletes = 0;
    int failed_runs = 0;
};

RaceCount RaceRounds(int writers, bool withDelete, int rounds) {
    RaceCount count;
    const char* const micVol[] = {"mute", "50%", "60%", "70%"};
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/cfg.ini";
        QByteArray victim = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
        victim.replace("profile-default", "profile-victim");
        if (!WriteRaw(path, kFirstUseFile + victim)) return {-1, -1, -1};
        std::vector<std::unique_ptr<QProcess>> runs;
        const auto start = [&](const QStringList& args) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->setWorkingDirectory(dir.path());
            runs.back()->start(QStringLiteral(QUILLMAR_CLI_PATH), args);
        };
        for (int w = 0; w < writers; ++w)
            start({"save", "--profile", QStringLiteral("p%1").arg(w), "--set", QStringLiteral("mic_vol=") + micVol[w]});
        if (withDelete) start({"delete", "--profile", "victim"});
        for (auto& run : runs)
            count.failed_runs +=
                !run->waitForFinished(30000) || run->exitStatus() != QProcess::NormalExit || run->exitCode() != 0;
        const QByteArray file = ReadAll(path);
        for (int w = 0; w < writers; ++w) {
            const QByteArray section = "[profile-p" + QByteArray::number(w) + "]";
            const qsizetype at = file.indexOf(section);
            count.lost_saves += at < 0 || !file.mid(at).contains(QByteArray("mic_vol=") + micVol[w]);
        }
        count.undone_deletes += withDelete && file.contains("[profile-victim]");
    }
    return count;
}

int RaceRoundsWanted() {
    const int asked = qEnvironmentVariableIntValue("QUILLMAR_RACE_ROUNDS");
    return asked > 0 ? asked : 5;
}

TEST(ProfilesCli, ConcurrentSavesAndADeleteAllKeepTheirChange) {
    const int rounds = RaceRoundsWanted();
    for (const auto& [writers, withDelete] : {std::pair{4, false}, {3, true}}) {
        const RaceCount count = RaceRounds(writers, withDelete, rounds);
        std::printf("%d writers%s, %d rounds: %d saves lost, %d deletes undone, %d runs failed\n", writers,
                    withDelete ? " and a delete" : "", rounds, count.lost_saves, count.undone_deletes,
                    count.failed_runs);
        EXPECT_EQ(count.lost_saves, 0) << writers;
        EXPECT_EQ(count.undone_deletes, 0) << writers;
        EXPECT_EQ(count.failed_runs, 0) << writers;
    }
}

// A FIFO at the profile file's path: every command answers at once with a
// clear message and exit 1, and the FIFO stays (RunCli gives up after 30 s,
// so a hang fails too). The other odd kinds are refused by the same reader,
// checked in tests/platform/ini_file_test.cpp.
TEST(ProfilesCli, AnOddProfileFileIsRefusedByEveryCommand) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    for (const QStringList& args : {QStringList{"print"},
                                    {"profiles"},
                                    {"save", "--profile", "x"},
                                    {"delete", "--profile", "default"},
                                    {"write", "--card", "."},
                                    {"print", "--profile", "default", "--config", path}}) {
        const auto run = test_support::RunCli(args, dir.path());
        const std::string what = args.join(u' ').toStdString();
        EXPECT_EQ(run.exit_code, 1) << what;
        EXPECT_TRUE(run.err.contains("FIFO") && run.err.contains(QFile::encodeName(path)))
            << what << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
    }
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_EQ(test_support::Entries(dir.path()), QStringList{"cfg.ini"});
}

TEST(ProfilesCli, ASymlinkedProfileFileIsSavedWhereItPoints) {
    QTemporaryDir work, dotfiles;
    const QString target = dotfiles.path() + "/cfg.ini";
    ASSERT_TRUE(WriteRaw(target, kFirstUseFile) && QFile::link(target, work.path() + "/cfg.ini"));
    ASSERT_EQ(test_support::RunCli({"save", "--profile", "default", "--set", "osd=off"}, work.path()).exit_code, 0);
    EXPECT_TRUE(QFileInfo(work.path() + "/cfg.ini").isSymLink());
    EXPECT_EQ(ReadAll(target), QByteArray(kFirstUseFile).replace("osd=on", "osd=off"));
}

// A file whose last profile was deleted, and no file at all: the default
// profile the program would create is the one --profile default names, and
// print gives the same with and without --profile and --config.
TEST(ProfilesCli, TheInMemoryDefaultProfileIsPrintedAndNeverDeleted) {
    for (const QByteArray& file : {QByteArray(), QByteArray("[basic]\r\nlast_cfg=default\r\n")}) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/cfg.ini";
        ASSERT_TRUE(file.isNull() || WriteRaw(path, file));
        const auto run = [&](const QStringList& args) { return test_support::RunCli(args, dir.path()); };
        const auto plain = run({"print", "--no-sync-clock"});
        ASSERT_EQ(plain.exit_code, 0);
        EXPECT_TRUE(plain.out.contains("\r\nmode_3=16M\r\n") && plain.out.contains("\r\nlightfreq=60Hz\r\n"));
        for (const QStringList& args : {QStringList{"print", "--profile", "default", "--no-sync-clock"},
                                        {"print", "--profile", "DEFAULT", "--config", path, "--no-sync-clock"}})
            EXPECT_EQ(run(args).out, plain.out) << args.join(u' ').toStdString();
        // The clock box as the file gives it, with or without --config.
        EXPECT_EQ(run({"print"}).out.contains("sync_clock="),
                  run({"print", "--config", path}).out.contains("sync_clock="));
        EXPECT_EQ(run({"print", "--profile", "other"}).exit_code, 2);

        const auto gone = run({"delete", "--profile", "default"});
        EXPECT_EQ(gone.exit_code, 1);
        EXPECT_TRUE(gone.err.contains("nothing was deleted")) << gone.err.toStdString();
        EXPECT_EQ(run({"profiles"}).out, "default\n");
        EXPECT_EQ(ReadAll(path), file.isNull() ? QByteArray("<unreadable>") : file);
        EXPECT_EQ(test_support::Entries(dir.path()), file.isNull() ? QStringList{} : QStringList{"cfg.ini"});
    }
}

// Runs quillmar-cli with arguments given as raw bytes, which QProcess cannot.
test_support::CliRun RunCliBytes(const QString& dir, const QByteArray& shellArgs) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start("/bin/sh", {"-c", QString::fromLatin1("exec \"$0\" " + shellArgs), QStringLiteral(QUILLMAR_CLI_PATH)});
    test_support::CliRun run;
    if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit) run.exit_code = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

TEST(ProfilesCli, HostileNamesAndArgumentsNeitherStoreNorPrintBadText) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    ASSERT_TRUE(WriteRaw(path, kFirstUseFile + "[profile-red\x1b[31m]\r\n[profile-tab\tbel\aend]\r\n"));
    EXPECT_EQ(test_support::RunCli({"profiles"}, dir.path()).out, "default\nred\\x1b[31m\ntab\\tbel\\x07end\n");

    // Not UTF-8: refused, not stored as U+FFFD.
    const auto invalid = RunCliBytes(dir.path(), "save --profile \"$(printf 'caf\\351')\"");
    EXPECT_EQ(invalid.exit_code, 2);
    EXPECT_TRUE(invalid.err.contains("UTF-8")) << invalid.err.toStdString();

    const QString huge(100 * 1024, u'x');
    for (const QStringList& args : {QStringList{"save", "--profile", "p", "--set", huge},
                                    {"print", "--set", "osd=" + huge},
                                    {"print", "--profile", huge},
                                    {"print", "--" + huge},
                                    {huge}}) {
        const auto run = test_support::RunCli(args, dir.path());
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(run.err.size() < 2000 && run.err.contains("xxxxxxxxxx")) << run.err.left(300).toStdString();
    }
    EXPECT_EQ(ReadAll(path), kFirstUseFile + "[profile-red\x1b[31m]\r\n[profile-tab\tbel\aend]\r\n");
}

// Options past a key's lookup limit are stored as asked, with a warning that
// they will read back as the key's first option; others give no warning.
TEST(ProfilesCli, OptionsAProfileCannotReadBackAreStoredWithAWarning) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    const auto warned = test_support::RunCli(
        {"save", "--profile", "night", "--set", "image_iso=3200", "--set", "auto_shutdown=60Min"}, dir.path());
    EXPECT_EQ(warned.exit_code, 0);
    EXPECT_TRUE(warned.err.contains("image_iso=3200") && warned.err.contains("image_iso=auto") &&
                warned.err.contains("auto_shutdown=off"))
        << warned.err.toStdString();
    EXPECT_TRUE(ReadAll(path).contains("image_iso=3200\r\n") && ReadAll(path).contains("auto_shutdown=60Min\r\n"));
    const auto quiet = test_support::RunCli({"save", "--profile", "night", "--set", "image_iso=1600"}, dir.path());
    EXPECT_TRUE(quiet.exit_code == 0 && quiet.err.isEmpty()) << quiet.err.toStdString();
}

}  // namespace

}  // namespace quillmar
