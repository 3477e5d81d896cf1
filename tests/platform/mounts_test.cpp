#include "platform/fstab_mount_point.h"
#include "platform/mount_root.h"
#include "platform/mount_table.h"
#include "platform/system_disks.h"

#include "support/test_files.h"
#include "support/tmpfs_mount.h"

namespace quillmar {

namespace {

TEST(MountTables, FieldsAreDecodedTheDeletedMarkIsDroppedAndBrokenLinesSkipped) {
    QStringList mounts;
    for (const MountEntry& e :
         ParseMountInfo("21 1 8:17 / /media/me/SD\\040CARD rw,relatime shared:1 - vfat /dev/sdb1 rw\n"
                        "23 1 0:44 /photos\\040(deleted) /mnt/bind\\011tab rw master:2 shared:3 - tmpfs tmpfs rw\n"
                        "24 1 8:19 / /\\040(deleted) rw - ext4 /dev/sdb3 rw\n"
                        "25 1 8:20 / /media/me/(deleted) rw - vfat /dev/sdb4 rw\n"
                        "26 1 8:21 / /media/me/short rw - vfat\n"
                        "27 1 8:22 / /media/me/nodash rw vfat /dev/sdb6 rw\n"
                        "28 1 x:1 / /media/me/badnumber rw - vfat /dev/sdb7 rw\n\n"))
        mounts
            << QString("%1:%2 %3|%4|%5|%6").arg(e.major).arg(e.minor).arg(e.fs_root, e.mount_dir, e.fs_type, e.source);
    EXPECT_EQ(mounts, (QStringList{"8:17 /|/media/me/SD CARD|vfat|/dev/sdb1", "0:44 /photos|/mnt/bind\ttab|tmpfs|tmpfs",
                                   "8:19 /|/|ext4|/dev/sdb3", "8:20 /|/media/me/(deleted)|vfat|/dev/sdb4"}));

    QStringList swaps;
    for (const SwapEntry& s : ParseSwaps("Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                                         "/dev/dm-2                               partition\t8388604\t\t0\t\t-2\n"
                                         "/media/me/USB\\040DISK/swap\\011file      file\t\t1048572\t\t0\t\t-3\n"
                                         "/old/swapfile (deleted)                 file\t\t1048572\t\t0\t\t-4\n"
                                         "garbage\n"))
        swaps << s.path + (s.is_file ? " file" : "");
    EXPECT_EQ(swaps, (QStringList{"/dev/dm-2", "/media/me/USB DISK/swap\tfile file", "/old/swapfile file"}));
    EXPECT_TRUE(ParseSwaps("/dev/sda2 partition 1 0 -2\n").isEmpty());  // no header line: nothing trusted

    EXPECT_EQ(ParseFstabMountDirs("# /etc/fstab\nUUID=1234 / ext4 errors=remount-ro 0 1\n"
                                  "  /dev/sdb1\t/mnt/my\\040sd  vfat noauto,user 0 0\n/swapfile none swap sw 0 0\n"
                                  "/dev/sdc2 swap swap defaults 0 0\ntmpfs /tmp tmpfs\nbroken-line\n"),
              (QStringList{"/", "/mnt/my sd", "/tmp"}));
}

// The folders the system lives in and below, not look-alikes beside them.
TEST(SystemMountDirs, MatchWholeFolderNames) {
    EXPECT_TRUE(IsSystemMountDir("/") && IsSystemMountDir("/boot/efi") && IsSystemMountDir("/var/lib/docker"));
    for (const char* dir : {"/media/me/CARD", "/bootcard", "/usr2", "/variant", "/home/me/card", ""})
        EXPECT_FALSE(IsSystemMountDir(dir)) << dir;
}

// Only the root of a mounted volume counts. A folder fstab keeps for a card
// is found through links and from below while nothing is mounted on it.
TEST(MountRootAndFstabMountPoints, FollowWhatIsMountedNow) {
    QTemporaryDir dir;
    const QString sd = dir.path() + "/sd card", other = dir.path() + "/other", link = dir.path() + "/link";
    SystemPaths paths;
    paths.fstab = dir.path() + "/fstab";
    ASSERT_TRUE(QDir().mkpath(sd + "/DCIM") && QDir().mkpath(other) && QFile::link(sd, link) &&
                test_support::WriteRaw(paths.fstab, "UUID=1 / ext4 defaults 0 1\n/dev/sdz1 " +
                                                        QFile::encodeName(sd).replace(" ", "\\040") +
                                                        "/ vfat noauto,user 0 0\n"));
    EXPECT_TRUE(IsMountedVolumeRoot("/") && IsMountedVolumeRoot("/proc/"));
    for (const QString& path : {sd + "/", paths.fstab, dir.path() + "/gone/", QString()})
        EXPECT_FALSE(IsMountedVolumeRoot(path)) << path.toStdString();
    for (const QString& card : {sd, sd + "/", sd + "/DCIM", link, QString("%1/../%2").arg(other, "sd card")})
        EXPECT_EQ(UnmountedFstabMountPoint(paths, card), std::optional<QString>(sd)) << card.toStdString();
    EXPECT_EQ(UnmountedFstabMountPoint(paths, other), std::nullopt);

    test_support::ScopedTmpfs mount(sd);
    if (!mount.Mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot(sd + "/"));
    EXPECT_EQ(UnmountedFstabMountPoint(paths, sd), std::nullopt);
    EXPECT_EQ(UnmountedFstabMountPoint(paths, link), std::nullopt);
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot(sd + "/"));  // the empty folder left behind
}

}  // namespace

}  // namespace quillmar
