#include "platform/ini_file.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using test_support::ReadAll;

void WriteRaw(const QString& path, const QByteArray& bytes) { ASSERT_TRUE(test_support::WriteRaw(path, bytes)); }

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/cfg.ini");
};

TEST_F(IniFileTest, MissingFileLoadsEmptyAndIsCreatedByTheFirstWrite) {
    IniFile file(path);
    QString error;
    ASSERT_TRUE(file.Load(&error));
    EXPECT_FALSE(file.existed());
    ASSERT_TRUE(file.Commit());
    EXPECT_FALSE(QFile::exists(path)) << "nothing changed, nothing written";

    ASSERT_TRUE(IniWriteString(path, u"a", u"k", u"1"));
    ASSERT_TRUE(IniWriteString(path, u"a", u"j", u"2"));
    EXPECT_EQ(ReadAll(path), QByteArray("[a]\r\nk=1\r\nj=2\r\n"));
    EXPECT_EQ(IniReadString(path, u"A", u"J", {}, &error), QStringLiteral("2"));
    EXPECT_EQ(IniSectionNames(path, &error), QStringList{"a"});
    ASSERT_TRUE(IniDeleteSection(path, u"a"));
    EXPECT_EQ(ReadAll(path), QByteArray());
}

TEST_F(IniFileTest, UnreadableFileIsAnErrorAndIsNeverReplaced) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        const char* reason;
    };
    const Case cases[] = {
        {"directory at the path", [&] { ASSERT_TRUE(QDir().mkpath(path)); }, "Is a directory"},
        {"no read permission", [&] {
             WriteRaw(path, "[a]\nk=1\n");
             ::chmod(QFile::encodeName(path).constData(), 0200);
         }, "Permission denied"},
    };
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);  // the unprivileged child may write here
    for (const Case& c : cases) {
        c.setUp();
        const int status = test_support::RunInChild([&] {
            if (!test_support::DropRootPrivileges()) return 3;
            IniFile file(path);
            QString error;
            if (file.Load(&error) || !error.contains(QLatin1String(c.reason)) || !error.contains(path)) return 1;
            if (!IniReadString(path, u"a", u"k", QStringLiteral("fb"), &error).startsWith(u"fb")) return 1;
            if (!file.document().SetValue(u"a", u"k", u"2", &error)) return 1;
            return file.Commit() || IniWriteString(path, u"a", u"k", u"2") ? 2 : 0;
        });
        EXPECT_EQ(status, 0) << c.name;
        QFile::remove(path);
        QDir(path).removeRecursively();
    }
}

TEST_F(IniFileTest, BatchCommitsOnceWithTheBytesOfSingleWrites) {
    WriteRaw(path, "; hand-written\n[b]\nk=0\n");
    const QString single = dir.path() + QStringLiteral("/single.ini");
    WriteRaw(single, ReadAll(path));

    IniFile batch(path);
    QString error;
    ASSERT_TRUE(batch.Load(&error));
    for (int i = 0; i < 5; ++i) {
        const QString key = QStringLiteral("k%1").arg(i);
        ASSERT_TRUE(batch.document().SetValue(u"a", key, QString::number(i), &error));
        ASSERT_TRUE(IniWriteString(single, u"a", key, QString::number(i)));
    }
    ASSERT_TRUE(batch.document().SetValue(u"B", u"K", u"9", &error));
    ASSERT_TRUE(IniWriteString(single, u"B", u"K", u"9"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(ReadAll(path), QByteArray("; hand-written\n[b]\nk=0\n")) << "nothing on disk before the commit";
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(ReadAll(path), ReadAll(single));
    EXPECT_FALSE(batch.document().modified());
}

}  // namespace
