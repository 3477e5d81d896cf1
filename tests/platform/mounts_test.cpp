#include "platform/fstab_mount_point.h"
#include "platform/mount_root.h"
#include "platform/mount_table.h"
#include "platform/system_disks.h"

#include "support/test_files.h"
#include "support/tmpfs_mount.h"

namespace quillmar {

namespace {

TEST(MountRoot, OnlyTheRootOfAMountedVolumeCounts) {
    QTemporaryDir dir;
    const QString card = dir.path() + "/card";
    ASSERT_TRUE(QDir().mkpath(card) && QFile(dir.path() + "/file").open(QIODevice::WriteOnly));
    EXPECT_TRUE(IsMountedVolumeRoot("/") && IsMountedVolumeRoot("/proc/"));
    for (const QString& path : {card + "/", dir.path() + "/file", dir.path() + "/gone/", QString()})
        EXPECT_FALSE(IsMountedVolumeRoot(path)) << path.toStdString();

    test_support::ScopedTmpfs mount(card);
    if (!mount.Mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_TRUE(IsMountedVolumeRoot(card + "/"));
    ASSERT_TRUE(mount.Release());
    EXPECT_FALSE(IsMountedVolumeRoot(card + "/"));  // the empty folder left behind
}

TEST(SystemMountDirs, TheFoldersTheSystemLivesInAndNothingBeside) {
    for (const char* dir : {"/", "/boot", "/boot/efi", "/boot/firmware", "/efi", "/usr", "/usr/local", "/var",
                            "/var/lib/docker", "/home", "/opt", "/srv", "/nix"})
        EXPECT_TRUE(IsSystemMountDir(dir)) << dir;
    for (const char* dir : {"/media/me/CARD", "/bootcard", "/usr2", "/variant", "/home/me/card", "/mnt/sd",
                            "/run/media/me/EOS_DIGITAL", ""})
        EXPECT_FALSE(IsSystemMountDir(dir)) << dir;
}

TEST(MountTable, FieldsAreDecodedTheDeletedMarkIsDroppedAndBrokenLinesSkipped) {
    const QList<MountEntry> entries = ParseMountInfo(
        "21 1 8:17 / /media/me/SD\\040CARD rw,relatime shared:1 - vfat /dev/sdb1 rw\n"
        "22 1 8:18 / /media/me/OLD\\040(deleted) rw - exfat /dev/sdb2 rw\n"
        "23 1 0:44 /photos\\040(deleted) /mnt/bind\\011tab rw master:2 shared:3 - tmpfs tmpfs rw\n"
        "24 1 8:19 / /\\040(deleted) rw - ext4 /dev/sdb3 rw\n"
        "25 1 8:20 / /media/me/(deleted) rw - vfat /dev/sdb4 rw\n"
        "26 1 8:21 / /media/me/short rw - vfat\n"
        "27 1 8:22 / /media/me/nodash rw vfat /dev/sdb6 rw\n"
        "28 1 x:1 / /media/me/badnumber rw - vfat /dev/sdb7 rw\n"
        "\n");
    const struct {
        unsigned major, minor;
        const char *root, *dir, *type, *source;
    } expected[] = {
        {8, 17, "/", "/media/me/SD CARD", "vfat", "/dev/sdb1"},   {8, 18, "/", "/media/me/OLD", "exfat", "/dev/sdb2"},
        {0, 44, "/photos", "/mnt/bind\ttab", "tmpfs", "tmpfs"},   {8, 19, "/", "/", "ext4", "/dev/sdb3"},
        {8, 20, "/", "/media/me/(deleted)", "vfat", "/dev/sdb4"},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const MountEntry& e = entries[i];
        EXPECT_EQ(e.major, expected[i].major) << i;
        EXPECT_EQ(e.minor, expected[i].minor) << i;
        EXPECT_EQ(e.fs_root, expected[i].root) << i;
        EXPECT_EQ(e.mount_dir, expected[i].dir) << i;
        EXPECT_EQ(e.fs_type, expected[i].type) << i;
        EXPECT_EQ(e.source, expected[i].source) << i;
    }
}

TEST(SwapAndFstabTables, NamesAreDecodedAndOnlyRealEntriesKept) {
    const QList<SwapEntry> swaps = ParseSwaps(
        "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
        "/dev/dm-2                               partition\t8388604\t\t0\t\t-2\n"
        "/media/me/USB\\040DISK/swap\\011file      file\t\t1048572\t\t0\t\t-3\n"
        "/old/swapfile (deleted)                 file\t\t1048572\t\t0\t\t-4\n"
        "garbage\n");
    ASSERT_EQ(swaps.size(), 3);
    EXPECT_EQ(swaps[0].path, "/dev/dm-2");
    EXPECT_FALSE(swaps[0].is_file);
    EXPECT_EQ(swaps[1].path, "/media/me/USB DISK/swap\tfile");
    EXPECT_TRUE(swaps[1].is_file && swaps[2].is_file);
    EXPECT_EQ(swaps[2].path, "/old/swapfile");
    EXPECT_TRUE(ParseSwaps("/dev/sda2 partition 1 0 -2\n").isEmpty());  // no header line: nothing trusted

    EXPECT_EQ(ParseFstabMountDirs("# /etc/fstab\n"
                                  "UUID=1234 / ext4 errors=remount-ro 0 1\n"
                                  "  /dev/sdb1\t/mnt/my\\040sd  vfat noauto,user 0 0\n"
                                  "/swapfile none swap sw 0 0\n"
                                  "/dev/sdc2 swap swap defaults 0 0\n"
                                  "tmpfs /tmp tmpfs\n"
                                  "broken-line\n"),
              (QStringList{"/", "/mnt/my sd", "/tmp"}));
}

// A folder fstab keeps for a card, with and without the card mounted on it.
TEST(UnmountedFstabMountPoints, AFolderWaitingForItsVolumeIsFoundAlsoThroughLinksAndBelow) {
    QTemporaryDir dir;
    const QString sd = dir.path() + "/sd card", other = dir.path() + "/other", link = dir.path() + "/link";
    ASSERT_TRUE(QDir().mkpath(sd + "/DCIM") && QDir().mkpath(other) && QFile::link(sd, link));
    SystemPaths paths;
    paths.fstab = dir.path() + "/fstab";
    QByteArray escaped = QFile::encodeName(sd);
    escaped.replace(" ", "\\040");
    ASSERT_TRUE(test_support::WriteRaw(
        paths.fstab, "UUID=1 / ext4 defaults 0 1\n/dev/sdz1 " + escaped + "/ vfat noauto,user 0 0\n"));

    for (const QString& card : {sd, sd + "/", sd + "/DCIM", link, QString("%1/../%2").arg(other, "sd card")})
        EXPECT_EQ(UnmountedFstabMountPoint(paths, card), std::optional<QString>(sd)) << card.toStdString();
    EXPECT_EQ(UnmountedFstabMountPoint(paths, other), std::nullopt);
    paths.fstab = dir.path() + "/missing";
    EXPECT_EQ(UnmountedFstabMountPoint(paths, sd), std::nullopt);

    paths.fstab = dir.path() + "/fstab";
    test_support::ScopedTmpfs mount(sd);
    if (!mount.Mounted()) GTEST_SKIP() << "mounting is not permitted here";
    EXPECT_EQ(UnmountedFstabMountPoint(paths, sd), std::nullopt);
    EXPECT_EQ(UnmountedFstabMountPoint(paths, link), std::nullopt);
}

}  // namespace

}  // namespace quillmar
