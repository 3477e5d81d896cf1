// What only the command line does: parsing, exit codes, refusals and the
// output forms of print, write, profiles, save, delete and cards.

#include "cli/cli_arguments.h"
#include "cli/cli_invocation.h"
#include "settings/camera_conf.h"

#include "profiles/profile_files.h"
#include "support/cli_runner.h"
#include "support/test_files.h"
#include "support/tmpfs_mount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace test_support;
const QByteArray kFirstUseFile = QByteArray::fromStdString(profile_test::kFirstUseFile);

// One path through each command but the card actions: options before and
// after the command word; of burst and auto-shoot the one set last stays on;
// format=true with --yes-format; a first save; then hand-written profiles.
TEST(CliCommands, GiveTheCoreBytesWithOptionsAnywhereAndKeepHandWrittenProfiles) {
    QTemporaryDir dir;  // no cfg.ini: the defaults, clock off, and looking creates nothing
    const QString path = dir.path() + "/cfg.ini";
    const auto cli = [&](const QStringList& args) { return RunCli(args, dir.path()); };
    const auto defaults = cli({"print"});
    EXPECT_TRUE(defaults.exit_code == 0 && defaults.err.isEmpty() &&
                defaults.out == QByteArray::fromStdString(BuildCameraConfText(SettingsSelection::Defaults(), 0)));
    EXPECT_EQ(cli({"profiles"}).out, QByteArray("default\n"));
    EXPECT_EQ(Entries(dir.path()), QStringList{});

    SettingsSelection s = SettingsSelection::Defaults();
    s.At(keys::kPhotoBurst) = 1, s.At(keys::kAutoShoot) = 0, s.At(keys::kFormat) = 1;
    const QString expected = QString::fromStdString(BuildCameraConfText(s, 0));
    const auto run = cli({"--sync-clock", "--set", "format=true", "print", "--set=photo_burst=3p"});
    const QRegularExpression withClock("^" + QRegularExpression::escape(expected) +
                                       "sync_clock=\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n$");
    EXPECT_TRUE(run.exit_code == 0 && withClock.match(QString::fromLatin1(run.out)).hasMatch())
        << run.out.toStdString();
    const QStringList write{"write", "--card", dir.path(), "--set", "photo_burst=3p", "--set", "format=true"};
    ASSERT_EQ(RunCli(write + QStringList{"--set", "auto_shoot=2s", "--yes-format"}).exit_code, 0);
    s.Choose(keys::kAutoShoot, 2);  // chosen last, auto-shoot turns the burst off
    EXPECT_EQ(ReadAll(dir.path() + "/camera.conf"), QByteArray::fromStdString(BuildCameraConfText(s, 0)));
    EXPECT_EQ(cli({"save", "--profile", "default"}).err, QByteArray());  // no warning

    // Hand-written profiles: listed, printed, saved and deleted. (How the
    // file's lines are kept is checked on the profile store.)
    ASSERT_TRUE(WriteRaw(path, "[profile-night]\nmode_3=5M\n[profile-red\x1b[31m]\n[profile-tab\tbel\aend]\n"));
    EXPECT_EQ(cli({"profiles"}).out, "night\nred\\x1b[31m\ntab\\tbel\\x07end\n");  // no control bytes printed
    const QByteArray night = cli({"print", "--profile", "night", "--set", "osd=off", "--no-sync-clock"}).out;
    EXPECT_TRUE(night.contains("\r\nmode_3=5M\r\n") && night.contains("\r\nosd=off\r\n") &&
                !night.contains("sync_clock"))
        << night.toStdString();

    ASSERT_EQ(cli({"save", "--profile", "night", "--set", "lightfreq=50Hz"}).exit_code, 0);
    ASSERT_EQ(cli({"save", "--profile", "Fresh", "--set", "tvmode=pal"}).exit_code, 0);
    ASSERT_EQ(cli({"delete", "--profile", "red\x1b[31m"}).exit_code, 0);
    EXPECT_EQ(cli({"profiles"}).out, "night\ntab\\tbel\\x07end\nFresh\n");
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.startsWith("[profile-night]\nmode_3=5M\n") && saved.contains("\nlightfreq=50Hz\n"));
    QByteArray fresh = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    EXPECT_TRUE(saved.endsWith("[profile-Fresh]\n" + fresh.replace("\r\n", "\n").replace("tvmode=ntsc", "tvmode=pal")))
        << saved.toStdString();
}

// Every refusal and failure: the exit code, a message naming the problem
// (cut short when an argument is huge), nothing on standard output and
// nothing written.
TEST(CliRefusals, BadInputIsRefusedBeforeAnythingIsWritten) {
    QTemporaryDir dir;
    const QByteArray cfg = "[profile-abcdefghijklmnopqrst]\n", noProfiles = "[basic]\r\nlast_cfg=default\r\n";
    ASSERT_TRUE(WriteRaw(dir.filePath("cfg.ini"), cfg) && WriteRaw(dir.filePath("basic.ini"), noProfiles) &&
                QDir(dir.path()).mkpath("folder.ini") && QDir(dir.path()).mkpath("empty") &&
                QDir(dir.path()).mkpath("big") && QDir(dir.path()).mkpath("odd") &&
                WriteRaw(dir.filePath("big/camera.conf"), QByteArray(4097, 'x')) &&
                ::mkfifo(QFile::encodeName(dir.filePath("odd/camera.conf")), 0600) == 0);
    const QStringList before = Entries(dir.path());
    const QString huge(100 * 1024, u'x');
    const struct {
        QStringList args;
        int exit_code;
        const char* mentions[2];
    } cases[] = {
        {{"write", "--card", ".", "--set", "colour=red"}, 2, {"\"colour\"", "mode_1"}},
        {{"write", "--card", ".", "--set", "timelapse=Off"}, 2, {"\"Off\"", "\"60s\""}},
        {{"write", "--card", ".", "--set", "format=true"}, 2, {"erase", "--yes-format"}},
        {{"save", "--profile", ""}, 2, {"needs a name", ""}},
        {{"save", "--profile", "abcdefghijklmnopq"}, 2, {"at most 16 characters", ""}},
        {{"print", "--profile", "nope"}, 2, {"\"nope\"", ""}},
        {{"save", "--profile", "abcdefghijklmnop"}, 2, {"already used", ""}},  // the shown name of a longer one
        {{"print", "--config", "folder.ini"}, 1, {"Is a directory", "folder.ini"}},
        {{"save", "--profile", "x", "--config", "missing/cfg.ini"}, 1, {"No such file or directory", ""}},
        {{"delete", "--profile", "default", "--config", "basic.ini"}, 1, {"nothing was deleted", ""}},  // in memory
        {{"write", "--card", "gone"}, 1, {"\"gone\"", "No such file or directory"}},
        {{"write", "--card", ""}, 2, {"--card", ""}},  // not the root folder, not the working one
        {{"read", "--card", "empty"}, 1, {"no camera.conf", ""}},
        {{"save", "--profile", "x", "--from-card", "empty"}, 1, {"no camera.conf", ""}},
        {{"read", "--card", "odd"}, 1, {"not a regular file", ""}},
        {{"read", "--card", "big"}, 1, {"larger than 4096 bytes", ""}},
        {{"read", "--card", "nowhere"}, 1, {"nowhere/\" is not a folder", ""}},
        {{"read", "--card", ""}, 2, {"--card", ""}},
        {{"eject", "--card", ""}, 2, {"--card", ""}},
        {{"write", "--all-cards", "--card", ""}, 2, {"--card", ""}},
        {{"print", "--colour"}, 2, {"\"--colour\"", "--help"}},
        {{"frobnicate"}, 2, {"frobnicate", ""}},
        {{"profiles", "--config", "cfg.ini", "--user-config"}, 2, {"--config and --user-config", ""}},
        {{"save", "--profile", "p", "--set", huge}, 2, {"xxxxxxxxxx", ""}},
        {{"print", "--" + huge}, 2, {"xxxxxxxxxx", ""}},
        {{huge}, 2, {"xxxxxxxxxx", ""}},
    };
    for (const auto& c : cases) {
        const auto run = RunCli(c.args, dir.path());
        const std::string what = c.args.join(u' ').left(80).toStdString();
        EXPECT_EQ(run.exit_code, c.exit_code) << what;
        for (const char* m : c.mentions) EXPECT_TRUE(run.err.contains(m)) << what << ": " << run.err.toStdString();
        EXPECT_LT(run.err.size(), 2000) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_EQ(Entries(dir.path()), before) << what;
        EXPECT_EQ(ReadAll(dir.filePath("cfg.ini")), cfg) << what;
    }
    EXPECT_EQ(ReadAll(dir.filePath("basic.ini")), noProfiles);
    const char* notUtf8[] = {"quillmar-cli", "save", "--profile", "caf\xe9"};
    EXPECT_NE(RefuseInvalidUtf8Arguments(4, notUtf8).find("UTF-8"), std::string::npos);
}

// Every command refuses each option it would ignore, and a second use of one
// it takes once, saying which options it takes.
TEST(CliRefusals, OptionsACommandDoesNotUseAreRefused) {
    const std::string printing = " --profile --from-card --set --sync-clock --no-sync-clock --config";
    // clang-format off
    const std::pair<std::string, std::string> commands[] = {
        {"print", printing}, {"write", printing + " --card --all-cards --eject --yes-format"}, {"save", printing},
        {"profiles", " --config"}, {"delete", " --profile --config"}, {"read", " --card --json"},
        {"eject", " --card"}, {"cards", " --json --explain --card"}};
    // clang-format on
    for (const auto& [command, takes] : commands) {
        for (const std::string word :
             {"--set=x", "--card=x", "--config=x", "--profile=x", "--from-card=x", "--json", "--sync-clock",
              "--no-sync-clock", "--all-cards", "--eject", "--yes-format", "--explain"}) {
            const std::string option = word.substr(0, word.find('='));
            const bool taken = (takes + ' ').find(' ' + option + ' ') != std::string::npos;
            if (taken && (option == "--set" || (command == "cards" && option == "--card"))) continue;
            const CliInvocation inv =
                ParseCliInvocation(taken ? std::vector{command, word, word} : std::vector{command, word});
            EXPECT_EQ(inv.action, CliInvocation::kRefused) << command << ' ' << word;
            EXPECT_NE(inv.error.find(takes.substr(takes.rfind(' ') + 1)), std::string::npos) << inv.error;
        }
    }
}

// Several quillmar-cli processes at once on one cfg.ini: each saves its own
// profile while one deletes "victim"; every change must survive.
// QUILLMAR_RACE_ROUNDS raises the number of rounds (5) for a longer run by hand.
TEST(ProfilesCli, ConcurrentSavesAndADeleteAllKeepTheirChange) {
    const char* const micVol[] = {"mute", "50%", "60%", "70%"};
    for (int round = 0; round < std::max(5, qEnvironmentVariableIntValue("QUILLMAR_RACE_ROUNDS")); ++round) {
        QTemporaryDir dir;
        QByteArray victim = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
        ASSERT_TRUE(WriteRaw(dir.path() + "/cfg.ini", kFirstUseFile + victim.replace("-default", "-victim")));
        QProcess runs[5];
        for (int w = 0; w <= 4; ++w) {
            runs[w].setWorkingDirectory(dir.path());
            runs[w].start(QUILLMAR_CLI_PATH, w == 4 ? QStringList{"delete", "--profile", "victim"}
                                                    : QStringList{"save", "--profile", QString("p%1").arg(w), "--set",
                                                                  QString("mic_vol=") + micVol[w]});
        }
        for (QProcess& run : runs)
            EXPECT_TRUE(run.waitForFinished(30000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0)
                << run.arguments().join(' ').toStdString() << run.readAllStandardError().toStdString();
        const QByteArray file = ReadAll(dir.path() + "/cfg.ini");
        for (int w = 0; w < 4; ++w) {
            const qsizetype at = file.indexOf("[profile-p" + QByteArray::number(w) + "]");
            EXPECT_TRUE(at >= 0 && file.mid(at).contains(QByteArray("mic_vol=") + micVol[w])) << round << ' ' << w;
        }
        EXPECT_FALSE(file.contains("[profile-victim]")) << round;
    }
}

// A 64 MB tmpfs holding a version.txt, given with --card as a relative path:
// its row after the drives in both forms; with --explain, the folder's row in
// JSON and the mount's in the table.
// (Every reason is checked on the rules in tests/platform/mounts_test.cpp.)
TEST(CliCards, AFolderIsARowAfterTheDrivesAndEveryMountIsExplained) {
    QTemporaryDir dir;
    const QString b = dir.path() + "/b";
    ASSERT_TRUE(QDir().mkpath(b));
    ScopedTmpfs tmpfs(b);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "mounting is not permitted here";
    ASSERT_TRUE(WriteRaw(b + "/version.txt", "V1.02\r\n"));

    // The last row of a JSON listing (the machine's own rows come first), b shown as "B".
    const auto lastRow = [&](const QStringList& args) {
        const auto run = RunCli(args, dir.path());
        EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
        const QJsonObject row = QJsonDocument::fromJson(run.out).array().last().toObject();
        return QString(QJsonDocument(row).toJson(QJsonDocument::Compact)).replace(b, "B");
    };
    EXPECT_EQ(lastRow({"cards", "--json", "--card", "b"}),
              R"j({"description":"63 MB/64 MB(0 G/0 G)","free_mb":63,"label":"","root":"B/","total_mb":64,)j"
              R"("version_text":"V1.02"})");
    EXPECT_EQ(lastRow({"cards", "--explain", "--json", "--card", b}),
              R"({"card":true,"code":"folder","folder":"B/","reason":"given with --card","source":"","type":""})");
    const auto table = RunCli({"cards", "--card", "b"}, dir.path());
    const QRegularExpression row("^Device +Label +Description +Version\n(.*\n)*" + QRegularExpression::escape(b) +
                                 "/ +63 MB/64 MB\\(0 G/0 G\\) +V1\\.02\n$");
    EXPECT_TRUE(table.exit_code == 0 && row.match(QString::fromUtf8(table.out)).hasMatch()) << table.out.toStdString();
    const auto lines = RunCli({"cards", "--explain"});
    const QRegularExpression line("^Folder .*\n(.*\n)*" + QRegularExpression::escape(b) +
                                  " +quillmar-test +tmpfs +no +tmpfs has no device behind it\n");
    EXPECT_TRUE(lines.exit_code == 0 && line.match(QString::fromUtf8(lines.out)).hasMatch()) << lines.out.toStdString();
}

// In a mount table of its own, /etc/fstab names a fixed card folder, tried
// without its volume: write must not put the file on the computer's disk.
// (Found with its volume, the folder is a card: mounts_test.cpp.)
TEST(CliWriteCard, AFixedMountPointWithoutItsCardIsRefused) {
    if (!QFile::exists("/etc/fstab")) GTEST_SKIP() << "no /etc/fstab to stand in for";
    if (QProcess::execute("unshare", {"--mount", "true"}) != 0) GTEST_SKIP() << "no mount namespaces here";
    QTemporaryDir dir;
    const QString card = dir.path() + "/sd card", fstab = dir.path() + "/fstab";
    ASSERT_TRUE(QDir().mkpath(card) && WriteRaw(fstab, "/dev/sdz1 " + QFile::encodeName(card).replace(" ", "\\040") +
                                                           " vfat noauto,user 0 0\n"));
    QProcess p;  // $1 fstab, $2 the tool, $3 the card folder
    p.start("unshare", {"--mount", "--propagation", "private", "sh", "-c",
                        R"(mount --bind "$1" /etc/fstab || exit 90; exec "$2" write --card "$3")", "sh", fstab,
                        QUILLMAR_CLI_PATH, card});
    p.waitForFinished(30000);
    const QByteArray err = p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QFile::encodeName(card)) && err.contains("mount")) << err.toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty() && Entries(card).isEmpty());
}

}  // namespace

}  // namespace quillmar
