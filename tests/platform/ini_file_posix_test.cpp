// cfg.ini as a shared, possibly hostile file on POSIX systems: odd file
// types and sizes, and a lock file another user left read-only.

#include "platform/file_bytes.h"
#include "platform/file_lock.h"
#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

namespace {

using namespace test_support;

// Neither read nor written over, and refused before any lock file is made,
// here or where a link leads. Each answers at once: a child with an alarm
// makes a read that blocks fail the test instead of hanging it.
TEST(IniFile, OddFilesAreRefusedAndNeverWrittenOver) {
    const auto fifo = [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; };
    const struct {
        const char* what;
        std::function<bool(const QString& path)> make;
        const char* mentions;
    } cases[] = {
        {"FIFO", fifo, "FIFO"},
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
        const QFileInfo before(path);
        const int status = RunInChild([&] {
            ::alarm(5);
            std::string bytes, error;
            if (ReadFileBytes(ToPath(path), &bytes, &error) != FileReadStatus::kFailed || !bytes.empty()) return 1;
            if (!FromUtf8(error).contains(path) || error.find(odd.mentions) == std::string::npos) return 2;
            const WriteOutcome o = IniWriteString(ToPath(path), "profile-a", "osd", "on");
            return !o && o.error.find(odd.mentions) != std::string::npos ? 0 : 3;
        });
        EXPECT_EQ(status, 0) << odd.what;
        const QFileInfo after(path);
        EXPECT_TRUE(after.isSymLink() == before.isSymLink() && after.isDir() == before.isDir() &&
                    after.size() == before.size() && after.isFile() == before.isFile())
            << odd.what;
        EXPECT_FALSE(Entries(dir.path()).contains(".cfg.ini.lock") || QFileInfo::exists("/dev/.zero.lock")) << odd.what;
    }
}

// A writer killed between creating its temporary and renaming it leaves the
// temporary; the next writer, holding the lock, removes it, but only names
// our writer makes: not another file's, not a look-alike. A lock file left
// read-only by another user still locks.
TEST(IniFile, TheNextWriterRemovesTemporariesOfAKilledOneThroughAReadOnlyLock) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/cfg.ini", lock = dir.path() + "/.cfg.ini.lock";
    ASSERT_TRUE(WriteRaw(path, "[a]\n") && WriteRaw(dir.path() + "/.cfg.ini.tmpabc", "[a]\nk=half") &&
                WriteRaw(dir.path() + "/.other.tmp1", "not ours") &&
                WriteRaw(dir.path() + "/.cfg.ini.tmp-mine", "a user's") && WriteRaw(lock, ""));
    ASSERT_TRUE(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0 &&
                ::chmod(QFile::encodeName(path).constData(), 0666) == 0 &&
                ::chmod(QFile::encodeName(lock).constData(), 0444) == 0);
    EXPECT_EQ(RunInChild([&] { return DropRootPrivileges() && IniWriteString(ToPath(path), "a", "k", "1") ? 0 : 1; }),
              0);
    EXPECT_EQ(ReadAll(path), "[a]\nk=1\n");
    EXPECT_EQ(Entries(dir.path()), (QStringList{".cfg.ini.lock", ".cfg.ini.tmp-mine", ".other.tmp1", "cfg.ini"}));
}

}  // namespace

}  // namespace quillmar
