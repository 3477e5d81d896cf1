// Real machine layouts as fake trees: whatever disk the running system lives
// on, however it is stacked, none of its volumes becomes a card row, and so
// never the default target of "Set"; the cards that are rows carry their labels.
// (Each kind of volume that is no card, whatever disk it is on, is checked in
// tests/platform/mounts_test.cpp.)

#include "cards/card_entry.h"
#include "platform/mounted_drive_source.h"

#include "support/fake_system_tree.h"
#include "support/test_files.h"

namespace quillmar {

namespace {

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

const struct Layout {
    const char* what;
    void (*build)(FakeSystemTree& t);
    QStringList rows;  // root|label
} kLayouts[] = {
    {"camera user's machine: three cards among the usual disks and the traps around them",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");  // USB stick; btrfs shows an anonymous device number
         t.AddDevice(dp::Usb(1, "sdb/sdb1"), 8, 17);
         t.AddMount(0, 61, "/media/me/STICK", "btrfs", "/dev/sdb1");
         t.AddByLabelLink("STICK\\x20\xc3\x84", "sdb1");  // no udev record: the by-label link
         t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "0");      // SD card in a USB reader that says "not removable"
         t.AddMountedPartition(dp::Usb(2, "sdc/sdc1"), 8, 33, "/media/me/CAM\\040CARD", "exfat");
         t.SetUdevRecord(8, 33, "E:ID_FS_LABEL=CAM_CARD\nE:ID_FS_LABEL_ENC=CAM\\x20CARD\n");
         t.AddDevice(dp::Mmc(1, "mmcblk1"), 179, 8, "0", "SD");  // built-in SD slot
         t.AddMountedPartition(dp::Mmc(1, "mmcblk1/mmcblk1p1"), 179, 9, "/media/me/SDSLOT", "vfat");
         t.SetUdevRecord(179, 9, "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=Karte_\xc3\xa4\n");  // older udev: plain label
         t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");  // the system runs from a USB disk
         t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/", "ext4");
         t.AddMountedPartition(dp::Usb(3, "sdd/sdd2"), 8, 50, "/media/me/usbsys", "vfat");
     },
     {"/media/me/CAM CARD/|CAM CARD", "/media/me/SDSLOT/|Karte_\u00e4", "/media/me/STICK/|STICK \u00c4"}},
    {"single-board computer booting wholly from its SD card, root shown as /dev/root",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "SD");
         t.AddDevice(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1);
         t.AddMount(179, 1, "/boot", "vfat", "/dev/mmcblk0p1");
         t.AddDevice(dp::Mmc(0, "mmcblk0/mmcblk0p2"), 179, 2);
         t.AddMount(179, 2, "/", "ext4", "/dev/root");
         t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p3"), 179, 3, "/media/pi/data", "exfat");
         t.AddDevice(dp::Usb(1, "sda"), 8, 0, "0");
         t.AddMountedPartition(dp::Usb(1, "sda/sda1"), 8, 1, "/media/pi/SD\\040CARD", "exfat");
         t.SetUdevRecord(8, 1, "E:ID_FS_LABEL_ENC=SD\\x20CARD\n");
     },
     {"/media/pi/SD CARD/|SD CARD"}},
    {"laptop: LUKS and LVM on NVMe, swap on a logical volume, SD slot, encrypted USB stick",
     [](FakeSystemTree& t) {
         t.AddDevice("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1", 259, 0, "0");
         t.AddMountedPartition("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1/nvme0n1p2", 259, 2, "/boot", "ext4");
         t.AddDevice("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1/nvme0n1p3", 259, 3);
         t.AddMapper("dm-0", 0, "luks-5c1e", {"nvme0n1p3"});
         t.AddMapper("dm-1", 1, "vg-root", {"dm-0"});
         t.AddMount(254, 1, "/", "ext4", "/dev/mapper/vg-root");
         t.AddMapper("dm-2", 2, "vg-swap", {"dm-0"});
         t.SetSwaps("/dev/dm-2                               partition\t8388604\t\t0\t\t-2\n");
         t.AddDevice(dp::Mmc(0, "mmcblk0"), 179, 0, "0", "SD");
         t.AddMountedPartition(dp::Mmc(0, "mmcblk0/mmcblk0p1"), 179, 1, "/media/me/SD", "vfat");
         t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");
         t.AddDevice(dp::Usb(1, "sdb/sdb1"), 8, 17);
         t.AddMapper("dm-4", 4, "luks-stick", {"sdb1"});
         t.AddMount(254, 4, "/media/me/KEYS", "ext4", "/dev/mapper/luks-stick");
         t.SetUdevRecord(254, 4, "E:ID_FS_LABEL_ENC=KEYS\n");
     },
     {"/media/me/KEYS/|KEYS", "/media/me/SD/|"}},
    {"portable install: encrypted btrfs root on a USB disk, found only through dm-N/dm/name",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");
         t.AddMountedPartition(dp::Usb(1, "sdb/sdb1"), 8, 17, "/media/me/ESP", "vfat");
         t.AddDevice(dp::Usb(1, "sdb/sdb2"), 8, 18);
         t.AddMapper("dm-0", 0, "usbcrypt", {"sdb2"}, /*mapper_link=*/false);
         t.AddMount(0, 30, "/", "btrfs", "/dev/mapper/usbcrypt", "/@");
         t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "1");
         t.AddMountedPartition(dp::Usb(2, "sdc/sdc1"), 8, 33, "/media/me/CAMERA", "exfat");
         t.AddDevice("virtual/block/loop0", 7, 0, "0");
         t.AddMapper("dm-1", 1, "vault", {"loop0"});
         t.AddMount(254, 1, "/media/me/vault", "ext4", "/dev/mapper/vault");
     },
     {"/media/me/CAMERA/|"}},
    {"swap on USB disks: a partition, and a file whose name has a space",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Sata("sda"), 8, 0, "0");
         t.AddMountedPartition(dp::Sata("sda/sda1"), 8, 1, "/", "ext4");
         t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");
         t.AddMountedPartition(dp::Usb(1, "sdb/sdb1"), 8, 17, "/media/me/BACKUP", "ext4");
         t.AddDevice(dp::Usb(1, "sdb/sdb2"), 8, 18);
         t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "1");
         t.AddMountedPartition(dp::Usb(2, "sdc/sdc1"), 8, 33, "/media/me/SPARE", "ext4");
         t.AddMountedPartition(dp::Usb(2, "sdc/sdc2"), 8, 34, "/media/me/SPARE/inner", "vfat");
         t.SetSwaps(
             "/dev/disk/by-uuid/1b2f-0a                partition\t1048572\t\t0\t\t-2\n"
             "/media/me/SPARE/swap\\040file            file\t\t1048572\t\t0\t\t-3\n");
         QDir().mkpath(t.Paths().dev + "/disk/by-uuid");
         QFile::link("../../sdb2", t.Paths().dev + "/disk/by-uuid/1b2f-0a");
         t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");
         t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/media/me/CARD", "vfat");
     },
     {"/media/me/CARD/|"}},
    {"md RAID: /srv on a mirror of two USB disks, an LVM volume on a second mirror below /var",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Sata("sda"), 8, 0, "0");
         t.AddMountedPartition(dp::Sata("sda/sda1"), 8, 1, "/", "ext4");
         for (const char* disk : {"sdb", "sdc", "sdd", "sde"}) {
             const int i = disk[2] - 'a';
             t.AddDevice(dp::Usb(i, disk), 8, i * 16, "0");
             t.AddDevice(dp::Usb(i, QString(disk) + '/' + disk + '1'), 8, i * 16 + 1);
         }
         t.AddRaid("md0", 0, {"sdb1", "sdc1"});
         t.AddMount(9, 0, "/srv", "ext4", "/dev/md0");
         t.AddMountedPartition(dp::Usb(1, "sdb/sdb2"), 8, 18, "/media/me/B2", "vfat");
         t.AddRaid("md1", 1, {"sdd1", "sde1"});
         t.AddMapper("dm-0", 0, "data-lib", {"md1"});
         t.AddMount(254, 0, "/var/lib/containers", "xfs", "/dev/mapper/data-lib");
         t.AddMountedPartition(dp::Usb(3, "sdd/sdd2"), 8, 50, "/media/me/D2", "vfat");
         t.AddDevice(dp::Usb(6, "sdf"), 8, 80, "1");
         t.AddMountedPartition(dp::Usb(6, "sdf/sdf1"), 8, 81, "/media/me/CAM", "vfat");
     },
     {"/media/me/CAM/|"}},
    {"btrfs root spanning two USB disks, the mount naming only one",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Usb(1, "sdb"), 8, 16, "1");
         t.AddDevice(dp::Usb(1, "sdb/sdb2"), 8, 18);
         t.AddMount(0, 31, "/", "btrfs", "/dev/sdb2", "/@rootfs");
         t.AddDevice(dp::Usb(2, "sdc"), 8, 32, "1");
         t.AddDevice(dp::Usb(2, "sdc/sdc1"), 8, 33);
         t.AddBtrfs("0d6c9f4e-7a1b-4c55-9f0e-3a2d1c4b5e6f", {"sdb2", "sdc1"});
         t.AddMountedPartition(dp::Usb(2, "sdc/sdc2"), 8, 34, "/media/me/C2", "vfat");
         t.AddDevice(dp::Usb(3, "sdd"), 8, 48, "1");
         t.AddMountedPartition(dp::Usb(3, "sdd/sdd1"), 8, 49, "/media/me/CARD", "vfat");
     },
     {"/media/me/CARD/|"}},
};

TEST(MachineLayouts, SystemDisksAreNeverListedAndEncryptedSticksAre) {
    for (const Layout& layout : kLayouts) {
        QTemporaryDir dir;
        FakeSystemTree tree(dir.path());
        layout.build(tree);
        MountedDriveSource drives(tree.Paths(), [](const std::string&) { return std::nullopt; });
        QStringList rows;
        for (const std::string& root : drives.RemovableRoots()) {
            const CardEntry c = DescribeCard(drives, root);
            rows << QString::fromStdString(c.root + '|' + c.label);
        }
        EXPECT_EQ(rows, layout.rows) << layout.what;
    }
}

}  // namespace

}  // namespace quillmar
