#include "cards/card_list.h"
#include "cards/card_version.h"
#include "cards/system_drive_source.h"

#include "fake_card_list_view.h"
#include "support/fake_system_tree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

TEST(SystemDriveSource, CardsOfAMixedMachineWithLabelsAndSizes) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    tree.AddDisk(dp::Usb(1, "sdb"), 8, 16, true);
    tree.AddPartition(dp::Usb(1, "sdb"), "sdb1", 8, 17);
    tree.AddMount(8, 17, "/media/me/STICK", "vfat", "/dev/sdb1");
    tree.AddByLabelLink("STICK", "sdb1");
    tree.AddDisk(dp::Usb(2, "sdc"), 8, 32, false);
    tree.AddPartition(dp::Usb(2, "sdc"), "sdc1", 8, 33);
    tree.AddMount(8, 33, "/media/me/CAM\\040CARD", "exfat", "/dev/sdc1");
    tree.SetUdevRecord(8, 33, "E:ID_FS_LABEL=CAM_CARD\nE:ID_FS_LABEL_ENC=CAM\\x20CARD\n");
    tree.AddDisk(dp::Mmc(1, "mmcblk1"), 179, 8, false, "SD");
    tree.AddPartition(dp::Mmc(1, "mmcblk1"), "mmcblk1p1", 179, 9);
    tree.AddMount(179, 9, "/media/me/SDSLOT", "vfat", "/dev/mmcblk1p1");
    tree.AddDisk(dp::Mmc(0, "mmcblk0"), 179, 0, false, "MMC");
    tree.AddPartition(dp::Mmc(0, "mmcblk0"), "mmcblk0p1", 179, 1);
    tree.AddMount(179, 1, "/home", "ext4", "/dev/mmcblk0p1");
    tree.AddDisk(dp::Sata(1, "sda"), 8, 0, false);
    tree.AddMount(8, 0, "/mnt/data", "ext4", "/dev/sda");
    tree.AddDisk(dp::Usb(3, "sdd"), 8, 48, false);
    tree.AddMount(8, 48, "/", "ext4", "/dev/sdd");
    tree.AddDisk(dp::Virtual("loop0"), 7, 0, false);
    tree.AddMount(7, 0, "/snap/x", "squashfs", "/dev/loop0");
    tree.AddMount(0, 40, "/media/me/ram", "tmpfs", "tmpfs");

    const QHash<QString, VolumeSpace> spaces = {
        {"/media/me/STICK/", {31914983424, 30866227200}},
        {"/media/me/CAM CARD/", {8053063680, 1073741823}},
    };
    SystemDriveSource drives(tree.paths(), [&](const QString& root) -> std::optional<VolumeSpace> {
        if (!spaces.contains(root)) return std::nullopt;
        return spaces.value(root);
    });
    FakeCardListView view;
    CardList list(view, drives);
    view.owner = &list;
    list.RefreshCardList();

    ASSERT_EQ(view.ItemCount(), 3);
    EXPECT_EQ(view.Row(0), (QStringList{"/media/me/CAM CARD/", "CAM CARD", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText}));
    EXPECT_EQ(view.Row(1), (QStringList{"/media/me/SDSLOT/", "", "0 MB/0 MB(0 G/0 G)", kNoVersionText}));
    EXPECT_EQ(view.Row(2),
              (QStringList{"/media/me/STICK/", "STICK", "29436 MB/30436 MB(28 G/29 G)", kNoVersionText}));
    EXPECT_EQ(list.target_root(), "/media/me/CAM CARD/");
}

TEST(SystemDriveSource, FolderRowHasTheSpaceOfItsFileSystemAndNoLabel) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path() + "/fake");
    QDir().mkpath(dir.path() + "/card");
    SystemDriveSource drives(tree.paths());
    const QString root = FolderCardRoot(dir.path() + "/card");
    EXPECT_TRUE(drives.RemovableRoots().isEmpty());
    EXPECT_EQ(drives.VolumeLabel(root), "");
    const std::optional<VolumeSpace> space = drives.Space(root);
    ASSERT_TRUE(space);
    EXPECT_GT(space->total_bytes, 0u);
    EXPECT_LE(space->free_bytes, space->total_bytes);
    EXPECT_FALSE(drives.Space(dir.path() + "/gone/"));
}

}  // namespace
