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

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The rows of `cards --json`, keyed by root; removable drives of the
// machine running the test may come first.
QJsonArray CardsJson(const QStringList& args, const QString& workDir = QString()) {
    const auto run = RunCli(QStringList{"cards", "--json"} + args, workDir);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return doc.array();
}

TEST(CliCards, FoldersAreListedInOrderWithTheirSpaceAndVersion) {
    QTemporaryDir dir;
    const QString a = dir.path() + "/a";
    const QString b = dir.path() + "/b";
    QDir().mkpath(a);
    QDir().mkpath(b);
    Write(a + "/version.txt", "V1.02\r\n");
    test_support::ScopedTmpfs tmpfs(b, "size=64m");

    const QJsonArray rows = CardsJson({"--card", a, "--card", b});
    ASSERT_GE(rows.size(), 2);
    const QJsonObject ra = rows[rows.size() - 2].toObject();
    const QJsonObject rb = rows[rows.size() - 1].toObject();
    EXPECT_EQ(ra["root"].toString(), a + "/");
    EXPECT_EQ(ra["label"].toString(), "");
    EXPECT_EQ(ra["version_text"].toString(), "V1.02\r\n");
    EXPECT_EQ(ra["total_mb"].toInteger(), QStorageInfo(a).bytesTotal() >> 20);
    EXPECT_NEAR(static_cast<double>(ra["free_mb"].toInteger()), static_cast<double>(QStorageInfo(a).bytesFree() >> 20),
                256.0);  // other programs write meanwhile
    EXPECT_EQ(ra["description"].toString(), QStringLiteral("%1 MB/%2 MB(%3 G/%4 G)")
                                                .arg(ra["free_mb"].toInteger())
                                                .arg(ra["total_mb"].toInteger())
                                                .arg(ra["free_mb"].toInteger() >> 10)
                                                .arg(ra["total_mb"].toInteger() >> 10));
    EXPECT_EQ(rb["root"].toString(), b + "/");
    EXPECT_EQ(rb["version_text"].toString(), "No infomation");
    if (tmpfs.mounted()) {
        EXPECT_EQ(rb["description"].toString(), "64 MB/64 MB(0 G/0 G)");
        EXPECT_EQ(rb["free_mb"].toInteger(), 64);
    }
}

TEST(CliCards, RelativeFolderBecomesAnAbsoluteRoot) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/card");
    const QJsonArray rows = CardsJson({"--card", "card/"}, dir.path());
    ASSERT_GE(rows.size(), 1);
    EXPECT_EQ(rows.last().toObject()["root"].toString(), dir.path() + "/card/");
}

TEST(CliCards, TableShowsControlCharactersVisibly) {
    QTemporaryDir dir;
    Write(dir.path() + "/version.txt", "V1.02\r\n");
    const auto run = RunCli({"cards", "--card", dir.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Device")) << lines[0].toStdString();
    for (const char* column : {"Label", "Description", "Version"}) EXPECT_TRUE(lines[0].contains(column));
    const QByteArray row = lines[lines.size() - 2];
    EXPECT_TRUE(row.startsWith(QFile::encodeName(dir.path() + "/"))) << row.toStdString();
    EXPECT_TRUE(row.endsWith("V1.02\\r\\n")) << row.toStdString();
    EXPECT_FALSE(run.out.contains('\r'));
}

TEST(CliCards, FolderThatDoesNotExistIsRefused) {
    QTemporaryDir dir;
    Write(dir.path() + "/file", "x");
    for (const QString& bad : {dir.path() + "/gone", dir.path() + "/file"}) {
        const auto run = RunCli({"cards", "--card", dir.path(), "--card", bad});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QFile::encodeName(bad))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
