// Mount tables read; why each mount is or is not a card, on a fake machine
// holding every kind of mount the rules tell apart; and changes to them
// noticed as real tmpfs mounts come and go.

#include "platform/device_change_watcher.h"
#include "platform/device_events.h"
#include "platform/fstab_mount_point.h"
#include "platform/mount_root.h"
#include "platform/mount_table.h"
#include "platform/system_disks.h"
#include "platform/volume_decision.h"

#include "support/fake_system_tree.h"
#include "support/test_files.h"
#include "support/tmpfs_mount.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLoggingCategory>

#include <optional>
#include <sched.h>

namespace quillmar {

namespace {

// Our own mount table, so mounts of tests running beside us stay unseen;
// made before any thread starts.
const bool kMountsIsolated =
    ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;

// Runs the event loop until the watcher reports or `ms` have passed: a
// deadline for a busy machine, not a goal (the benchmarks time it).
bool WaitForEvent(const DeviceChangeWatcher& watcher, int ms) {
    QEventLoop loop;
    bool reported = false;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QObject::connect(&watcher, &DeviceChangeWatcher::DeviceChange, &loop, [&] { reported = true, loop.quit(); });
    loop.exec();
    return reported;
}

// The descriptors it watches are its own: closed when it goes. A source that
// cannot be opened is reported even with debug messages off.
// Given the caller's list, the watcher takes no snapshot of its own at the
// start, and the next change is measured against that list; after that,
// one snapshot per change or burst.
TEST(DeviceChangeWatcher, ReportsMountsOnceABurstAndClosesWhatItOpened) {
    static int argc = 1;
    static char name[] = "test_platform", *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const auto fds = [] { return test_support::Entries("/proc/self/fd"); };
    const QStringList before = fds();
    DeviceChangeWatcher::Options options;
    auto watcher = std::make_unique<DeviceChangeWatcher>(options, [] { return QStringList(); });
    EXPECT_EQ(fds().size(), before.size() + 1 + (watcher->WatchesDeviceEvents() ? 1 : 0));
    watcher.reset();
    EXPECT_EQ(fds(), before);
    static QStringList warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (type == QtWarningMsg) warnings << QString::fromLatin1(c.category) + ": " + text;
        });
    options.mount_table = "/nonexistent/mountinfo";
    options.device_events = false;
    EXPECT_FALSE(DeviceChangeWatcher(options, [] { return QStringList(); }).WatchesMounts());
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, QStringList("quillmar.watcher: mounts and unmounts go unnoticed: cannot open "
                                    "/nonexistent/mountinfo - No such file or directory"));

    if (!kMountsIsolated) GTEST_SKIP() << "mounting is not permitted here";
    QTemporaryDir dir;
    const auto folder = [&](const char* name) {
        return QDir().mkpath(dir.path() + '/' + name), dir.path() + '/' + name;
    };
    std::optional<test_support::ScopedTmpfs> old(folder("old")), card, a, b;
    int snapshots = 0;
    QList<quint32> events;
    DeviceChangeWatcher::Options listed;
    listed.device_events = false;
    listed.first_snapshot = QStringList{"listed"};
    DeviceChangeWatcher mounts(listed, [&] {
        ++snapshots;
        QStringList dirs;
        for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
            if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
        return dirs;
    });
    QObject::connect(&mounts, &DeviceChangeWatcher::DeviceChange, [&events](quint32 e) { events << e; });
    ASSERT_TRUE(mounts.WatchesMounts());
    EXPECT_EQ(snapshots, 0);
    card.emplace(folder("card"));  // "listed" went and the card came: an arrival, as for any swap
    ASSERT_TRUE(WaitForEvent(mounts, 10000));
    card.reset();
    ASSERT_TRUE(WaitForEvent(mounts, 10000));
    old.reset();  // a swap in one burst: one check, reported as an arrival
    a.emplace(folder("a"));
    b.emplace(folder("b"));
    ASSERT_TRUE(WaitForEvent(mounts, 10000));
    EXPECT_FALSE(WaitForEvent(mounts, 600));
    EXPECT_EQ(events, (QList<quint32>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}));
    EXPECT_EQ(snapshots, 3);
}

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

TEST(MountTables, FieldsAreDecodedTheDeletedMarkIsDroppedAndBrokenLinesSkipped) {
    QStringList mounts;
    for (const MountEntry& e :
         ParseMountInfo("21 1 8:17 / /media/me/SD\\040CARD rw,relatime shared:1 - vfat /dev/sdb1 rw\n"
                        "23 1 0:44 /photos\\040(deleted) /mnt/bind\\011tab rw master:2 shared:3 - tmpfs tmpfs rw\n"
                        "24 1 8:19 / /\\040(deleted) rw - ext4 /dev/sdb3 rw\n"
                        "25 1 8:20 / /media/me/(deleted) rw - vfat /dev/sdb4 rw\n"
                        "26 1 8:21 / /media/me/short rw - vfat\n"
                        "27 1 8:22 / /media/me/nodash rw vfat /dev/sdb6 rw\n"
                        "28 1 x:1 / /media/me/badnumber rw - vfat /dev/sdb7 rw\n\n"))
        mounts
            << QString("%1:%2 %3|%4|%5|%6").arg(e.major).arg(e.minor).arg(e.fs_root, e.mount_dir, e.fs_type, e.source);
    EXPECT_EQ(mounts, (QStringList{"8:17 /|/media/me/SD CARD|vfat|/dev/sdb1", "0:44 /photos|/mnt/bind\ttab|tmpfs|tmpfs",
                                   "8:19 /|/|ext4|/dev/sdb3", "8:20 /|/media/me/(deleted)|vfat|/dev/sdb4"}));

    QStringList swaps;
    for (const SwapEntry& s : ParseSwaps("Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                                         "/dev/dm-2                               partition\t8388604\t\t0\t\t-2\n"
                                         "/media/me/USB\\040DISK/swap\\011file      file\t\t1048572\t\t0\t\t-3\n"
                                         "/old/swapfile (deleted)                 file\t\t1048572\t\t0\t\t-4\n"
                                         "garbage\n"))
        swaps << s.path + (s.is_file ? " file" : "");
    EXPECT_EQ(swaps, (QStringList{"/dev/dm-2", "/media/me/USB DISK/swap\tfile file", "/old/swapfile file"}));
    EXPECT_TRUE(ParseSwaps("/dev/sda2 partition 1 0 -2\n").isEmpty());  // no header line: nothing trusted

    EXPECT_EQ(ParseFstabMountDirs("# /etc/fstab\nUUID=1234 / ext4 errors=remount-ro 0 1\n"
                                  "  /dev/sdb1\t/mnt/my\\040sd  vfat noauto,user 0 0\n/swapfile none swap sw 0 0\n"
                                  "/dev/sdc2 swap swap defaults 0 0\ntmpfs /tmp tmpfs\nbroken-line\n"),
              (QStringList{"/", "/mnt/my sd", "/tmp"}));
}

// The folders the system lives in and below, not look-alikes beside them.
TEST(SystemMountDirs, MatchWholeFolderNames) {
    EXPECT_TRUE(IsSystemMountDir("/") && IsSystemMountDir("/boot/efi") && IsSystemMountDir("/var/lib/docker"));
    for (const char* dir : {"/media/me/CARD", "/bootcard", "/usr2", "/variant", "/home/me/card", ""})
        EXPECT_FALSE(IsSystemMountDir(dir)) << dir;
}

// Only the root of a mounted volume counts. A folder fstab keeps for a card
// is found through links and from below while nothing is mounted on it.
TEST(MountRootAndFstabMountPoints, FollowWhatIsMountedNow) {
    QTemporaryDir dir;
    const QString sd = dir.path() + "/sd card", other = dir.path() + "/other", link = dir.path() + "/link";
    SystemPaths paths;
    paths.fstab = dir.path() + "/fstab";
    ASSERT_TRUE(QDir().mkpath(sd + "/DCIM") && QDir().mkpath(other) && QFile::link(sd, link) &&
                test_support::WriteRaw(paths.fstab, "UUID=1 / ext4 defaults 0 1\n/dev/sdz1 " +
                                                        QFile::encodeName(sd).replace(" ", "\\040") +
                                                        "/ vfat noauto,user 0 0\n"));
    EXPECT_TRUE(IsMountedVolumeRoot("/") && IsMountedVolumeRoot("/proc/"));
    for (const QString& path : {sd + "/", paths.fstab, dir.path() + "/gone/", QString()})
        EXPECT_FALSE(IsMountedVolumeRoot(path.toStdString())) << path.toStdString();
    for (const QString& card : {sd, sd + "/", sd + "/DCIM", link, QString("%1/../%2").arg(other, "sd card")})
        EXPECT_EQ(UnmountedFstabMountPoint(paths, card), std::optional<QString>(sd)) << card.toStdString();
    EXPECT_EQ(UnmountedFstabMountPoint(paths, other), std::nullopt);

    test_support::ScopedTmpfs mount(sd);
    if (!mount.Mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot((sd + "/").toStdString()));
    EXPECT_EQ(UnmountedFstabMountPoint(paths, sd), std::nullopt);
    EXPECT_EQ(UnmountedFstabMountPoint(paths, link), std::nullopt);
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot((sd + "/").toStdString()));  // the empty folder left behind
}

// Built in mount-table order, which the verdicts come back in.
void BuildMachine(FakeSystemTree& t) {
    t.AddDevice(dp::Sata("sda"), 8, 0, "0");
    t.AddMountedPartition(dp::Sata("sda/sda1"), 8, 1, "/", "ext4");
    t.AddMount(0, 22, "/proc", "proc", "proc");
    t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "SD");  // boots from its SD card
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1, "/boot/firmware", "vfat");
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p2"), 179, 2, "/media/pi/rootfs", "ext4");
    t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "0");  // the camera's card in a USB reader
    t.AddDevice(dp::Usb(2, "sdc/sdc1"), 8, 33);
    t.AddMount(8, 33, "/mnt/cam-again", "vfat", "/dev/sdc1");
    t.AddMount(8, 33, "/media/me/CAM", "vfat", "/dev/sdc1");
    t.AddMount(8, 33, "/home/me/dcim", "vfat", "/dev/sdc1", "/DCIM");
    t.AddDevice(dp::Mmc(1, "mmcblk1"), 179, 8, "0", "SD");
    t.AddMountedPartition(dp::Mmc(1, "mmcblk1/mmcblk1p1"), 179, 9, "/media/me/OLD\\040(deleted)", "exfat");
    t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");  // a stick under a tmpfs on the same folder
    t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/media/me/over", "vfat");
    t.AddMount(0, 40, "/media/me/over", "tmpfs", "tmpfs");
    t.AddMount(0, 41, "/mnt/nas", "nfs4", "nas:/photos");
    t.AddMount(0, 42, "/media/me/phone", "fuse.sshfs", "me@phone:/DCIM");
    t.AddDevice(dp::Usb(4, "sde"), 8, 64, "1");  // pulled without unmounting
    t.AddMountedPartition(dp::Usb(4, "sde/sde1"), 8, 65, "/media/me/pulled", "vfat");
    t.RemoveDevice("sde1", 8, 65);
    t.AddDevice("virtual/block/loop0", 7, 0, "0");
    t.AddMount(7, 0, "/media/me/image", "squashfs", "/dev/loop0");
    t.AddDevice("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0", 11, 0, "1");
    t.AddMount(11, 0, "/media/me/DVD", "iso9660", "/dev/sr0");
    t.AddDevice(dp::Mmc(2, "mmcblk2"), 179, 16, "0", "MMC");
    t.AddMountedPartition(dp::Mmc(2, "mmcblk2/mmcblk2p1"), 179, 17, "/media/me/emmc", "ext4");
    t.AddDevice(dp::Sata("sdf"), 8, 80, "0");
    t.AddMount(8, 80, "/mnt/data", "ext4", "/dev/sdf");
    t.AddDevice("virtual/block/md5", 9, 5, "0");
    t.AddMount(9, 5, "/media/me/raid", "ext4", "/dev/md5");
}

// Folder, verdict code and reason, in mount-table order.
const QStringList kExpected = {"/ system-folder mounted on a system folder",
                               "/proc pseudo proc has no device behind it",
                               "/boot/firmware system-folder mounted on a system folder",
                               "/media/pi/rootfs system-disk on a system disk, which holds /boot/firmware",
                               "/mnt/cam-again duplicate the same volume as /media/me/CAM",
                               "/media/me/CAM card disk on USB",
                               "/home/me/dcim sub-folder bind mount of /DCIM inside a volume",
                               "/media/me/OLD card SD card",
                               "/media/me/over hidden hidden by a later mount on the same folder",
                               "/media/me/over pseudo tmpfs has no device behind it",
                               "/mnt/nas network network file system (nfs4)",
                               "/media/me/phone network network file system (fuse.sshfs)",
                               "/media/me/pulled stale its device /dev/sde1 has gone",
                               "/media/me/image loop loop device",
                               "/media/me/DVD optical optical drive",
                               "/media/me/emmc emmc eMMC built into the board",
                               "/mnt/data fixed-disk fixed disk",
                               "/media/me/raid raid RAID array"};

// Each verdict reaches the log only when the drives category is switched on.
TEST(VolumeDecisions, EveryMountGetsTheReasonThatAppliesAndReachesTheLog) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    BuildMachine(tree);
    static QStringList log;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& c, const QString& text) { log << c.category + (": " + text); });
    DecideVolumes(tree.Paths());
    EXPECT_EQ(log, QStringList{});
    QLoggingCategory::setFilterRules("quillmar.*=true");
    QStringList got;
    for (const VolumeDecision& d : DecideVolumes(tree.Paths()))
        got << d.mount.mount_dir + ' ' + VerdictCode(d) + ' ' + VerdictText(d);
    QLoggingCategory::setFilterRules({});
    qInstallMessageHandler(previous);
    EXPECT_EQ(got.join('\n').toStdString(), kExpected.join('\n').toStdString());
    ASSERT_EQ(log.size(), kExpected.size()) << log.join('\n').toStdString();
    EXPECT_EQ(log[3] + '|' + log[5],
              "quillmar.drives: not a card: /media/pi/rootfs from /dev/mmcblk0p2 - on a system disk, which holds "
              "/boot/firmware|quillmar.drives: card: /media/me/CAM from /dev/sdc1 - disk on USB");
}

}  // namespace

}  // namespace quillmar
