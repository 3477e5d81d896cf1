#include "settings/camera_conf.h"

#include "profiles/profile_files.h"
#include "support/cli_runner.h"
#include "support/test_files.h"
#include "support/tmpfs_mount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStorageInfo>

namespace quillmar {

namespace {

using namespace test_support;

TEST(CliPrint, InAFreshFolderPrintWriteAndSaveGiveTheCoreBytesWithOptionsAnywhere) {
    QTemporaryDir dir;  // no cfg.ini: the schema's defaults, clock off, and looking creates nothing
    const auto defaults = RunCli({"print"}, dir.path());
    EXPECT_EQ(defaults.out, QByteArray::fromStdString(BuildCameraConfText(SettingsSelection::Defaults(), 0)));
    EXPECT_TRUE(defaults.exit_code == 0 && defaults.err.isEmpty()) << defaults.err.toStdString();
    EXPECT_EQ(RunCli({"profiles"}, dir.path()).out, QByteArray("default\n"));
    EXPECT_EQ(test_support::Entries(dir.path()), QStringList{});

    SettingsSelection s = SettingsSelection::Defaults();
    s.At(keys::kImageWb) = 1;
    s.At(keys::kMode3) = 3;
    s.At(keys::kPhotoBurst) = 1;  // a burst chosen last turns auto-shoot off
    s.At(keys::kAutoShoot) = 0;
    const QByteArray expected = QByteArray::fromStdString(BuildCameraConfText(s, 0));
    const QRegularExpression clockLine("^sync_clock=\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n$");
    const QStringList burst{"--set", "photo_burst=3p"};
    for (const QStringList& args :
         {QStringList{"print", "--set", "image_wb=cloudy", "--set=mode_3=5M", "--sync-clock"} + burst,
          QStringList{"--sync-clock", "--set", "image_wb=cloudy", "print", "--set", "mode_3=5M"} + burst}) {
        const auto run = RunCli(args, dir.path());
        ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(expected)) << run.out.toStdString();
        EXPECT_TRUE(clockLine.match(QString::fromLatin1(run.out.mid(expected.size()))).hasMatch());
    }
    s.At(keys::kFormat) = 1;
    ASSERT_EQ(RunCli(QStringList{"write", "--card", dir.path(), "--set", "image_wb=cloudy", "--set", "mode_3=5M",
                                 "--set", "format=true", "--yes-format"} +
                     burst)
                  .exit_code,
              0);
    EXPECT_EQ(ReadAll(dir.path() + "/camera.conf"), QByteArray::fromStdString(BuildCameraConfText(s, 0)));
    ASSERT_EQ(RunCli({"save", "--profile", "default"}, dir.path()).exit_code, 0);  // first use
    EXPECT_EQ(ReadAll(dir.path() + "/cfg.ini"), profile_test::kFirstUseFile);
}

// Every refusal and failure: the exit code, a message naming the problem,
// nothing on standard output and nothing written.
TEST(CliRefusals, BadInputIsRefusedBeforeAnythingIsWritten) {
    QTemporaryDir dir;
    const QByteArray cfg = "[profile-abcdefghijklmnopqrst]\n";
    ASSERT_TRUE(test_support::WriteRaw(dir.path() + "/cfg.ini", cfg) && QDir(dir.path()).mkdir("folder.ini"));
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
        {{"write", "--card", "gone"}, 1, {"\"gone\"", "No such file or directory"}},
        {{"write", "--card", ""}, 2, {"--card", ""}},  // not the root folder, not the working one
        {{"print", "--colour"}, 2, {"\"--colour\"", "--help"}},
        {{"frobnicate"}, 2, {"frobnicate", ""}},
    };
    for (const auto& c : cases) {
        const auto run = RunCli(c.args, dir.path());
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(run.exit_code, c.exit_code) << what;
        for (const char* m : c.mentions) EXPECT_TRUE(run.err.contains(m)) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_EQ(test_support::Entries(dir.path()), (QStringList{"cfg.ini", "folder.ini"})) << what;
        EXPECT_EQ(ReadAll(dir.path() + "/cfg.ini"), cfg) << what;
    }
}

// Every command refuses each option it would ignore, and a second use of one
// it takes once, saying which options it takes.
TEST(CliRefusals, OptionsACommandDoesNotUseAreRefused) {
    const QStringList withValue{"--set", "--card", "--config", "--profile", "--from-card"};
    const QStringList flags{"--sync-clock", "--no-sync-clock", "--all-cards", "--eject",
                            "--yes-format", "--json",          "--explain"};
    const QStringList printing{"--profile", "--from-card", "--set", "--sync-clock", "--no-sync-clock", "--config"};
    const std::pair<QString, QStringList> commands[] = {
        {"print", printing},
        {"write", printing + QStringList{"--card", "--all-cards", "--eject", "--yes-format"}},
        {"profiles", {"--config"}},
        {"save", printing},
        {"delete", {"--profile", "--config"}},
        {"cards", {"--json", "--explain", "--card"}},
        {"read", {"--card", "--json"}},
        {"eject", {"--card"}},
    };
    QTemporaryDir dir;
    for (const auto& [command, takes] : commands) {
        for (const QString& option : withValue + flags) {
            const bool repeatable = option == "--set" || (command == "cards" && option == "--card");
            if (takes.contains(option) && repeatable) continue;
            QStringList once{option};
            if (withValue.contains(option)) once << "x";
            const QStringList args = QStringList{command} + once + (takes.contains(option) ? once : QStringList());
            const auto run = RunCli(args, dir.path());
            EXPECT_EQ(run.exit_code, 2) << args.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains(takes.last().toLatin1())) << run.err.toStdString();
        }
    }
    EXPECT_EQ(test_support::Entries(dir.path()), QStringList{});
}

// Folder a holds a version.txt; folder b is a 64 MB tmpfs where mounting is allowed.
TEST(CliCards, FoldersAreRowsAfterTheDrivesWithTheirSpaceAndVersion) {
    QTemporaryDir dir;
    const QString a = dir.path() + "/a", b = dir.path() + "/b";
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b) && test_support::WriteRaw(a + "/version.txt", "V1.02\r\n"));
    test_support::ScopedTmpfs tmpfs(b);

    const auto run = RunCli({"cards", "--json", "--card", "a", "--card", b}, dir.path());
    ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    ASSERT_GE(rows.size(), 2) << run.out.toStdString();  // the machine's own cards may come first
    const QJsonObject ra = rows[rows.size() - 2].toObject(), rb = rows.last().toObject();
    EXPECT_EQ(ra["root"].toString() + '|' + ra["label"].toString() + '|' + ra["version_text"].toString(),
              a + "/||V1.02");  // the root made absolute, the line end not shown
    EXPECT_EQ(ra["total_mb"].toInteger(), QStorageInfo(a).bytesTotal() >> 20);
    if (tmpfs.Mounted()) {
        EXPECT_EQ(rb, (QJsonObject{{"root", b + "/"},
                                   {"label", ""},
                                   {"free_mb", 64},
                                   {"total_mb", 64},
                                   {"description", "64 MB/64 MB(0 G/0 G)"},
                                   {"version_text", "No infomation"}}));
    }

    const auto table = RunCli({"cards", "--card", a});
    EXPECT_TRUE(table.exit_code == 0 && table.out.startsWith("Device") && table.out.contains("  Label  ") &&
                table.out.contains(QFile::encodeName(a) + "/ "))
        << table.out.toStdString() << table.err.toStdString();
}

// Two tmpfs mounts on one folder: the explanation names both, the lower one
// hidden; a --card folder is a row of its own. (What is logged, and every
// reason, is checked on the rules in volume_decision_test.cpp.)
TEST(CliCards, ExplainGivesEveryMountItsReasonAndTheLogSaysTheSame) {
    QTemporaryDir dir;
    const QString over = dir.path() + "/over";
    ASSERT_TRUE(QDir().mkpath(over));
    test_support::ScopedTmpfs lower(over), upper(over);
    if (!lower.Mounted() || !upper.Mounted()) GTEST_SKIP() << "mounting is not permitted here";

    const auto run = RunCli({"cards", "--explain", "--json", "--card", dir.path()});
    ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    QStringList ours;
    for (const QJsonValue& row : rows) {
        const QJsonObject r = row.toObject();
        for (const char* key : {"folder", "source", "type", "code", "reason"})
            EXPECT_TRUE(r[key].isString()) << key << ' ' << run.out.toStdString();
        EXPECT_EQ(r["card"].toBool(), r["code"] == "card" || r["code"] == "folder");
        if (r["folder"].toString().startsWith(dir.path()))
            ours << r["folder"].toString() + '|' + r["type"].toString() + '|' + r["code"].toString() + '|' +
                        r["reason"].toString();
    }
    EXPECT_EQ(ours, (QStringList{over + "|tmpfs|hidden|hidden by a later mount on the same folder",
                                 over + "|tmpfs|pseudo|tmpfs has no device behind it",
                                 dir.path() + "/||folder|given with --card"}));

    const auto table = RunCli({"cards", "--explain"});
    EXPECT_TRUE(table.exit_code == 0 && table.out.startsWith("Folder") && table.err.isEmpty());
    const QRegularExpression line("\n" + QRegularExpression::escape(over) +
                                  " +quillmar-test +tmpfs +no +tmpfs has no device behind it\n");
    EXPECT_TRUE(line.match(QString::fromUtf8(table.out)).hasMatch()) << table.out.toStdString();
}

}  // namespace

}  // namespace quillmar
