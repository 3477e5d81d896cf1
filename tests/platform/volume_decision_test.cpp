// Why each mount is or is not a card, on a fake machine holding every kind of
// mount the rules tell apart, and what of that reaches the log.

#include "platform/removable_volumes.h"
#include "platform/volume_decision.h"

#include "support/fake_system_tree.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillmar {

namespace {

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

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
const char* const kExpected[][3] = {
    {"/", "system-folder", "mounted on a system folder"},
    {"/proc", "pseudo", "proc has no device behind it"},
    {"/boot/firmware", "system-folder", "mounted on a system folder"},
    {"/media/pi/rootfs", "system-disk", "on a system disk, which holds /boot/firmware"},
    {"/mnt/cam-again", "duplicate", "the same volume as /media/me/CAM"},
    {"/media/me/CAM", "card", "disk on USB"},
    {"/home/me/dcim", "sub-folder", "bind mount of /DCIM inside a volume"},
    {"/media/me/OLD", "card", "SD card"},
    {"/media/me/over", "hidden", "hidden by a later mount on the same folder"},
    {"/media/me/over", "pseudo", "tmpfs has no device behind it"},
    {"/mnt/nas", "network", "network file system (nfs4)"},
    {"/media/me/phone", "network", "network file system (fuse.sshfs)"},
    {"/media/me/pulled", "stale", "its device /dev/sde1 has gone"},
    {"/media/me/image", "loop", "loop device"},
    {"/media/me/DVD", "optical", "optical drive"},
    {"/media/me/emmc", "emmc", "eMMC built into the board"},
    {"/mnt/data", "fixed-disk", "fixed disk"},
    {"/media/me/raid", "raid", "RAID array"},
};

// Each verdict reaches the log only when the drives category is switched on;
// the list of cards and its explanation agree.
TEST(VolumeDecisions, EveryMountGetsTheReasonThatAppliesAndOnlyCardsAreListed) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    BuildMachine(tree);
    static QStringList log;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& c, const QString& text) { log << c.category + (": " + text); });
    DecideVolumes(tree.Paths());
    EXPECT_EQ(log, QStringList{});
    QLoggingCategory::setFilterRules("quillmar.*=true");
    const QList<VolumeDecision> decisions = DecideVolumes(tree.Paths());
    QLoggingCategory::setFilterRules({});
    qInstallMessageHandler(previous);

    QStringList got, expected, cards, listed;
    for (const VolumeDecision& d : decisions) {
        got << d.mount.mount_dir + ' ' + VerdictCode(d) + ' ' + VerdictText(d);
        if (d.verdict == VolumeVerdict::kCard) cards << d.mount.mount_dir + '/';
    }
    for (const auto& [folder, code, reason] : kExpected) expected << QString("%1 %2 %3").arg(folder, code, reason);
    EXPECT_EQ(got.join('\n').toStdString(), expected.join('\n').toStdString());
    ASSERT_EQ(log.size(), std::size(kExpected)) << log.join('\n').toStdString();
    EXPECT_EQ(log[3],
              "quillmar.drives: not a card: /media/pi/rootfs from /dev/mmcblk0p2 - "
              "on a system disk, which holds /boot/firmware");
    EXPECT_EQ(log[5], "quillmar.drives: card: /media/me/CAM from /dev/sdc1 - disk on USB");
    for (const RemovableVolume& v : ListRemovableVolumes(tree.Paths())) listed << v.root;
    cards.sort();
    EXPECT_EQ(listed, cards);
    EXPECT_EQ(listed, (QStringList{"/media/me/CAM/", "/media/me/OLD/"}));
}

}  // namespace

}  // namespace quillmar
