// The card actions of quillmar-cli: read, save --from-card, eject,
// write --eject and write --all-cards, run as the built program.

#include "settings/camera_conf.h"

#include "support/cli_runner.h"
#include "support/test_files.h"
#include "support/tmpfs_mount.h"
#include "support/udisks_standin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

#include <sys/mount.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace test_support;

const QString kDrive = "/org/freedesktop/UDisks2/drives/Card_Reader";
const QString kSdb1 = "/org/freedesktop/UDisks2/block_devices/sdb1";
const QString kSdb2 = "/org/freedesktop/UDisks2/block_devices/sdb2";

QProcessEnvironment WithSystemBus(const QString& address) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", address);
    return env;
}

// --all-cards writes to the machine's own removable drives too; a test must
// not touch those.
bool MachineHasRemovableDrives(const QString& workDir) {
    const auto listed = RunCli({"cards", "--json"}, workDir);
    return listed.exit_code != 0 || !QJsonDocument::fromJson(listed.out).array().isEmpty();
}

// Ten settings away from their defaults, the clock off.
const QStringList kTenSettings = {
    "--set", "mode_1=2304x1296p 30", "--set", "mode_3=5M",          "--set", "fov=narrow",    "--set", "timelapse=60s",
    "--set", "mic_vol=mute",         "--set", "image_iso=3200",     "--set", "image_ev=-1.7", "--set", "auto_shoot=off",
    "--set", "photo_burst=20p",      "--set", "auto_shutdown=60Min"};

TEST(CliRead, GivesBackWhatWriteWroteAndCarriesItToProfilesAndOtherCards) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b");
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b));
    ASSERT_EQ(RunCli(QStringList{"write", "--card", a} + kTenSettings, dir.path()).exit_code, 0);
    const QByteArray written = ReadAll(a + "/camera.conf");

    const auto json = RunCli({"read", "--card", a, "--json"}, dir.path());
    ASSERT_EQ(json.exit_code, 0) << json.err.toStdString();
    const QJsonObject read = QJsonDocument::fromJson(json.out).object();
    const QJsonObject settings = read["settings"].toObject();
    EXPECT_EQ(settings.size(), 28);
    for (qsizetype i = 1; i < kTenSettings.size(); i += 2) {
        const QStringList kv = kTenSettings[i].split('=');
        EXPECT_EQ(settings[kv[0]].toString(), kv[1]);
    }
    EXPECT_EQ(settings["image_wb"].toString(), "auto");
    EXPECT_EQ(read["sync_clock"], false);
    EXPECT_EQ(read["enable_cfg"], true);
    EXPECT_EQ(read["not_understood"].toArray().size(), 0);

    // The plain form is the file itself with LF line ends.
    const auto text = RunCli({"read", "--card", a}, dir.path());
    EXPECT_EQ(text.out, QByteArray(written).replace("\r\n", "\n"));
    EXPECT_TRUE(text.err.isEmpty());

    // Copied to another card and stored as a profile, the bytes stay the same.
    ASSERT_EQ(RunCli({"write", "--from-card", a, "--card", b}, dir.path()).exit_code, 0);
    EXPECT_EQ(ReadAll(b + "/camera.conf"), written);
    // A profile reads two of the ten back against fewer options than the
    // keys have; saving says so.
    const auto save = RunCli({"save", "--profile", "fromcard", "--from-card", a}, dir.path());
    ASSERT_EQ(save.exit_code, 0) << save.err.toStdString();
    EXPECT_TRUE(save.err.contains("warning: image_iso=3200 is stored, but a profile is read back as image_iso=auto") &&
                save.err.contains("auto_shutdown=60Min"))
        << save.err.toStdString();
    EXPECT_EQ(RunCli({"print", "--profile", "fromcard"}, dir.path()).out,
              QByteArray(written).replace("image_iso=3200", "image_iso=auto").replace("=60Min", "=off"));
    EXPECT_TRUE(ReadAll(dir.filePath("cfg.ini")).contains("[profile-fromcard]\r\nmode_1=2304x1296p 30\r\n"));
    // A clock line on the card ticks the profile's clock.
    ASSERT_TRUE(WriteRaw(b + "/camera.conf", "enable_cfg=true\r\nsync_clock=2025-03-07 09:04:05\r\n"));
    ASSERT_EQ(RunCli({"save", "--profile", "fromcard", "--from-card", b}, dir.path()).exit_code, 0);
    EXPECT_TRUE(ReadAll(dir.filePath("cfg.ini")).contains("sync_clock=TRUE"));

    // A hand-damaged file: the rest loads, three lines are counted.
    QByteArray damaged = written;
    damaged.replace("fov=narrow\r\n", "fov=narrow\r\ncolour=red\r\n").replace("osd=on", "osd=maybe");
    damaged += "just words\r\n";
    ASSERT_TRUE(WriteRaw(a + "/camera.conf", damaged));
    const auto hurt = RunCli({"read", "--card", a, "--json"}, dir.path());
    const QJsonObject h = QJsonDocument::fromJson(hurt.out).object();
    EXPECT_EQ(h["settings"].toObject().size(), 27);
    EXPECT_FALSE(h["settings"].toObject().contains("osd"));
    const QJsonArray skipped = h["not_understood"].toArray();
    ASSERT_EQ(skipped.size(), 3) << hurt.out.toStdString();
    EXPECT_EQ(skipped[0].toObject()["text"], "colour=red");
    EXPECT_EQ(skipped[1].toObject()["text"], "osd=maybe");
    EXPECT_EQ(skipped[2].toObject()["line"], 31);
    const auto plain = RunCli({"read", "--card", a}, dir.path());
    EXPECT_EQ(plain.exit_code, 0);
    EXPECT_TRUE(plain.err.contains("3 line(s)") && plain.err.contains("line 7: colour=red (unknown key)"))
        << plain.err.toStdString();
}

// A card folder whose camera.conf is missing or is no plain small file.
TEST(CliRead, WhatIsNoCameraFileIsRefusedClearlyWithoutBlocking) {
    QTemporaryDir dir;
    const QString card = dir.filePath("card");
    ASSERT_TRUE(QDir().mkpath(card) && WriteRaw(dir.filePath("elsewhere.conf"), "enable_cfg=true\r\n"));
    const QString conf = card + "/camera.conf";
    const struct {
        const char* what;
        std::function<bool()> make;
        const char* mention;
    } cases[] = {
        {"missing", [] { return true; }, "no camera.conf"},
        {"a link", [&] { return QFile::link(dir.filePath("elsewhere.conf"), conf); }, "not a regular file"},
        {"a FIFO", [&] { return ::mkfifo(QFile::encodeName(conf).constData(), 0600) == 0; }, "not a regular file"},
        {"a folder", [&] { return QDir().mkdir(conf); }, "not a regular file"},
        {"too large", [&] { return WriteRaw(conf, QByteArray(4097, 'x')); }, "larger than 4096 bytes"},
    };
    ASSERT_TRUE(WriteRaw(dir.filePath("cfg.ini"), "[profile-keep]\r\n"));
    for (const auto& c : cases) {
        QFile::remove(conf);
        QDir().rmdir(conf);
        ASSERT_TRUE(c.make()) << c.what;
        for (const QStringList& args :
             {QStringList{"read", "--card", card}, {"save", "--profile", "keep", "--from-card", card}}) {
            const auto run = RunCli(args, dir.path());
            EXPECT_EQ(run.exit_code, 1) << c.what;
            EXPECT_TRUE(run.err.contains(c.mention)) << c.what << ": " << run.err.toStdString();
            EXPECT_TRUE(run.out.isEmpty()) << c.what;
        }
        EXPECT_EQ(ReadAll(dir.filePath("cfg.ini")), "[profile-keep]\r\n") << c.what;
    }
    const auto nowhere = RunCli({"read", "--card", "nowhere"}, dir.path());
    EXPECT_TRUE(nowhere.exit_code == 1 && nowhere.err.contains("nowhere/\" is not a folder"))
        << nowhere.err.toStdString();
    for (const QStringList& args : {QStringList{"read"},
                                    {"read", "--card", ""},
                                    {"eject", "--card", ""},
                                    {"write", "--all-cards", "--card", ""}}) {
        const auto run = RunCli(args, dir.path());
        EXPECT_EQ(run.exit_code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty() && !run.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("camera.conf")));
}

// One card reader with two partitions mounted at a (and at bound, when
// given) and b.
QJsonObject ReaderWithTwoPartitions(const QString& a, const QString& b, const QString& bound = {},
                                    const QJsonObject& drive = DriveObject(true, true, true)) {
    return {{kSdb1, BlockObject("/dev/sdb1", kDrive, bound.isEmpty() ? QStringList{a} : QStringList{a, bound})},
            {kSdb2, BlockObject("/dev/sdb2", kDrive, {b})},
            {kDrive, drive}};
}

// Each case twice: "eject", and "write --all-cards --eject" whose line is
// `line` (when failing, starts with it).
TEST(CliEject, ExitsZeroOnlyWhenTheCardWasUnmounted) {
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b"), bound = dir.filePath("bound");
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b) && QDir().mkpath(bound));
    const bool allCards = !MachineHasRemovableDrives(dir.path());
    const QString noUi = " auth.no_user_interaction=true";
    const QString unmountA = "Unmount " + kSdb1 + noUi, unmountB = "Unmount " + kSdb2 + noUi;
    const QString powerOff = "PowerOff " + kDrive + noUi;
    const struct {
        const char* what;
        QJsonObject errors;
        int exit_code;
        QString mention;  // on stderr when failing, else stdout
        QStringList calls;
        const char* line;
        QJsonObject objects = {};
        QJsonObject vanish = {};
    } cases[] = {
        {"ejected", {}, 0, "Ejected", {unmountA, unmountB, powerOff}, "ejected"},
        {"busy",
         {{kSdb1 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "target is busy"}}},
         1,
         "busy",
         {unmountA},
         "not ejected: "},
        {"second busy: names its folder",
         {{kSdb2 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "target is busy"}}},
         1,
         QString("Unmounted %1; %2 is busy: close the files and windows that use it, then eject %2.").arg(a, b),
         {unmountA, unmountB},
         "not ejected: "},
        {"not authorised",
         {{kSdb2 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.NotAuthorized", "Not authorized"}}},
         1,
         "not allowed",
         {unmountA, unmountB},
         "not ejected: "},
        {"power off fails",
         {{kDrive + " PowerOff", QJsonArray{"org.freedesktop.UDisks2.Error.Failed", "no"}}},
         0,
         "Unmounted",
         {unmountA, unmountB, powerOff},
         "unmounted (not powered off: no)"},
        {"power off refused while in use",
         {{kDrive + " PowerOff",
           QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "Device /dev/sdb1 is mounted"}}},
         1,
         "do not pull the card yet",
         {unmountA, unmountB, powerOff},
         "not ejected: "},
        {"no eject program",
         {{kDrive + " Eject", QJsonArray{"org.freedesktop.UDisks2.Error.Failed", "no eject"}}},
         0,
         "the card can be pulled",
         {unmountA, unmountB, "Eject " + kDrive + noUi},
         "unmounted (not powered off: no eject)",
         ReaderWithTwoPartitions(a, b, {}, DriveObject(true, false, true))},
        {"bind-mounted card",
         {},
         0,
         "Ejected",
         {unmountA, unmountB, unmountA, powerOff},
         "ejected",
         ReaderWithTwoPartitions(a, b, bound)},
        {"second gone mid-way",
         {},
         0,
         "Ejected",
         {unmountA, unmountB, powerOff},
         "ejected",
         {},
         {{kSdb1 + " Unmount", QJsonArray{kSdb2}}}},
    };
    for (const auto& c : cases) {
        for (const bool all : {false, true}) {
            if (all && !allCards) continue;
            UdisksStandIn udisks(bus.Address(), c.objects.isEmpty() ? ReaderWithTwoPartitions(a, b) : c.objects,
                                 c.errors, c.vanish);
            ASSERT_TRUE(udisks.Ready()) << c.what;
            const auto run = RunCli(
                all ? QStringList{"write", "--all-cards", "--card", a, "--eject"} : QStringList{"eject", "--card", a},
                dir.path(), WithSystemBus(bus.Address()));
            EXPECT_EQ(run.exit_code, c.exit_code) << c.what << ": " << run.err.toStdString();
            const QByteArray line = run.out.split('\n').value(0),
                             expected = QFile::encodeName(a) + "/: written, " + c.line;
            EXPECT_TRUE(all ? (c.exit_code == 0 ? line == expected : line.startsWith(expected))
                            : (c.exit_code == 0 ? run.out : run.err).contains(c.mention.toUtf8()))
                << c.what << ": " << run.out.toStdString() << run.err.toStdString();
            EXPECT_EQ((run.out + run.err).contains("can be pulled"), c.exit_code == 0 && !all) << c.what;
            EXPECT_EQ(udisks.Calls(), c.calls) << c.what;
        }
    }

    // No UDisks2 on the bus, and no bus at all.
    for (const QString& address : {bus.Address(), QString("unix:path=" + dir.filePath("no-bus"))}) {
        const auto run = RunCli({"eject", "--card", a}, dir.path(), WithSystemBus(address));
        EXPECT_EQ(run.exit_code, 1);
        EXPECT_TRUE(run.err.contains("UDisks2 is not available")) << run.err.toStdString();
    }
}

TEST(CliWrite, EjectFollowsOnlyASuccessfulWrite) {
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b");
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b));
    {
        UdisksStandIn udisks(bus.Address(), ReaderWithTwoPartitions(a, b));
        ASSERT_TRUE(udisks.Ready());
        const auto refused =
            RunCli({"write", "--card", a, "--eject", "--set", "fov=far"}, dir.path(), WithSystemBus(bus.Address()));
        EXPECT_EQ(refused.exit_code, 2);
        EXPECT_EQ(udisks.Calls(), QStringList{});

        const auto run = RunCli({"write", "--card", a, "--eject"}, dir.path(), WithSystemBus(bus.Address()));
        EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
        EXPECT_EQ(ReadAll(a + "/camera.conf"),
                  QByteArray::fromStdString(BuildCameraConfText(SettingsSelection::Defaults(), 0)));
        EXPECT_EQ(udisks.Calls().size(), 3);
        EXPECT_TRUE(udisks.Calls().value(2).startsWith("PowerOff " + kDrive));
    }

    // Both partitions of one drive and a folder UDisks2 does not know: the
    // drive is ejected once, the folder is reported.
    UdisksStandIn udisks(bus.Address(), ReaderWithTwoPartitions(a, b));
    ASSERT_TRUE(udisks.Ready());
    const QString c = dir.filePath("c");
    ASSERT_TRUE(QDir().mkpath(c));
    if (MachineHasRemovableDrives(dir.path())) GTEST_SKIP() << "this machine has removable drives of its own";
    const auto all = RunCli({"write", "--all-cards", "--card", a, "--card", b, "--card", c, "--eject"}, dir.path(),
                            WithSystemBus(bus.Address()));
    const QList<QByteArray> lines = all.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << all.out.toStdString();
    EXPECT_EQ(all.exit_code, 1);
    EXPECT_EQ(lines[0], QFile::encodeName(a) + "/: written, ejected");
    EXPECT_EQ(lines[1], QFile::encodeName(b) + "/: written, ejected with its drive");
    EXPECT_TRUE(lines[2].startsWith(QFile::encodeName(c) + "/: written, not ejected: ")) << lines[2].toStdString();
    EXPECT_EQ(udisks.Calls().size(), 3);
}

// Three 1 MB tmpfs cards, the second mounted read-only.
TEST(CliWrite, AllCardsWritesEveryCardItCanAndReportsTheRest) {
    QTemporaryDir dir;
    QStringList cards;
    for (const char* name : {"A", "B", "C"}) cards << dir.filePath(name);
    for (const QString& card : cards) ASSERT_TRUE(QDir().mkpath(card));
    ScopedTmpfs a(cards[0], "size=1m"), c(cards[2], "size=1m");
    const bool readOnly =
        ::mount("quillmar-test", QFile::encodeName(cards[1]).constData(), "tmpfs", MS_RDONLY, "size=1m") == 0;
    struct Unmount {
        QString dir;
        bool mounted;
        ~Unmount() {
            if (mounted) ::umount(QFile::encodeName(dir).constData());
        }
    } b{cards[1], readOnly};
    if (!a.Mounted() || !readOnly || !c.Mounted()) GTEST_SKIP() << "cannot mount tmpfs here (needs root)";
    if (MachineHasRemovableDrives(dir.path()))
        GTEST_SKIP() << "this machine has removable drives, which --all-cards would write to";

    const auto run = RunCli({"write", "--all-cards", "--card", cards[0], "--card", cards[1], "--card", cards[2],
                             "--set", "osd=off", "--set", "format=true", "--yes-format"},
                            dir.path());
    EXPECT_EQ(run.exit_code, 1);
    const QByteArray expected = [] {
        SettingsSelection s = SettingsSelection::Defaults();
        s.At(keys::kOsd) = 0;
        s.At(keys::kFormat) = 1;
        return QByteArray::fromStdString(BuildCameraConfText(s, 0));
    }();
    EXPECT_EQ(ReadAll(cards[0] + "/camera.conf"), expected);
    EXPECT_EQ(ReadAll(cards[2] + "/camera.conf"), expected);
    EXPECT_EQ(Entries(cards[1]), QStringList{});
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    const QByteArray erased = "/: written; the camera will erase this card when it next starts";
    EXPECT_EQ(lines[0], QFile::encodeName(cards[0]) + erased);
    EXPECT_TRUE(lines[1].startsWith(QFile::encodeName(cards[1]) + "/: not written: ") &&
                lines[1].contains("Read-only file system"))
        << lines[1].toStdString();
    EXPECT_EQ(lines[2], QFile::encodeName(cards[2]) + erased);
    EXPECT_TRUE(run.err.contains("1 of 3 cards failed")) << run.err.toStdString();
}

}  // namespace

}  // namespace quillmar
