#include "platform/durable_file.h"

#include "support/child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class DurableFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.path() + u'/' + QLatin1String(name); }
};

TEST_F(DurableFileTest, ReplacesContentAndKeepsPermissionBits) {
    WriteRaw(Path("f"), QByteArray(1000, 'o'));
    ::chmod(QFile::encodeName(Path("f")).constData(), 0640);
    ASSERT_TRUE(ReplaceFileDurably(Path("f"), "new"));
    EXPECT_EQ(ReadAll(Path("f")), QByteArray("new"));
    struct stat st {};
    ::stat(QFile::encodeName(Path("f")).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir.path()), QStringList{"f"});
}

TEST_F(DurableFileTest, SymbolicLinkIsReplacedNotFollowed) {
    WriteRaw(Path("target"), "keep me");
    ASSERT_TRUE(QFile::link(Path("target"), Path("f")));
    ASSERT_TRUE(ReplaceFileDurably(Path("f"), "new"));
    EXPECT_EQ(ReadAll(Path("target")), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(Path("f")).isSymLink());
    EXPECT_EQ(ReadAll(Path("f")), QByteArray("new"));
}

TEST_F(DurableFileTest, MissingFolderIsReportedWithTheSystemReason) {
    const WriteOutcome outcome = ReplaceFileDurably(Path("absent/f"), "x");
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("No such file or directory"))) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.contains(Path("absent"))) << outcome.error.toStdString();
}

// Failures that must leave the old file byte for byte and no temporary.
TEST_F(DurableFileTest, FailuresLeaveTheOldFileAndNoTemporary) {
    struct Case {
        const char* name;
        std::function<bool()> setUp;  // runs in the child before writing
        const char* reason;
    };
    const QString folder = dir.path() + QStringLiteral("/card");
    ASSERT_TRUE(QDir().mkpath(folder));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);  // let the unprivileged child in
    const QString file = folder + QStringLiteral("/f");
    const QByteArray old = "old content\r\n";
    const Case cases[] = {
        {"read-only folder", [&] {
             ::chmod(QFile::encodeName(folder).constData(), 0555);
             return test_support::DropRootPrivileges();
         }, "Permission denied"},
        {"full disk", [] { return test_support::LimitFileSize(100); }, "File too large"},
    };
    for (const Case& c : cases) {
        WriteRaw(file, old);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        const int status = test_support::RunInChild([&] {
            if (!c.setUp()) return 3;
            const WriteOutcome outcome = ReplaceFileDurably(file, QByteArray(5000, 'n'));
            if (outcome) return 1;
            return outcome.error.contains(QLatin1String(c.reason)) ? 0 : 2;
        });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        EXPECT_EQ(status, 0) << c.name;
        EXPECT_EQ(ReadAll(file), old) << c.name;
        EXPECT_EQ(Entries(folder), QStringList{"f"}) << c.name;
    }
}

}  // namespace
