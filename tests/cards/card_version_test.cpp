#include "cards/card_version.h"

#include "support/child_process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}
void Link(const QString& target, const QString& link) {
    ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData());
}
void Fifo(const QString& path) { ::mkfifo(QFile::encodeName(path).constData(), 0644); }

// Each case prepares root + "version.txt" (`v` below) its own way.
const struct VersionCase {
    const char* what;
    void (*prepare)(const QString& root, const QString& v);
    QString expected;
} kCases[] = {
    {"seven bytes with CR LF", [](auto, auto v) { Write(v, "V1.02\r\n"); }, "V1.02\r\n"},
    {"absent", [](auto, auto) {}, kNoVersionText},
    {"empty", [](auto, auto v) { Write(v, ""); }, ""},
    {"10 MB", [](auto, auto v) { Write(v, QByteArray(10 << 20, 'a')); }, QString(99, u'a')},
    {"zero byte ends the text", [](auto, auto v) { Write(v, QByteArray("v3\0junk", 7)); }, "v3"},
    {"UTF-8", [](auto, auto v) { Write(v, "K\xc3\xa4\xe2\x82\xac"); }, "K\u00e4\u20ac"},
    {"invalid bytes", [](auto, auto v) { Write(v, "v\xff\xfe" "4"); }, "v\ufffd\ufffd4"},
    {"character cut at byte 99", [](auto, auto v) { Write(v, QByteArray(98, 'b') + "\xc3\xa4"); },
     QString(98, u'b') + QChar(0xfffd)},
    {"directory", [](auto, auto v) { QDir().mkpath(v); }, kNoVersionText},
    {"FIFO", [](auto, auto v) { Fifo(v); }, kNoVersionText},
    {"link to a FIFO", [](auto r, auto v) { Fifo(r + "p"), Link(r + "p", v); }, kNoVersionText},
    {"link to a device", [](auto, auto v) { Link("/dev/zero", v); }, kNoVersionText},
    {"dangling link", [](auto r, auto v) { Link(r + "gone", v); }, kNoVersionText},
    {"link to a file", [](auto r, auto v) { Write(r + "f", "v5"), Link(r + "f", v); }, "v5"},
};

TEST(ReadCardVersion, UntrustedVersionFilesAreReadSafely) {
    for (const VersionCase& c : kCases) {
        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        c.prepare(root, root + "version.txt");
        // In a child with an alarm, so a read that blocks fails instead of hanging the run.
        EXPECT_EQ(test_support::RunInChild([&] { return ::alarm(5), ReadCardVersion(root) == c.expected ? 0 : 1; }), 0)
            << c.what;
    }
}

TEST(ReadCardVersion, FileThatCannotBeOpenedGivesNoInformation) {
    QTemporaryDir dir;
    Write(dir.path() + "/version.txt", "secret");
    ::chmod(QFile::encodeName(dir.path() + "/version.txt").constData(), 0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_EQ(test_support::RunInChild([&] {
                  if (!test_support::DropRootPrivileges()) return 2;
                  return ReadCardVersion(dir.path() + '/') == kNoVersionText ? 0 : 1;
              }),
              0);
}

}  // namespace
