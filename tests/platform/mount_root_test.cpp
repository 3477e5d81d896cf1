#include "platform/mount_root.h"

#include "support/tmpfs_mount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(MountRoot, OnlyTheRootOfAMountedVolumeCounts) {
    QTemporaryDir dir;
    const QString card = dir.path() + "/card";
    QDir().mkpath(card);
    QFile(dir.path() + "/file").open(QIODevice::WriteOnly);
    EXPECT_TRUE(IsMountedVolumeRoot("/"));
    EXPECT_TRUE(IsMountedVolumeRoot("/proc/"));
    for (const QString& path : {card + "/", dir.path() + "/file", dir.path() + "/gone/", QString()})
        EXPECT_FALSE(IsMountedVolumeRoot(path)) << path.toStdString();

    test_support::ScopedTmpfs mount(card);
    if (!mount.mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot(card + "/"));
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot(card + "/"));  // the empty folder left behind
}

}  // namespace
