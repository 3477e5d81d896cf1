#include "platform/removable_volumes.h"
#include "platform/volume_label.h"

#include "support/fake_system_tree.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

QStringList MountDirs(const QList<RemovableVolume>& volumes) {
    QStringList dirs;
    for (const RemovableVolume& v : volumes) dirs << v.mount_dir;
    return dirs;
}

// The machine of a user with a camera: three cards among the usual disks.
void BuildMixedMachine(FakeSystemTree& t) {
    // USB stick, removable flag set.
    t.AddDisk(dp::Usb(1, "sdb"), 8, 16, true);
    t.AddPartition(dp::Usb(1, "sdb"), "sdb1", 8, 17);
    t.AddMount(8, 17, "/media/me/STICK", "vfat", "/dev/sdb1");
    // SD card in a USB reader that reports removable 0.
    t.AddDisk(dp::Usb(2, "sdc"), 8, 32, false);
    t.AddPartition(dp::Usb(2, "sdc"), "sdc1", 8, 33);
    t.AddMount(8, 33, "/media/me/CAM\\040CARD", "exfat", "/dev/sdc1");
    // Built-in SD slot.
    t.AddDisk(dp::Mmc(1, "mmcblk1"), 179, 8, false, "SD");
    t.AddPartition(dp::Mmc(1, "mmcblk1"), "mmcblk1p1", 179, 9);
    t.AddMount(179, 9, "/media/me/SDSLOT", "vfat", "/dev/mmcblk1p1");
    // eMMC system disk: /boot and /home, and a data partition.
    t.AddDisk(dp::Mmc(0, "mmcblk0"), 179, 0, false, "MMC");
    t.AddPartition(dp::Mmc(0, "mmcblk0"), "mmcblk0p1", 179, 1);
    t.AddPartition(dp::Mmc(0, "mmcblk0"), "mmcblk0p2", 179, 2);
    t.AddPartition(dp::Mmc(0, "mmcblk0"), "mmcblk0p3", 179, 3);
    t.AddMount(179, 1, "/boot", "ext4", "/dev/mmcblk0p1");
    t.AddMount(179, 2, "/home", "ext4", "/dev/mmcblk0p2");
    t.AddMount(179, 3, "/media/me/emmcdata", "ext4", "/dev/mmcblk0p3");
    // Fixed SATA disk.
    t.AddDisk(dp::Sata(1, "sda"), 8, 0, false);
    t.AddPartition(dp::Sata(1, "sda"), "sda1", 8, 1);
    t.AddMount(8, 1, "/mnt/data", "ext4", "/dev/sda1");
    // The running system lives on a USB disk; its other partition is no card.
    t.AddDisk(dp::Usb(3, "sdd"), 8, 48, true);
    t.AddPartition(dp::Usb(3, "sdd"), "sdd1", 8, 49);
    t.AddPartition(dp::Usb(3, "sdd"), "sdd2", 8, 50);
    t.AddMount(8, 49, "/", "ext4", "/dev/sdd1");
    t.AddMount(8, 50, "/media/me/usbsys", "vfat", "/dev/sdd2");
    // Loop device with an image, and a tmpfs.
    t.AddDisk(dp::Virtual("loop0"), 7, 0, false);
    t.AddMount(7, 0, "/media/me/image", "squashfs", "/dev/loop0");
    t.AddMount(0, 50, "/media/me/scratch", "tmpfs", "tmpfs");
}

TEST(RemovableVolumes, MixedMachineListsOnlyTheThreeCardsByMountFolder) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    BuildMixedMachine(tree);
    const QList<RemovableVolume> volumes = ListRemovableVolumes(tree.paths());
    EXPECT_EQ(MountDirs(volumes), (QStringList{"/media/me/CAM CARD", "/media/me/SDSLOT", "/media/me/STICK"}));
    ASSERT_EQ(volumes.size(), 3);
    EXPECT_EQ(volumes[0].root, "/media/me/CAM CARD/");
    EXPECT_EQ(volumes[0].device.name, "sdc1");
    EXPECT_EQ(volumes[0].device.disk_name, "sdc");
    EXPECT_EQ(volumes[1].device.name, "mmcblk1p1");
    EXPECT_EQ(volumes[2].device.major, 8u);
    EXPECT_EQ(volumes[2].device.minor, 17u);
}

// One device and mount per case, with whatever else the case needs.
struct DriveCase {
    const char* what;
    void (*build)(FakeSystemTree&);
    bool listed;
};

const DriveCase kDriveCases[] = {
    {"fixed SATA disk with the removable flag (hot-swap bay)",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Sata(2, "sde"), 8, 64, true);
         t.AddMount(8, 64, "/media/c", "vfat", "/dev/sde");
     },
     true},
    {"unpartitioned card on USB",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, false);
         t.AddMount(8, 80, "/media/c", "vfat", "/dev/sdf");
     },
     true},
    {"btrfs card reports an anonymous device number; found by its source",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf1", 8, 81);
         t.AddMount(0, 61, "/media/c", "btrfs", "/dev/sdf1");
     },
     true},
    {"mmcblk without a device type falls back to the removable flag",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Mmc(2, "mmcblk2"), 179, 16, true);
         t.AddMount(179, 16, "/media/c", "vfat", "/dev/mmcblk2");
     },
     true},
    {"USB optical drive",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(5, "sr0"), 11, 0, true);
         t.AddMount(11, 0, "/media/c", "iso9660", "/dev/sr0");
     },
     false},
    {"loop device flagged removable",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Virtual("loop3"), 7, 3, true);
         t.AddMount(7, 3, "/media/c", "vfat", "/dev/loop3");
     },
     false},
    {"network file system",
     [](FakeSystemTree& t) { t.AddMount(0, 52, "/media/c", "nfs4", "server:/export"); },
     false},
    {"stale mount of a card pulled without unmounting",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf1", 8, 81);
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
         t.RemoveDevice("sdf1", 8, 81);
     },
     false},
    {"card folder hidden under a later mount on the same folder",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddMount(8, 80, "/media/c", "vfat", "/dev/sdf");
         t.AddMount(0, 53, "/media/c", "tmpfs", "tmpfs");
     },
     false},
    {"bind mount of a folder on a card",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddMount(8, 80, "/media/c", "vfat", "/dev/sdf", "/DCIM");
     },
     false},
    {"USB disk whose encrypted partition holds the system root",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf1", 8, 81);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf2", 8, 82);
         t.AddDisk(dp::Virtual("dm-0"), 253, 0, false);
         t.AddSlave(dp::Virtual("dm-0"), dp::Usb(4, "sdf") + "/sdf2");
         t.AddMount(253, 0, "/", "ext4", "/dev/mapper/root");
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
     },
     false},
    {"btrfs system sub-volume on a USB disk",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf1", 8, 81);
         t.AddPartition(dp::Usb(4, "sdf"), "sdf2", 8, 82);
         t.AddMount(0, 33, "/", "btrfs", "/dev/sdf2", "/@");
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
     },
     false},
    {"card mounted at /var",
     [](FakeSystemTree& t) {
         t.AddDisk(dp::Usb(4, "sdf"), 8, 80, true);
         t.AddMount(8, 80, "/var", "vfat", "/dev/sdf");
     },
     false},
};

TEST(RemovableVolumes, EachKindOfDriveIsJudgedByItsDiskAndMount) {
    for (const DriveCase& c : kDriveCases) {
        QTemporaryDir dir;
        FakeSystemTree tree(dir.path());
        c.build(tree);
        const QList<RemovableVolume> volumes = ListRemovableVolumes(tree.paths());
        EXPECT_EQ(MountDirs(volumes), c.listed ? QStringList{"/media/c"} : QStringList{}) << c.what;
    }
}

TEST(RemovableVolumes, VolumeMountedTwiceIsListedOnceUnderItsFirstFolder) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    tree.AddDisk(dp::Usb(1, "sdb"), 8, 16, true);
    tree.AddMount(8, 16, "/media/z", "vfat", "/dev/sdb");
    tree.AddMount(8, 16, "/media/a", "vfat", "/dev/sdb");
    EXPECT_EQ(MountDirs(ListRemovableVolumes(tree.paths())), QStringList{"/media/a"});
}

TEST(RemovableVolumes, MissingTablesGiveNoDrives) {
    SystemPaths paths;
    paths.mount_table = QStringLiteral("/nonexistent/mountinfo");
    EXPECT_TRUE(ListRemovableVolumes(paths).isEmpty());
}

TEST(VolumeLabel, UdevRecordFirstThenByLabelLinks) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    for (unsigned i = 0; i < 5; ++i) {
        const QByteArray name = "sd" + QByteArray(1, static_cast<char>('b' + i));
        tree.AddDisk(dp::Usb(static_cast<int>(i + 1), name.constData()), 8, 16 * (i + 1), true);
        tree.AddMount(8, 16 * (i + 1), "/media/" + name, "vfat", "/dev/" + name);
    }
    // Two cards from the same camera: the records keep them apart.
    tree.SetUdevRecord(8, 16, "S:disk/by-label/CAM\nE:ID_FS_LABEL=CAM\\x20A\nE:ID_FS_LABEL_ENC=CAM\\x20A\\x2f1\nE:ID_FS_TYPE=vfat\n");
    tree.SetUdevRecord(8, 32, "E:ID_FS_LABEL_ENC=CAM\\x20A\\x2f1\nE:ID_FS_LABEL_ENC_X=\n");
    tree.AddByLabelLink("CAM\\x20A\\x2f1", "sdc");
    // Older udev wrote only the plain label.
    tree.SetUdevRecord(8, 48, "E:ID_FS_LABEL=Karte_\xc3\xa4\n");
    // No record: the by-label link, with UTF-8 left as it is.
    tree.AddByLabelLink("R\xc3\xa9sum\xc3\xa9\\x20disk", "sde");
    tree.AddByLabelLink("OTHER", "sdz");
    // sdf: a record without a label and no link.
    tree.SetUdevRecord(8, 80, "E:ID_FS_TYPE=vfat\n");

    const QStringList expected{"CAM A/1", "CAM A/1", "Karte_\u00e4", "R\u00e9sum\u00e9 disk", ""};
    for (int i = 0; i < 5; ++i) {
        const QString mountDir = QStringLiteral("/media/sd%1").arg(QChar(u'b' + i));
        const std::optional<BlockDevice> device = FindMountedDevice(tree.paths(), mountDir);
        ASSERT_TRUE(device) << mountDir.toStdString();
        EXPECT_EQ(ReadVolumeLabel(tree.paths(), *device), expected[i]) << mountDir.toStdString();
    }
    EXPECT_FALSE(FindMountedDevice(tree.paths(), QStringLiteral("/media/none")));
}

TEST(VolumeLabel, EscapesOtherThanTwoHexDigitsStay) {
    EXPECT_EQ(DecodeUdevEscapes("a\\x20b\\x2Fc\\x4"), QByteArray("a b/c\\x4"));
    EXPECT_EQ(DecodeUdevEscapes("\\xzz\\\\x41"), QByteArray("\\xzz\\A"));
}

TEST(MountDirOfRoot, StripsTheTrailingSlashButKeepsTheSystemRoot) {
    EXPECT_EQ(MountDirOfRoot("/media/c/"), "/media/c");
    EXPECT_EQ(MountDirOfRoot("/media/c//"), "/media/c");
    EXPECT_EQ(MountDirOfRoot("/"), "/");
}

}  // namespace
