#include "platform/mount_root.h"

#include "support/tmpfs_mount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(MountRoot, OnlyTheRootOfAMountedVolumeCounts) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/sub");
    QFile file(dir.path() + "/file");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(IsMountedVolumeRoot("/"));
    EXPECT_TRUE(IsMountedVolumeRoot("/proc/"));
    EXPECT_FALSE(IsMountedVolumeRoot(dir.path() + "/sub/"));
    EXPECT_FALSE(IsMountedVolumeRoot(dir.path() + "/file"));
    EXPECT_FALSE(IsMountedVolumeRoot(dir.path() + "/gone/"));
    EXPECT_FALSE(IsMountedVolumeRoot(QString()));
}

TEST(MountRoot, EmptyMountFolderLeftAfterUnmountIsNotOne) {
    QTemporaryDir dir;
    const QString card = dir.path() + "/card";
    QDir().mkpath(card);
    test_support::ScopedTmpfs mount(card);
    if (!mount.mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot(card + "/"));
    EXPECT_TRUE(IsMountedVolumeRoot(card));
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot(card + "/"));
}

}  // namespace
