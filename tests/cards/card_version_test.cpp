#include "cards/card_version.h"

#include "support/child_process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each case prepares root + "version.txt" its own way.
struct VersionCase {
    const char* what;
    void (*prepare)(const QString& root);
    QString expected;
};

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}
void Link(const QString& target, const QString& link) {
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}
void MakeFifo(const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); }

const VersionCase kVersionCases[] = {
    {"seven bytes with CR LF are kept whole", [](const QString& r) { Write(r + "version.txt", "V1.02\r\n"); },
     QStringLiteral("V1.02\r\n")},
    {"absent", [](const QString&) {}, kNoVersionText},
    {"empty file", [](const QString& r) { Write(r + "version.txt", ""); }, QString()},
    {"spaces and tabs are not trimmed", [](const QString& r) { Write(r + "version.txt", " \tv2 \n\n"); },
     QStringLiteral(" \tv2 \n\n")},
    {"10 MB file gives its first 99 bytes",
     [](const QString& r) { Write(r + "version.txt", QByteArray(10 << 20, 'a') + "tail"); }, QString(99, u'a')},
    {"text ends at the first zero byte", [](const QString& r) { Write(r + "version.txt", QByteArray("v3\0junk", 7)); },
     QStringLiteral("v3")},
    {"UTF-8 is decoded", [](const QString& r) { Write(r + "version.txt", "Kamera \xc3\xa4\xe2\x82\xac"); },
     QStringLiteral("Kamera \u00e4\u20ac")},
    {"invalid bytes show as replacement characters",
     [](const QString& r) { Write(r + "version.txt", "v\xff\xfe" "4"); }, QStringLiteral("v\ufffd\ufffd4")},
    {"a character cut at byte 99 shows as a replacement character",
     [](const QString& r) { Write(r + "version.txt", QByteArray(98, 'b') + "\xc3\xa4"); },
     QString(98, u'b') + QChar(0xfffd)},
    {"directory", [](const QString& r) { QDir().mkpath(r + "version.txt"); }, kNoVersionText},
    {"FIFO without a writer does not block", [](const QString& r) { MakeFifo(r + "version.txt"); }, kNoVersionText},
    {"link to a FIFO", [](const QString& r) { MakeFifo(r + "pipe"); Link(r + "pipe", r + "version.txt"); },
     kNoVersionText},
    {"link to a device node", [](const QString& r) { Link("/dev/zero", r + "version.txt"); }, kNoVersionText},
    {"link to a directory", [](const QString& r) { Link("/", r + "version.txt"); }, kNoVersionText},
    {"dangling link", [](const QString& r) { Link(r + "gone", r + "version.txt"); }, kNoVersionText},
    {"link to a regular file is followed",
     [](const QString& r) {
         Write(r + "real", "v5");
         Link(r + "real", r + "version.txt");
     },
     QStringLiteral("v5")},
};

TEST(ReadCardVersion, UntrustedVersionFilesAreReadSafely) {
    for (const VersionCase& c : kVersionCases) {
        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        c.prepare(root);
        // A child with an alarm: a read that blocks fails the case instead of hanging the run.
        const int status = test_support::RunInChild([&] {
            ::alarm(5);
            return ReadCardVersion(root) == c.expected ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << c.what;
        if (status == 0) {
            EXPECT_EQ(ReadCardVersion(root), c.expected) << c.what;
        }
    }
}

TEST(ReadCardVersion, FileThatCannotBeOpenedGivesNoInformation) {
    QTemporaryDir dir;
    const QString root = dir.path() + '/';
    Write(root + "version.txt", "secret");
    ::chmod(QFile::encodeName(root + "version.txt").constData(), 0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const int status = test_support::RunInChild([&] {
        if (!test_support::DropRootPrivileges()) return 2;
        return ReadCardVersion(root) == kNoVersionText ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

}  // namespace
