// The card actions of quillmar-cli: read, save --from-card, eject,
// write --eject and write --all-cards, run as the built program.

#include "support/cli_runner.h"
#include "support/test_files.h"
#include "support/tmpfs_mount.h"
#include "support/udisks_standin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace quillmar {

namespace {

using namespace test_support;

const QString kDrive = "/org/freedesktop/UDisks2/drives/Card_Reader";
const QString kSdb1 = "/org/freedesktop/UDisks2/block_devices/sdb1";
const QString kSdb2 = "/org/freedesktop/UDisks2/block_devices/sdb2";

QProcessEnvironment WithSystemBus(const QString& address) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return env.insert("DBUS_SYSTEM_BUS_ADDRESS", address), env;
}

// --all-cards writes to the machine's own removable drives too; a test must
// not touch those.
bool MachineHasRemovableDrives(const QString& workDir) {
    const auto listed = RunCli({"cards", "--json"}, workDir);
    return listed.exit_code != 0 || !QJsonDocument::fromJson(listed.out).array().isEmpty();
}

TEST(CliRead, GivesBackWhatWriteWroteAndCarriesItToProfiles) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a");
    ASSERT_TRUE(QDir().mkpath(a));
    const QStringList write{"write", "--no-sync-clock",    "--set", "mode_3=5M", "--set", "image_iso=3200",
                            "--set", "auto_shutdown=60Min"};  // the last two past what a profile reads back
    ASSERT_EQ(RunCli(write + QStringList{"--card", a}, dir.path()).exit_code, 0);
    const QByteArray written = ReadAll(a + "/camera.conf");
    ASSERT_TRUE(WriteRaw(a + "/camera.conf", written + "colour=red\r\n"));
    const auto json = RunCli({"read", "--card", a, "--json"}, dir.path());
    const QJsonObject read = QJsonDocument::fromJson(json.out).object();
    const QJsonObject settings = read["settings"].toObject();
    EXPECT_EQ(QStringList({read["root"].toString(), read["sync_clock"].toVariant().toString(),
                           read["enable_cfg"].toVariant().toString(), QString::number(settings.size()),
                           settings["mode_3"].toString(), settings["image_wb"].toString()}),
              QStringList({a + "/", "false", "true", "28", "5M", "auto"}));
    EXPECT_EQ(read["not_understood"],
              (QJsonArray{QJsonObject{{"line", 30}, {"text", "colour=red"}, {"reason", "unknown key"}}}));
    const auto plain = RunCli({"read", "--card", a}, dir.path());  // what is understood, with LF line ends
    EXPECT_TRUE(plain.out == QByteArray(written).replace("\r\n", "\n") && plain.exit_code == 0 &&
                plain.err.contains("1 line(s)") && plain.err.contains("line 30: colour=red (unknown key)"))
        << plain.err.toStdString();

    // Stored as a profile (as write --from-card takes it, too), saving names
    // the two a profile cannot read back.
    const auto save = RunCli({"save", "--profile", "fromcard", "--from-card", a}, dir.path());
    ASSERT_EQ(save.exit_code, 0) << save.err.toStdString();
    EXPECT_TRUE(save.err.contains("warning: image_iso=3200 is stored, but a profile is read back as image_iso=auto") &&
                save.err.contains("auto_shutdown=60Min"))
        << save.err.toStdString();
    EXPECT_TRUE(ReadAll(dir.filePath("cfg.ini")).contains("\r\nmode_3=5M\r\n"));
}

// One card reader with two partitions mounted at a and b.
QJsonObject ReaderWithTwoPartitions(const QString& a, const QString& b) {
    return {{kSdb1, BlockObject("/dev/sdb1", kDrive, {a})},
            {kSdb2, BlockObject("/dev/sdb2", kDrive, {b})},
            {kDrive, DriveObject(true, true, true)}};
}

// Each outcome the command line tells apart (every way an eject goes is
// checked on the core), three times: "eject", "write --eject", and "write
// --all-cards --eject" whose line is `line` (when failing, starts with it).
// Then a refused write ejects nothing, and of four cards (a and b the two
// partitions of one drive, ejected once; c a folder UDisks2 does not know;
// d a read-only tmpfs) every card is written that can be and the rest reported.
TEST(CliCardActions, EjectExitsZeroOnlyWhenUnmountedAndAllCardsReportsEachCard) {
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b"), c = dir.filePath("c"), d = dir.filePath("d");
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b) && QDir().mkpath(c) && QDir().mkpath(d));
    const QProcessEnvironment env = WithSystemBus(bus.Address());
    const bool allCards = !MachineHasRemovableDrives(dir.path());
    const QString noUi = " auth.no_user_interaction=true";
    const QStringList unmounted{"Unmount " + kSdb1 + noUi, "Unmount " + kSdb2 + noUi},
        ejected = unmounted + QStringList{"PowerOff " + kDrive + noUi};
    const QString busy = QString("Unmounted %1; %2 is busy: close the files and windows that use it, then eject %2.");
    const struct {
        QString failing;    // "<object> <method>" the stand-in answers with UDisks2's error `error`
        const char* error;  // also the error's text
        int exit_code;
        QString mention;  // on stderr when failing, else stdout
        QStringList calls;
        const char* line;
    } cases[] = {
        {"", "", 0, "Ejected", ejected, "ejected"},
        {kSdb2 + " Unmount", "DeviceBusy", 1, busy.arg(a, b), unmounted, "not ejected: "},
        {kDrive + " PowerOff", "Failed", 0, "Unmounted", ejected, "unmounted (not powered off: Failed)"},
    };
    const QStringList forms[] = {
        {"eject", "--card", a}, {"write", "--card", a, "--eject"}, {"write", "--all-cards", "--card", a, "--eject"}};
    for (const auto& k : cases) {
        for (const QStringList& form : forms) {
            const bool all = form.contains("--all-cards");
            if (all && !allCards) continue;
            const QJsonArray error{QString("org.freedesktop.UDisks2.Error.") + k.error, k.error};
            UdisksStandIn udisks(bus.Address(), ReaderWithTwoPartitions(a, b),
                                 k.failing.isEmpty() ? QJsonObject{} : QJsonObject{{k.failing, error}});
            ASSERT_TRUE(udisks.Ready()) << k.line;
            const auto run = RunCli(form, dir.path(), env);
            const std::string what = k.line + (": " + form.join(' ').toStdString());
            EXPECT_EQ(run.exit_code, k.exit_code) << what << ": " << run.err.toStdString();
            const QByteArray line = run.out.split('\n').value(0),
                             expected = QFile::encodeName(a) + "/: written, " + k.line;
            EXPECT_TRUE(all ? (k.exit_code == 0 ? line == expected : line.startsWith(expected))
                            : (k.exit_code == 0 ? run.out : run.err).contains(k.mention.toUtf8()))
                << what << ": " << run.out.toStdString() << run.err.toStdString();
            EXPECT_EQ((run.out + run.err).contains("can be pulled"), k.exit_code == 0 && !all) << what;
            EXPECT_EQ(udisks.Calls(), k.calls) << what;
        }
    }

    UdisksStandIn udisks(bus.Address(), ReaderWithTwoPartitions(a, b));
    ASSERT_TRUE(udisks.Ready());
    EXPECT_EQ(RunCli({"write", "--card", a, "--eject", "--set", "fov=far"}, dir.path(), env).exit_code, 2);
    EXPECT_EQ(udisks.Calls(), QStringList{});
    ScopedTmpfs readOnly(d, "ro,size=1m");
    if (!readOnly.Mounted()) GTEST_SKIP() << "cannot mount tmpfs here (needs root)";
    if (!allCards) GTEST_SKIP() << "this machine has removable drives of its own";
    const auto run = RunCli({"write", "--all-cards", "--card", a, "--card", b, "--card", c, "--card", d, "--eject",
                             "--set", "osd=off", "--set", "format=true", "--yes-format"},
                            dir.path(), env);
    EXPECT_TRUE(run.exit_code == 1 && run.err.contains("2 of 4 cards failed")) << run.err.toStdString();
    EXPECT_TRUE(ReadAll(c + "/camera.conf").contains("\r\nosd=off\r\n") &&
                ReadAll(a + "/camera.conf").contains("\r\nformat=true\r\n"));
    EXPECT_EQ(Entries(d), QStringList{});
    const QString at = QRegularExpression::escape(dir.path()),
                  erased = "; the camera will erase this card when it next starts\n";
    const QRegularExpression report(
        "^" + at + "/a/: written, ejected" + erased + at + "/b/: written, ejected with its drive" + erased + at +
        "/c/: written, not ejected: .*" + erased + at + "/d/: not written: .*Read-only file system.*\n$");
    EXPECT_TRUE(report.match(QString::fromUtf8(run.out)).hasMatch()) << run.out.toStdString();
    EXPECT_EQ(udisks.Calls().size(), 3);
}

}  // namespace

}  // namespace quillmar
