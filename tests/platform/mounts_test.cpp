#include "platform/mount_root.h"
#include "platform/mount_table.h"

#include "support/test_files.h"
#include "support/tmpfs_mount.h"

namespace {

TEST(MountTable, FieldsAroundOptionalTagsAreFoundEscapesDecodedAndBadLinesSkipped) {
    QStringList entries;
    for (const MountEntry& e : ParseMountInfo(
             "88 27 8:17 / /media/me/CAM\\040CARD rw master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
             "89 27 8:18 /DCIM /mnt/t\\011n\\012b\\134\\04 rw - exfat srv:/x\\040y rw\n"
             "no separator here\n91 27 x:y / /bad rw - ext4 /dev/sdz rw\n92 27 8:1 / /short rw -\n"))
        entries << QStringLiteral("%1:%2|%3|%4|%5|%6").arg(e.major).arg(e.minor).arg(e.fs_root, e.mount_dir, e.fs_type,
                                                                                     e.source);
    EXPECT_EQ(entries, (QStringList{"8:17|/|/media/me/CAM CARD|vfat|/dev/sdb1",
                                    "8:18|/DCIM|/mnt/t\tn\nb\\\\04|exfat|srv:/x y"}));
}

TEST(MountRoot, OnlyTheRootOfAMountedVolumeCounts) {
    QTemporaryDir dir;
    const QString card = dir.path() + "/card";
    ASSERT_TRUE(QDir().mkpath(card) && QFile(dir.path() + "/file").open(QIODevice::WriteOnly));
    EXPECT_TRUE(IsMountedVolumeRoot("/") && IsMountedVolumeRoot("/proc/"));
    for (const QString& path : {card + "/", dir.path() + "/file", dir.path() + "/gone/", QString()})
        EXPECT_FALSE(IsMountedVolumeRoot(path)) << path.toStdString();

    test_support::ScopedTmpfs mount(card);
    if (!mount.mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot(card + "/"));
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot(card + "/"));  // the empty folder left behind
}

}  // namespace
