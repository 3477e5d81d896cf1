#include "cards/card_entry.h"
#include "platform/mounted_drive_source.h"

#include "support/fake_system_tree.h"
#include "support/test_files.h"

#include <QHash>

namespace quillmar {

namespace {

namespace dp = test_support::devpaths;

// A camera user's machine: three cards among the usual disks and the traps
// around them.
TEST(MountedDriveSource, MixedMachineShowsOnlyItsThreeCardsWithLabelsAndSizes) {
    QTemporaryDir dir;
    test_support::FakeSystemTree t(dir.path());
    t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");  // USB stick; btrfs shows an anonymous device number
    t.AddDevice(dp::Usb(1, "sdb/sdb1"), 8, 17);
    t.AddMount(0, 61, "/media/me/STICK", "btrfs", "/dev/sdb1");
    t.AddByLabelLink("STICK\\x20\xc3\x84", "sdb1");  // no udev record: the by-label link
    t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "0");      // SD card in a USB reader that says "not removable"
    t.AddMountedPartition(dp::Usb(2, "sdc/sdc1"), 8, 33, "/media/me/CAM\\040CARD", "exfat");
    t.SetUdevRecord(8, 33, "E:ID_FS_LABEL=CAM_CARD\nE:ID_FS_LABEL_ENC=CAM\\x20CARD\n");
    t.AddDevice(dp::Mmc(1, "mmcblk1"), 179, 8, "0", "SD");  // built-in SD slot
    t.AddMountedPartition(dp::Mmc(1, "mmcblk1/mmcblk1p1"), 179, 9, "/media/me/SDSLOT", "vfat");
    t.SetUdevRecord(179, 9, "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=Karte_\xc3\xa4\n");  // older udev: plain label only
    t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "MMC");                        // eMMC system disk
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1, "/boot", "vfat");
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p2"), 179, 2, "/media/me/emmc", "ext4");
    t.AddDevice(dp::Sata("sda"), 8, 0, "0");  // fixed SATA disk
    t.AddMount(8, 0, "/mnt/data", "ext4", "/dev/sda");
    t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");  // the system runs from a USB disk
    t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/", "ext4");
    t.AddMountedPartition(dp::Usb(3, "sdd/sdd2"), 8, 50, "/media/me/usbsys", "vfat");
    t.AddDevice("virtual/block/loop0", 7, 0, "0");
    t.AddMount(7, 0, "/media/me/image", "squashfs", "/dev/loop0");
    t.AddMount(0, 40, "/media/me/ram", "tmpfs", "tmpfs");
    t.AddDevice(dp::Usb(4, "sde"), 8, 64, "1");  // a card pulled without unmounting
    t.AddMountedPartition(dp::Usb(4, "sde/sde3"), 8, 67, "/media/me/pulled", "vfat");
    t.RemoveDevice("sde3", 8, 67);

    const QHash<std::string, VolumeSpace> spaces = {{"/media/me/STICK/", {31914983424, 30866227200}},
                                                    {"/media/me/CAM CARD/", {8053063680, 1073741823}}};
    MountedDriveSource drives(t.Paths(), [&](const std::string& root) {
        return spaces.contains(root) ? std::optional(spaces.value(root)) : std::nullopt;
    });
    QStringList rows;
    for (const std::string& root : drives.RemovableRoots()) {
        const CardEntry c = DescribeCard(drives, root);
        rows << QString::fromStdString(c.root + '|' + c.label + '|' + CapacityText(c.free_mb, c.total_mb));
    }
    EXPECT_EQ(rows, (QStringList{"/media/me/CAM CARD/|CAM CARD|1023 MB/7680 MB(0 G/7 G)",
                                 "/media/me/SDSLOT/|Karte_\u00e4|0 MB/0 MB(0 G/0 G)",
                                 "/media/me/STICK/|STICK \u00c4|29436 MB/30436 MB(28 G/29 G)"}));
}

}  // namespace

}  // namespace quillmar
