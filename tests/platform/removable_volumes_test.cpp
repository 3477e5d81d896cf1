#include "platform/removable_volumes.h"
#include "platform/volume_label.h"

#include "support/fake_system_tree.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test_support::FakeSystemTree;
namespace dp = test_support::devpaths;

// Each case: one USB disk sdf (8:80) with partitions sdf1 (8:81) and sdf2
// (8:82), plus what the case mounts and changes.
struct DriveCase {
    const char* what;
    void (*build)(FakeSystemTree&);
    QStringList listed;
};

const DriveCase kDriveCases[] = {
    {"btrfs reports an anonymous device number; found by its source",
     [](FakeSystemTree& t) { t.AddMount(0, 61, "/media/c", "btrfs", "/dev/sdf1"); }, {"/media/c"}},
    {"stale mount of a card pulled without unmounting",
     [](FakeSystemTree& t) {
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
         t.RemoveDevice("sdf1", 8, 81);
     },
     {}},
    {"card hidden under a later mount on its folder",
     [](FakeSystemTree& t) {
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
         t.AddMount(0, 53, "/media/c", "tmpfs", "tmpfs");
     },
     {}},
    {"bind mount of a folder on the card", [](FakeSystemTree& t) { t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1", "/DCIM"); }, {}},
    {"volume mounted twice is listed under its first folder",
     [](FakeSystemTree& t) {
         t.AddMount(8, 81, "/media/z", "vfat", "/dev/sdf1");
         t.AddMount(8, 81, "/media/a", "vfat", "/dev/sdf1");
     },
     {"/media/a"}},
    {"system root on an encrypted partition of the disk",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Virtual("dm-0"), 253, 0, "0");
         t.AddSlave(dp::Virtual("dm-0"), dp::Usb(4, "sdf/sdf2"));
         t.AddMount(253, 0, "/", "ext4", "/dev/mapper/root");
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
     },
     {}},
    {"system in a btrfs sub-volume on the disk",
     [](FakeSystemTree& t) {
         t.AddMount(0, 33, "/", "btrfs", "/dev/sdf2", "/@");
         t.AddMount(8, 81, "/media/c", "vfat", "/dev/sdf1");
     },
     {}},
    {"USB optical drive and a loop device flagged removable",
     [](FakeSystemTree& t) {
         t.AddDevice(dp::Usb(5, "sr0"), 11, 0, "1");
         t.AddMount(11, 0, "/media/dvd", "iso9660", "/dev/sr0");
         t.AddDevice(dp::Virtual("loop3"), 7, 3, "1");
         t.AddMount(7, 3, "/media/img", "vfat", "/dev/loop3");
         t.AddMount(0, 52, "/media/nfs", "nfs4", "server:/export");
     },
     {}},
};

TEST(RemovableVolumes, TrapsAroundCardsAreAvoided) {
    for (const DriveCase& c : kDriveCases) {
        QTemporaryDir dir;
        FakeSystemTree tree(dir.path());
        tree.AddDevice(dp::Usb(4, "sdf"), 8, 80, "0");
        tree.AddDevice(dp::Usb(4, "sdf/sdf1"), 8, 81);
        tree.AddDevice(dp::Usb(4, "sdf/sdf2"), 8, 82);
        c.build(tree);
        QStringList dirs;
        for (const RemovableVolume& v : ListRemovableVolumes(tree.paths())) dirs << v.mount_dir;
        EXPECT_EQ(dirs, c.listed) << c.what;
    }
}

TEST(VolumeLabel, UdevRecordFirstThenByLabelLinks) {
    QTemporaryDir dir;
    FakeSystemTree tree(dir.path());
    const QStringList names{"sdb", "sdc", "sdd", "sde", "sdf"};
    for (unsigned i = 0; i < 5; ++i) {
        tree.AddDevice(dp::Usb(static_cast<int>(i), names[i]), 8, 16 * (i + 1), "1");
        tree.AddMount(8, 16 * (i + 1), "/media/" + names[i].toLatin1(), "vfat", "/dev/" + names[i].toLatin1());
    }
    // Two cards of one camera share a label; only the records keep both.
    tree.SetUdevRecord(8, 16, "E:ID_FS_LABEL=CAM_A_1\nE:ID_FS_LABEL_ENC=CAM\\x20A\\x2f1\nE:ID_FS_TYPE=vfat\n");
    tree.SetUdevRecord(8, 32, "E:ID_FS_LABEL_ENC=CAM\\x20A\\x2f1\n");
    tree.AddByLabelLink("CAM\\x20A\\x2f1", "sdc");
    tree.SetUdevRecord(8, 48, "E:ID_FS_LABEL=Karte_\xc3\xa4\n");  // older udev: the plain label only
    tree.AddByLabelLink("R\xc3\xa9sum\xc3\xa9\\x20disk", "sde");      // no record at all
    tree.AddByLabelLink("OTHER", "sdz");
    tree.SetUdevRecord(8, 80, "E:ID_FS_TYPE=vfat\n");  // probed, no label
    const QStringList expected{"CAM A/1", "CAM A/1", "Karte_\u00e4", "R\u00e9sum\u00e9 disk", ""};
    for (int i = 0; i < 5; ++i) {
        const std::optional<BlockDevice> device = FindMountedDevice(tree.paths(), "/media/" + names[i]);
        ASSERT_TRUE(device) << i;
        EXPECT_EQ(ReadVolumeLabel(tree.paths(), *device), expected[i]) << i;
    }
    EXPECT_EQ(DecodeUdevEscapes("a\\x20b\\x2Fc\\xzz\\x4"), QByteArray("a b/c\\xzz\\x4"));
}

}  // namespace
