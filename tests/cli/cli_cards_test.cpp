#include "support/cli_runner.h"
#include "support/tmpfs_mount.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test_support::RunCli;

// Folder a holds a version.txt; folder b is a 64 MB tmpfs where mounting is allowed.
class CliCardsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(a);
        QDir().mkpath(b);
        QFile version(a + "/version.txt");
        ASSERT_TRUE(version.open(QIODevice::WriteOnly));
        version.write("V1.02\r\n");
    }
    QTemporaryDir dir;
    const QString a = dir.path() + "/a", b = dir.path() + "/b";
    test_support::ScopedTmpfs tmpfs{b, "size=64m"};
};

TEST_F(CliCardsTest, JsonListsFoldersAfterTheDrivesWithSpaceAndVersion) {
    const auto run = RunCli({"cards", "--json", "--card", "a", "--card", b}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    ASSERT_GE(rows.size(), 2) << run.out.toStdString();  // the machine's own cards may come first
    const QJsonObject ra = rows[rows.size() - 2].toObject(), rb = rows.last().toObject();
    EXPECT_EQ(ra["root"].toString(), a + "/");  // made absolute
    EXPECT_EQ(ra["label"].toString(), "");
    EXPECT_EQ(ra["version_text"].toString(), "V1.02\r\n");
    EXPECT_EQ(ra["total_mb"].toInteger(), QStorageInfo(a).bytesTotal() >> 20);
    const qint64 freeMb = ra["free_mb"].toInteger();
    EXPECT_NEAR(freeMb, QStorageInfo(a).bytesFree() >> 20, 256);  // others write meanwhile
    EXPECT_EQ(ra["description"].toString(), QStringLiteral("%1 MB/%2 MB(%3 G/%4 G)")
                                                .arg(freeMb)
                                                .arg(ra["total_mb"].toInteger())
                                                .arg(freeMb >> 10)
                                                .arg(ra["total_mb"].toInteger() >> 10));
    EXPECT_EQ(rb["root"].toString(), b + "/");
    EXPECT_EQ(rb["version_text"].toString(), "No infomation");
    if (tmpfs.mounted()) {
        EXPECT_EQ(rb["description"].toString(), "64 MB/64 MB(0 G/0 G)");
    }
}

TEST_F(CliCardsTest, TableShowsControlCharactersVisibly) {
    const auto run = RunCli({"cards", "--card", a});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Device")) << run.out.toStdString();
    for (const char* column : {"  Label  ", "  Description  ", "  Version\n"}) EXPECT_TRUE(run.out.contains(column));
    const QByteArray lastRow = run.out.mid(run.out.lastIndexOf('\n', -2) + 1);
    EXPECT_TRUE(lastRow.startsWith(QFile::encodeName(a) + "/ ")) << lastRow.toStdString();
    EXPECT_TRUE(lastRow.endsWith("  V1.02\\r\\n\n")) << lastRow.toStdString();
    EXPECT_FALSE(run.out.contains('\r'));
}

TEST_F(CliCardsTest, FolderThatIsMissingOrAFileIsRefused) {
    for (const QString& bad : {dir.path() + "/gone", a + "/version.txt"}) {
        const auto run = RunCli({"cards", "--card", a, "--card", bad});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QFile::encodeName(bad))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
