#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace {

TEST(MountTable, ReadsFieldsAroundOptionalTagsAndDecodesEscapes) {
    const QByteArray text =
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "88 27 8:17 / /media/me/CAM\\040CARD rw,nosuid master:3 propagate_from:2 - vfat /dev/sdb1 rw,fmask=0022\n"
        "89 27 8:18 /DCIM /mnt/tab\\011and\\012newline\\134slash rw - exfat /dev/sdb2 rw\n"
        "90 27 0:51 / /media/nfs rw - nfs4 server:/export\\040x rw\n"
        "garbage line without the separator\n"
        "91 27 x:y / /bad rw - ext4 /dev/sdz rw\n"
        "92 27 8:1 / /short rw -\n";
    const QList<MountEntry> entries = ParseMountInfo(text);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].mount_dir, "/");
    EXPECT_EQ(entries[1].major, 8u);
    EXPECT_EQ(entries[1].minor, 17u);
    EXPECT_EQ(entries[1].mount_dir, "/media/me/CAM CARD");
    EXPECT_EQ(entries[1].fs_type, "vfat");
    EXPECT_EQ(entries[1].source, "/dev/sdb1");
    EXPECT_EQ(entries[2].fs_root, "/DCIM");
    EXPECT_EQ(entries[2].mount_dir, "/mnt/tab\tand\nnewline\\slash");
    EXPECT_EQ(entries[3].major, 0u);
    EXPECT_EQ(entries[3].source, "server:/export x");
}

TEST(MountTable, IncompleteEscapesStayAsTheyAre) {
    const QList<MountEntry> entries = ParseMountInfo("1 1 8:1 / /a\\04 rw - vfat /dev/x\\9 rw\n1 1 8:1 / /b\\ rw - t s o");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].mount_dir, "/a\\04");
    EXPECT_EQ(entries[0].source, "/dev/x\\9");
    EXPECT_EQ(entries[1].mount_dir, "/b\\");
}

TEST(MountTable, LiveTableHasTheRootFileSystem) {
    const QList<MountEntry> entries = ReadMountTable(QStringLiteral("/proc/self/mountinfo"));
    EXPECT_TRUE(std::any_of(entries.cbegin(), entries.cend(), [](const MountEntry& e) { return e.mount_dir == "/"; }));
    EXPECT_TRUE(ReadMountTable(QStringLiteral("/nonexistent/mountinfo")).isEmpty());
}

}  // namespace
