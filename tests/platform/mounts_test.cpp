#include "platform/mount_root.h"

#include "support/test_files.h"
#include "support/tmpfs_mount.h"

namespace {

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
