#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace {

TEST(MountTable, FieldsAroundOptionalTagsAreFoundAndEscapesDecoded) {
    const QList<MountEntry> e = ParseMountInfo(
        "88 27 8:17 / /media/me/CAM\\040CARD rw master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
        "89 27 8:18 /DCIM /mnt/t\\011n\\012b\\134\\04 rw - exfat srv:/x\\040y rw\n"
        "no separator here\n"
        "91 27 x:y / /bad rw - ext4 /dev/sdz rw\n"
        "92 27 8:1 / /short rw -\n");
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[0].major, 8u);
    EXPECT_EQ(e[0].minor, 17u);
    EXPECT_EQ(e[0].mount_dir, "/media/me/CAM CARD");
    EXPECT_EQ(e[0].fs_type, "vfat");
    EXPECT_EQ(e[0].source, "/dev/sdb1");
    EXPECT_EQ(e[1].fs_root, "/DCIM");
    EXPECT_EQ(e[1].mount_dir, "/mnt/t\tn\nb\\\\04");
    EXPECT_EQ(e[1].source, "srv:/x y");
}

}  // namespace
