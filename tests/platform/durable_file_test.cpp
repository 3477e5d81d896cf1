#include "platform/durable_file.h"
#include "platform/durable_file_temporaries.h"
#include "platform/qt_text_bridge.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace test_support;

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
                ::chmod(QFile::encodeName(f).constData(), 0640) == 0);
    const mode_t previous = ::umask(022);
    const bool written = ReplaceFileDurably(ToPath(f), "new1") && ReplaceFileDurably(ToPath(link), "new2") &&
                         ReplaceFileDurably(ToPath(dir.path() + "/fresh"), "");
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadAll(f) + ReadAll(link) + ReadAll(target), "new1new2keep me");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Entries(dir.path()), (QStringList{"f", "fresh", "link", "target"}));
    EXPECT_EQ(Mode(f), 0640u);
    EXPECT_EQ(Mode(dir.path() + "/fresh"), 0644u);
}

// Each failure names the file and the system's reason, leaves the old file
// byte for byte and no temporary. A file its owner marked read-only is
// refused as such, as opening it for writing would be, even for root;
// otherwise the folder's permissions decide.
TEST(ReplaceFileDurably, FailuresLeaveTheOldFileAndNoTemporary) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/card", f = folder + "/camera.conf";
    ASSERT_TRUE(QDir().mkpath(folder) && ::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const auto check = [&](const char* what, mode_t folderMode, mode_t fileMode, bool asNobody, rlim_t sizeLimit,
                           const QString& path, const char* reason) {
        const QByteArray old = "old content\r\n";
        ASSERT_TRUE(WriteRaw(f, old) && ::chmod(QFile::encodeName(f).constData(), fileMode) == 0 &&
                    ::chmod(QFile::encodeName(folder).constData(), folderMode) == 0);
        const int status = RunInChild([&] {
            if ((asNobody && !DropRootPrivileges()) || (sizeLimit && !LimitFileSize(sizeLimit))) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(ToPath(path), std::string(5000, 'n'));
            const QString error = FromUtf8(outcome.error);
            if (outcome) return 0;
            if (outcome.read_only_file != (QByteArray(reason) == "read-only")) return 4;
            return error.contains(QLatin1String(reason)) && error.contains(folder) ? 1 : 2;
        });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        ::chmod(QFile::encodeName(f).constData(), 0644);
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

}  // namespace

}  // namespace quillmar
