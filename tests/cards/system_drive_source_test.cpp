#include "cards/card_list.h"
#include "cards/card_version.h"
#include "cards/system_drive_source.h"

#include "fake_card_list_view.h"
#include "support/fake_system_tree.h"

#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

namespace dp = test_support::devpaths;

// A camera user's machine: three cards among the usual disks.
TEST(SystemDriveSource, MixedMachineShowsOnlyItsThreeCardsWithLabelsAndSizes) {
    QTemporaryDir dir;
    test_support::FakeSystemTree t(dir.path());
    t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");  // USB stick
    t.AddDevice(dp::Usb(1, "sdb/sdb1"), 8, 17);
    t.AddMount(8, 17, "/media/me/STICK", "vfat", "/dev/sdb1");
    t.AddByLabelLink("STICK", "sdb1");
    t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "0");  // SD card in a USB reader that says "not removable"
    t.AddDevice(dp::Usb(2, "sdc/sdc1"), 8, 33);
    t.AddMount(8, 33, "/media/me/CAM\\040CARD", "exfat", "/dev/sdc1");
    t.SetUdevRecord(8, 33, "E:ID_FS_LABEL=CAM_CARD\nE:ID_FS_LABEL_ENC=CAM\\x20CARD\n");
    t.AddDevice(dp::Mmc(1, "mmcblk1"), 179, 8, "0", "SD");  // built-in SD slot, card without label
    t.AddDevice(dp::Mmc(1, "mmcblk1/mmcblk1p1"), 179, 9);
    t.AddMount(179, 9, "/media/me/SDSLOT", "vfat", "/dev/mmcblk1p1");
    t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "MMC");  // eMMC system disk
    t.AddDevice(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1);
    t.AddDevice(dp::Mmc(0, "mmcblk0/mmcblk0p2"), 179, 2);
    t.AddMount(179, 1, "/boot", "vfat", "/dev/mmcblk0p1");
    t.AddMount(179, 2, "/media/me/emmc", "ext4", "/dev/mmcblk0p2");
    t.AddDevice(dp::Sata("sda"), 8, 0, "0");  // fixed SATA disk
    t.AddMount(8, 0, "/mnt/data", "ext4", "/dev/sda");
    t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");  // the system runs from a USB disk
    t.AddDevice(dp::Usb(3, "sdd/sdd1"), 8, 49);
    t.AddDevice(dp::Usb(3, "sdd/sdd2"), 8, 50);
    t.AddMount(8, 49, "/", "ext4", "/dev/sdd1");
    t.AddMount(8, 50, "/media/me/usbsys", "vfat", "/dev/sdd2");
    t.AddDevice(dp::Virtual("loop0"), 7, 0, "0");
    t.AddMount(7, 0, "/media/me/image", "squashfs", "/dev/loop0");
    t.AddMount(0, 40, "/media/me/ram", "tmpfs", "tmpfs");

    const QHash<QString, VolumeSpace> spaces = {{"/media/me/STICK/", {31914983424, 30866227200}},
                                                {"/media/me/CAM CARD/", {8053063680, 1073741823}}};
    SystemDriveSource drives(t.paths(), [&](const QString& root) {
        return spaces.contains(root) ? std::optional(spaces.value(root)) : std::nullopt;
    });
    FakeCardListView view;
    CardList list(view, drives);
    view.owner = &list;
    list.RefreshCardList();

    EXPECT_EQ(view.rows, (QList<QStringList>{
                             {"/media/me/CAM CARD/", "CAM CARD", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText},
                             {"/media/me/SDSLOT/", "", "0 MB/0 MB(0 G/0 G)", kNoVersionText},
                             {"/media/me/STICK/", "STICK", "29436 MB/30436 MB(28 G/29 G)", kNoVersionText},
                         }));
    EXPECT_EQ(list.target_root(), "/media/me/CAM CARD/");
}

}  // namespace
