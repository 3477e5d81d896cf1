#include "platform/durable_file.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

using namespace test_support;

TEST(ReplaceFileDurably, ReplacesALinkNotItsTarget) {
    QTemporaryDir dir;
    const QString f = dir.path() + "/f", link = dir.path() + "/link", target = dir.path() + "/target";
    ASSERT_TRUE(WriteRaw(f, QByteArray(1000, 'o')) && WriteRaw(target, "keep me") && QFile::link(target, link));
    ASSERT_TRUE(ReplaceFileDurably(f, "new1") && ReplaceFileDurably(link, "new2"));
    EXPECT_EQ(ReadAll(f) + ReadAll(link) + ReadAll(target), "new1new2keep me");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Entries(dir.path()), (QStringList{"f", "link", "target"}));
}

// A replaced file keeps its permission bits; a new one gets what the umask allows.
TEST(ReplaceFileDurably, PermissionBitsFollowTheOldFileOrTheUmask) {
    QTemporaryDir dir;
    const QString kept = dir.path() + "/kept", fresh = dir.path() + "/fresh";
    ASSERT_TRUE(WriteRaw(kept, "old") && ::chmod(QFile::encodeName(kept).constData(), 0640) == 0);
    const mode_t previous = ::umask(022);
    const bool written = ReplaceFileDurably(kept, "new") && ReplaceFileDurably(fresh, "new");
    ::umask(previous);
    ASSERT_TRUE(written);
    struct stat a {}, b {};
    ASSERT_TRUE(::stat(QFile::encodeName(kept).constData(), &a) == 0 && ::stat(QFile::encodeName(fresh).constData(), &b) == 0);
    EXPECT_EQ(a.st_mode & 0777, 0640u);
    EXPECT_EQ(b.st_mode & 0777, 0644u);
}

// Each failure names the file and the system's reason, leaves the old file
// byte for byte and no temporary.
TEST(ReplaceFileDurably, FailuresLeaveTheOldFileAndNoTemporary) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/card";
    ASSERT_TRUE(QDir().mkpath(folder));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);  // let the unprivileged child in
    const QByteArray old = "old content\r\n";
    const std::tuple<std::function<bool()>, QString, const char*> cases[] = {
        {[&] { return ::chmod(QFile::encodeName(folder).constData(), 0555), DropRootPrivileges(); },
         folder + "/f", "Permission denied"},  // read-only folder
        {[] { return LimitFileSize(100); }, folder + "/f", "File too large"},  // full disk
        {[] { return true; }, folder + "/absent/f", "No such file or directory"},
    };
    for (const auto& [setUp, path, reason] : cases) {
        ASSERT_TRUE(WriteRaw(folder + "/f", old));
        const int status = RunInChild([&] {
            if (!setUp()) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(path, QByteArray(5000, 'n'));
            return !outcome && outcome.error.contains(QLatin1String(reason)) && outcome.error.contains(folder) ? 0 : 1;
        });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        EXPECT_EQ(status, 0) << reason;
        EXPECT_EQ(ReadAll(folder + "/f"), old) << reason;
        EXPECT_EQ(Entries(folder), QStringList{"f"}) << reason;
    }
}

}  // namespace
