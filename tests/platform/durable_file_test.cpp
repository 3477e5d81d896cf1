#include "platform/durable_file.h"
#include "platform/durable_file_temporaries.h"
#include "platform/qt_text_bridge.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <sys/time.h>

namespace quillmar {

namespace {

using namespace test_support;

TEST(ReplaceFileDurably, ReplacesALinkNotItsTarget) {
    QTemporaryDir dir;
    const QString f = dir.path() + "/f", link = dir.path() + "/link", target = dir.path() + "/target";
    ASSERT_TRUE(WriteRaw(f, QByteArray(1000, 'o')) && WriteRaw(target, "keep me") && QFile::link(target, link));
    ASSERT_TRUE(ReplaceFileDurably(ToPath(f), "new1") && ReplaceFileDurably(ToPath(link), "new2"));
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
    const bool written = ReplaceFileDurably(ToPath(kept), "new") && ReplaceFileDurably(ToPath(fresh), "new");
    ::umask(previous);
    ASSERT_TRUE(written);
    struct stat a {
    }, b{};
    ASSERT_TRUE(::stat(QFile::encodeName(kept).constData(), &a) == 0 &&
                ::stat(QFile::encodeName(fresh).constData(), &b) == 0);
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
        {[&] { return ::chmod(QFile::encodeName(folder).constData(), 0555), DropRootPrivileges(); }, folder + "/f",
         "Permission denied"},                                                 // read-only folder
        {[] { return LimitFileSize(100); }, folder + "/f", "File too large"},  // full disk
        {[] { return true; }, folder + "/absent/f", "No such file or directory"},
    };
    for (const auto& [setUp, path, reason] : cases) {
        ASSERT_TRUE(WriteRaw(folder + "/f", old));
        // Structured bindings are captured by name: not every compiler
        // (clang 14, which the lint runs) lets a lambda capture them implicitly.
        const int status = RunInChild([&, &setUp = setUp, &path = path, &reason = reason] {
            if (!setUp()) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(ToPath(path), std::string(5000, 'n'));
            const QString error = FromUtf8(outcome.error);
            return !outcome && error.contains(QLatin1String(reason)) && error.contains(folder) ? 0 : 1;
        });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        EXPECT_EQ(status, 0) << reason;
        EXPECT_EQ(ReadAll(folder + "/f"), old) << reason;
        EXPECT_EQ(Entries(folder), QStringList{"f"}) << reason;
    }
}

bool SetAge(const QString& path, int seconds) {
    timeval times[2]{};
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    return ::lutimes(QFile::encodeName(path).constData(), times) == 0;
}

// The next write removes our own temporaries left over a minute ago beside
// the same file, and nothing else: not a younger one (a writer may still be
// at work), not a link or a folder, not another file's, not a look-alike.
TEST(ReplaceFileDurably, RemovesOnlyOurStaleTemporaries) {
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    const QString stale[] = {".camera.conf.tmp0", ".camera.conf.tmp1z141z3", ".camera.conf.tmpk2v9"};
    const QString kept[] = {
        ".camera.conf.tmpyoung",     // written seconds ago
        ".cfg.ini.tmpk2v9",          // another file's
        ".camera.conf.tmp",          // no suffix: not a name we make
        ".camera.conf.tmpabcdefgh",  // longer than a 32-bit number in base 36
        ".camera.conf.tmpK2V9",      // upper case: not ours
        ".camera.conf.tmp-k2",      "camera.conf.tmpk2v9", ".camera.conf.tmpk2v9~", "notes.txt",
    };
    for (const QString& name : stale) ASSERT_TRUE(WriteRaw(d + name, "x") && SetAge(d + name, 120));
    for (const QString& name : kept)
        ASSERT_TRUE(WriteRaw(d + name, "x") && SetAge(d + name, name.endsWith("young") ? 5 : 120));
    // Our name pattern, but a link (its target must survive) and a folder.
    ASSERT_TRUE(QFile::link(d + "notes.txt", d + ".camera.conf.tmplink") && SetAge(d + ".camera.conf.tmplink", 120));
    ASSERT_TRUE(QDir().mkdir(d + ".camera.conf.tmpdir") && SetAge(d + ".camera.conf.tmpdir", 120));

    ASSERT_TRUE(ReplaceFileDurably(ToPath(d + "camera.conf"), "new"));

    QStringList expected{"camera.conf", ".camera.conf.tmplink", ".camera.conf.tmpdir"};
    for (const QString& name : kept) expected << name;
    QStringList actual = Entries(dir.path());
    actual.sort();
    expected.sort();
    EXPECT_EQ(actual.join(u' '), expected.join(u' '));
    EXPECT_EQ(ReadAll(d + "camera.conf"), "new");
    EXPECT_EQ(ReadAll(d + "notes.txt"), "x");
}

// Every name the writer makes for its temporaries is one the cleanup knows.
TEST(DurableTemporaryName, IsRecognisedForEveryRandomNumber) {
    for (const quint32 random : {0u, 35u, 36u, 123456789u, 0xffffffffu}) {
        const std::string name = DurableTemporaryName("cfg.ini", random);
        EXPECT_TRUE(IsDurableTemporaryName(name, "cfg.ini")) << name;
        EXPECT_FALSE(IsDurableTemporaryName(name, "cfg.in")) << name;
    }
}

// A file its owner marked read-only is refused, as opening it for writing
// would be, and stays as it is; otherwise the folder's permissions decide.
TEST(ReplaceFileDurably, RefusesAFileMarkedReadOnly) {
    QTemporaryDir dir;
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);  // the unprivileged child may replace files here
    const QString f = dir.path() + "/camera.conf";
    const QByteArray old = "old\r\n";
    const struct {
        mode_t mode;
        bool as_nobody;
        bool refused;
    } cases[] = {
        {0444, false, true},                                             // read-only, even for root
        {0000, false, true},  {0555, false, true}, {0464, false, true},  // its group may write it, its owner not
        {0644, true, false},   // root's file in a folder open to all: the folder decides
        {0200, false, false},  // writable, unreadable: still replaced
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.mode << (c.as_nobody ? " as nobody" : ""));
        ASSERT_TRUE(WriteRaw(f, old) && ::chmod(QFile::encodeName(f).constData(), c.mode) == 0);
        const int status = RunInChild([&] {
            if (c.as_nobody && !DropRootPrivileges()) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(ToPath(f), "new");
            if (outcome) return 0;
            const QString error = FromUtf8(outcome.error);
            return outcome.read_only_file && error.contains("read-only") && error.contains(f) ? 1 : 2;
        });
        EXPECT_EQ(status, c.refused ? 1 : 0);
        ::chmod(QFile::encodeName(f).constData(), 0644);
        EXPECT_EQ(ReadAll(f), c.refused ? old : QByteArray("new"));
        EXPECT_EQ(Entries(dir.path()), QStringList{"camera.conf"});
    }
}

}  // namespace

}  // namespace quillmar
