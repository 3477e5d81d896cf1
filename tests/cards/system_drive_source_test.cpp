#include "cards/card_list.h"
#include "cards/card_version.h"
#include "cards/system_drive_source.h"
#include "platform/volume_label.h"

#include "fake_card_list_view.h"
#include "support/fake_system_tree.h"

#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

namespace dp = test_support::devpaths;

// A camera user's machine: three cards among the usual disks and the traps
// around them.
TEST(SystemDriveSource, MixedMachineShowsOnlyItsThreeCardsWithLabelsAndSizes) {
    QTemporaryDir dir;
    test_support::FakeSystemTree t(dir.path());
    t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");  // USB stick; btrfs shows an anonymous device number
    t.AddDevice(dp::Usb(1, "sdb/sdb1"), 8, 17);
    t.AddMount(0, 61, "/media/me/STICK", "btrfs", "/dev/sdb1");
    t.AddByLabelLink("STICK\\x20\xc3\x84", "sdb1");  // no udev record: the by-label link
    t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "0");  // SD card in a USB reader that says "not removable"
    t.AddMountedPartition(dp::Usb(2, "sdc/sdc1"), 8, 33, "/media/me/zz", "exfat");  // listed under its first folder
    t.AddMount(8, 33, "/media/me/CAM\\040CARD", "exfat", "/dev/sdc1");
    t.SetUdevRecord(8, 33, "E:ID_FS_LABEL=CAM_CARD\nE:ID_FS_LABEL_ENC=CAM\\x20CARD\n");
    t.AddDevice(dp::Mmc(1, "mmcblk1"), 179, 8, "0", "SD");  // built-in SD slot
    t.AddMountedPartition(dp::Mmc(1, "mmcblk1/mmcblk1p1"), 179, 9, "/media/me/SDSLOT", "vfat");
    t.SetUdevRecord(179, 9, "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=Karte_\xc3\xa4\n");  // older udev: plain label only
    t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "MMC");  // eMMC system disk
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1, "/boot", "vfat");
    t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p2"), 179, 2, "/media/me/emmc", "ext4");
    t.AddDevice(dp::Mmc(2, "mmcblk2"), 179, 16, "0", "MMC");  // a second eMMC chip, holding no system folder
    t.AddMountedPartition(dp::Mmc(2, "mmcblk2/mmcblk2p1"), 179, 17, "/media/me/emmc2", "ext4");
    t.AddDevice(dp::Sata("sda"), 8, 0, "0");  // fixed SATA disk
    t.AddMount(8, 0, "/mnt/data", "ext4", "/dev/sda");
    t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");  // the system runs from a USB disk
    t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/", "ext4");
    t.AddMountedPartition(dp::Usb(3, "sdd/sdd2"), 8, 50, "/media/me/usbsys", "vfat");
    t.AddDevice(dp::Virtual("loop0"), 7, 0, "0");
    t.AddMount(7, 0, "/media/me/image", "squashfs", "/dev/loop0");
    t.AddMount(0, 40, "/media/me/ram", "tmpfs", "tmpfs");
    t.AddDevice(dp::Usb(4, "sde"), 8, 64, "1");  // a card's volumes that are not cards:
    t.AddMountedPartition(dp::Usb(4, "sde/sde1"), 8, 65, "/media/me/hidden", "vfat");
    t.AddMount(0, 53, "/media/me/hidden", "tmpfs", "tmpfs");  // under a later mount on its folder,
    t.AddMountedPartition(dp::Usb(4, "sde/sde2"), 8, 66, "/media/me/bind", "vfat", "/DCIM");  // a folder of it,
    t.AddMountedPartition(dp::Usb(4, "sde/sde3"), 8, 67, "/media/me/pulled", "vfat");
    t.RemoveDevice("sde3", 8, 67);  // pulled without unmounting
    t.AddDevice(dp::Usb(5, "sdf"), 8, 80, "1");  // /home on an encrypted partition of a USB disk
    t.AddMountedPartition(dp::Usb(5, "sdf/sdf1"), 8, 81, "/media/me/dm", "vfat");
    t.AddDevice(dp::Usb(5, "sdf/sdf2"), 8, 82);
    t.AddDevice(dp::Virtual("dm-0"), 253, 0, "0");
    t.AddSlave(dp::Virtual("dm-0"), dp::Usb(5, "sdf/sdf2"));
    t.AddMount(253, 0, "/home", "ext4", "/dev/mapper/home");
    t.AddDevice(dp::Usb(6, "sdg"), 8, 96, "1");  // /var in a btrfs sub-volume of a USB disk
    t.AddMountedPartition(dp::Usb(6, "sdg/sdg1"), 8, 97, "/media/me/sub", "vfat");
    t.AddDevice(dp::Usb(6, "sdg/sdg2"), 8, 98);
    t.AddMount(0, 33, "/var", "btrfs", "/dev/sdg2", "/@var");
    t.AddDevice(dp::Usb(7, "sr0"), 11, 0, "1");  // USB optical drive, loop device flagged removable
    t.AddMount(11, 0, "/media/dvd", "iso9660", "/dev/sr0");
    t.AddDevice(dp::Virtual("loop3"), 7, 3, "1");
    t.AddMount(7, 3, "/media/img", "vfat", "/dev/loop3");

    const QHash<QString, VolumeSpace> spaces = {{"/media/me/STICK/", {31914983424, 30866227200}},
                                                {"/media/me/CAM CARD/", {8053063680, 1073741823}}};
    SystemDriveSource drives(t.paths(), [&](const QString& root) {
        return spaces.contains(root) ? std::optional(spaces.value(root)) : std::nullopt;
    });
    FakeCardListView view;
    CardList list(view, drives);
    view.owner = &list;
    view.rows = {{"old", "old", "old", "old"}, {"stale", "", "", ""}};
    list.RefreshCardList();
    EXPECT_EQ(view.rows, (QList<QStringList>{
                             {"/media/me/CAM CARD/", "CAM CARD", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText},
                             {"/media/me/SDSLOT/", "Karte_\u00e4", "0 MB/0 MB(0 G/0 G)", kNoVersionText},
                             {"/media/me/STICK/", "STICK \u00c4", "29436 MB/30436 MB(28 G/29 G)", kNoVersionText},
                         }));
    EXPECT_EQ(list.target_root(), "/media/me/CAM CARD/");
    EXPECT_EQ(DecodeUdevEscapes("a\\x20b\\x2Fc\\xzz\\x4"), QByteArray("a b/c\\xzz\\x4"));
}

}  // namespace
