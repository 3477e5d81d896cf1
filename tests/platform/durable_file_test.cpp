// Files replaced whole: camera.conf durably beside itself, cfg.ini as a
// shared, possibly hostile file (odd types and sizes, links followed to
// their target) changed only under the writers' lock.

#include "platform/durable_file.h"
#include "platform/durable_file_temporaries.h"
#include "platform/file_lock.h"
#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace test_support;

bool Chmod(const QString& path, mode_t mode) { return ::chmod(QFile::encodeName(path).constData(), mode) == 0; }
mode_t Mode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 01000;
}

// A link is replaced, not its target. A replaced file keeps its permission
// bits; a new one gets what the umask allows.
TEST(ReplaceFileDurably, ReplacesALinkNotItsTargetAndKeepsPermissionBits) {
    QTemporaryDir dir;
    const QString f = dir.path() + "/f", link = dir.path() + "/link", target = dir.path() + "/target";
    ASSERT_TRUE(WriteRaw(f, QByteArray(1000, 'o')) && WriteRaw(target, "keep me") && QFile::link(target, link) &&
                Chmod(f, 0640));
    const mode_t previous = ::umask(022);
    const bool written = ReplaceFileDurably(ToPath(f), "new1") && ReplaceFileDurably(ToPath(link), "new2") &&
                         ReplaceFileDurably(ToPath(dir.path() + "/fresh"), "");
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadAll(f) + ReadAll(link) + ReadAll(target), "new1new2keep me");
    EXPECT_EQ(Entries(dir.path()), (QStringList{"f", "fresh", "link", "target"}));
    EXPECT_TRUE(!QFileInfo(link).isSymLink() && Mode(f) == 0640 && Mode(dir.path() + "/fresh") == 0644);
}

// Each failure names the file and the system's reason, leaves the old file
// byte for byte and no temporary. A file its owner marked read-only is
// refused as such, as opening it for writing would be, even for root;
// otherwise the folder's permissions decide.
TEST(ReplaceFileDurably, FailuresLeaveTheOldFileAndNoTemporary) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/card", f = folder + "/camera.conf";
    ASSERT_TRUE(QDir().mkpath(folder) && Chmod(dir.path(), 0755));
    const auto check = [&](const char* what, mode_t folderMode, mode_t fileMode, bool asNobody, rlim_t sizeLimit,
                           const QString& path, const char* reason) {
        const QByteArray old = "old content\r\n";
        ASSERT_TRUE(WriteRaw(f, old) && Chmod(f, fileMode) && Chmod(folder, folderMode));
        const int status = RunInChild([&] {
            if ((asNobody && !DropRootPrivileges()) || (sizeLimit && !LimitFileSize(sizeLimit))) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(ToPath(path), std::string(5000, 'n'));
            const QString error = FromUtf8(outcome.error);
            if (outcome) return 0;
            if (outcome.read_only_file != (QByteArray(reason) == "read-only")) return 4;
            return error.contains(QLatin1String(reason)) && error.contains(folder) ? 1 : 2;
        });
        Chmod(folder, 0755), Chmod(f, 0644);
        EXPECT_EQ(status, reason ? 1 : 0) << what;
        EXPECT_EQ(ReadAll(f), reason ? old : QByteArray(5000, 'n')) << what;
        EXPECT_EQ(Entries(folder), QStringList{"camera.conf"}) << what;
    };
    check("read-only folder", 0555, 0644, true, 0, f, "Permission denied");
    check("full disk", 0755, 0644, false, 100, f, "File too large");
    check("no folder", 0755, 0644, false, 0, folder + "/absent/f", "No such file or directory");
    for (const mode_t mode : {0444, 0000, 0555, 0464})  // 0464: its group may write it, its owner not
        check("read-only file", 0755, mode, false, 0, f, "read-only");
    check("root's file in a folder open to all: the folder decides", 0777, 0644, true, 0, f, nullptr);
    check("writable, unreadable", 0755, 0200, false, 0, f, nullptr);
}

bool SetAge(const QString& path, int seconds) {
    const timespec age{::time(nullptr) - seconds, 0}, times[2] = {age, age};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

// A replacement removes our own temporaries left over a minute ago beside
// the same file, whatever random number named them, and nothing else: not a
// younger one (a writer may still be at work), not a link or a folder, not
// another file's, not a look-alike. A cfg.ini writer holds the lock, so it
// also removes the young ones of a writer killed just now; a lock file left
// read-only by another user still locks.
TEST(ReplaceFileDurably, RemovesOnlyOurStaleTemporaries) {
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    QStringList kept = {".camera.conf.tmp",
                        ".camera.conf.tmpabcdefgh",
                        ".camera.conf.tmpK2V9",
                        ".camera.conf.tmp-k2",
                        "camera.conf.tmpk2v9",
                        ".camera.conf.tmpk2v9~",
                        "notes.txt",
                        ".cfg.ini.tmp-mine",
                        ".camera.conf.tmplink",
                        ".camera.conf.tmpdir",
                        ".camera.conf.tmpyoung",
                        "camera.conf",
                        "cfg.ini",
                        ".cfg.ini.lock"};
    for (const QString& name : kept.mid(0, 8) + QStringList{".cfg.ini.tmpk2v9", ".cfg.ini.tmpyoung"})
        ASSERT_TRUE(WriteRaw(d + name, "x"));
    ASSERT_TRUE(QFile::link(d + "notes.txt", d + kept[8]) && QDir().mkdir(d + kept[9]) && WriteRaw(d + kept[10], "x"));
    ASSERT_TRUE(WriteRaw(d + "cfg.ini", "[a]\n") && WriteRaw(d + ".cfg.ini.lock", "") && Chmod(d + "cfg.ini", 0666) &&
                Chmod(d + ".cfg.ini.lock", 0444) && Chmod(d, 0777));
    for (const quint32 random : {0u, 35u, 36u, 123456789u, 0xffffffffu})
        ASSERT_TRUE(WriteRaw(d + QString::fromStdString(DurableTemporaryName("camera.conf", random)), "x"));
    for (const QString& name : Entries(d)) ASSERT_TRUE(name.endsWith("young") || SetAge(d + name, 120));

    ASSERT_TRUE(ReplaceFileDurably(ToPath(d + "camera.conf"), "new"));
    EXPECT_TRUE(Entries(d).contains(".cfg.ini.tmpk2v9"));  // another file's
    EXPECT_EQ(RunInChild(
                  [&] { return DropRootPrivileges() && IniWriteString(ToPath(d + "cfg.ini"), "a", "k", "1") ? 0 : 1; }),
              0);
    QStringList actual = Entries(d);
    actual.sort(), kept.sort();
    EXPECT_EQ(actual.join(u' '), kept.join(u' '));
    EXPECT_EQ(ReadAll(d + "camera.conf") + ReadAll(d + "notes.txt") + ReadAll(d + "cfg.ini"), "newx[a]\nk=1\n");
}
// Neither read nor written over, and refused before any lock file is made,
// here or where a link leads. Each answers at once: a child with an alarm
// makes a read that blocks fail the test instead of hanging it.
TEST(IniFile, OddFilesAreRefusedAndNeverWrittenOver) {
    const struct {
        const char* what;
        std::function<bool(const QString& path)> make;
        const char* mentions;
    } cases[] = {
        {"FIFO", [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; }, "FIFO"},
        {"link to /dev/zero", [](const QString& p) { return QFile::link("/dev/zero", p); }, "device"},
        {"directory", [](const QString& p) { return QDir().mkdir(p); }, "Is a directory"},
        {"65 MiB file",  // sparse: costs no disk
         [](const QString& p) { return WriteRaw(p, "x") && ::truncate(QFile::encodeName(p), 65 << 20) == 0; },
         "too large"},
    };
    for (const auto& odd : cases) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/cfg.ini";
        ASSERT_TRUE(odd.make(path)) << odd.what;
        EXPECT_EQ(RunInChild([&] {
                      ::alarm(5);
                      const QString error = FromUtf8(IniWriteString(ToPath(path), "profile-a", "osd", "on").error);
                      return error.contains(path) && error.contains(QLatin1String(odd.mentions)) ? 0 : 1;
                  }),
                  0)
            << odd.what;
        EXPECT_FALSE(Entries(dir.path()).contains(".cfg.ini.lock") || QFileInfo::exists("/dev/.zero.lock")) << odd.what;
    }
}

// Chains of links, relative and absolute, end at the file that is replaced;
// every link stays, and no temporary is left in either folder. A dangling
// link is followed too: the file is created where it points.
TEST(IniFile, ALinkedFileIsReplacedWhereItPointsAndTheLinksStay) {
    QTemporaryDir home, dotfiles;
    const QString target = dotfiles.path() + "/cfg.ini", hop = home.path() + "/hop.ini",
                  link = home.path() + "/cfg.ini";
    const QString later = dotfiles.path() + "/later.ini", laterLink = home.path() + "/later.ini";
    ASSERT_TRUE(WriteRaw(target, "[profile-a]\nosd=on\n") && QFile::link(target, hop) &&
                ::symlink("hop.ini", QFile::encodeName(link).constData()) == 0 && QFile::link(later, laterLink));
    ASSERT_TRUE(IniWriteString(ToPath(link), "profile-a", "osd", "off"));
    ASSERT_TRUE(IniWriteString(ToPath(laterLink), "basic", "last_cfg", "default"));
    EXPECT_EQ(ReadAll(target) + ReadAll(later), "[profile-a]\nosd=off\n[basic]\r\nlast_cfg=default\r\n");
    EXPECT_TRUE(QFileInfo(link).isSymLink() && QFileInfo(hop).isSymLink() && QFileInfo(laterLink).isSymLink());
    EXPECT_EQ(Entries(home.path()), (QStringList{"cfg.ini", "hop.ini", "later.ini"}));
    EXPECT_EQ(Entries(dotfiles.path()), (QStringList{".cfg.ini.lock", ".later.ini.lock", "cfg.ini", "later.ini"}));
}

TEST(IniFile, AChangeNeedsTheLockAndWaitsForItABoundedTime) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini";
    ASSERT_TRUE(WriteRaw(path, "[a]\nk=1\n"));
    IniFile looked(ToPath(path));
    ASSERT_TRUE(looked.Load() && looked.Document().SetValue("a", "k", "2"));
    EXPECT_FALSE(looked.Commit()) << "a plain load is not for writing";
    FileLock holder, waiter;
    ASSERT_TRUE(holder.Acquire(ToPath(path), 0));
    const WriteOutcome refused = waiter.Acquire(ToPath(path), 200);
    EXPECT_TRUE(!refused && refused.error.find("another program") != std::string::npos &&
                refused.error.find(".cfg.ini.lock") != std::string::npos)
        << refused.error;
}

}  // namespace

}  // namespace quillmar
