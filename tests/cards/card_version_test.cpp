#include "cards/card_version.h"

#include "support/child_process.h"
#include "support/test_files.h"

#include <sys/stat.h>

namespace {

using test_support::WriteRaw;

// Each case prepares root + "version.txt" (`v` below) its own way.
const struct VersionCase {
    const char* what;
    void (*prepare)(const QString& root, const QString& v);
    QString expected;
} kCases[] = {
    {"seven bytes with CR LF", [](auto, auto v) { WriteRaw(v, "V1.02\r\n"); }, "V1.02\r\n"},
    {"absent", [](auto, auto) {}, kNoVersionText},
    {"10 MB", [](auto, auto v) { WriteRaw(v, QByteArray(10 << 20, 'a')); }, QString(99, u'a')},
    {"zero byte ends the text", [](auto, auto v) { WriteRaw(v, QByteArray("v3\0junk", 7)); }, "v3"},
    {"invalid bytes", [](auto, auto v) { WriteRaw(v, "v\xff\xfe" "4"); }, "v\ufffd\ufffd4"},
    {"directory", [](auto, auto v) { QDir().mkpath(v); }, kNoVersionText},
    {"FIFO", [](auto, auto v) { ::mkfifo(QFile::encodeName(v).constData(), 0644); }, kNoVersionText},
    {"link to a FIFO",
     [](auto r, auto v) { ::mkfifo(QFile::encodeName(r + "p").constData(), 0644), QFile::link(r + "p", v); },
     kNoVersionText},
    {"link to a file", [](auto r, auto v) { WriteRaw(r + "f", "v5"), QFile::link(r + "f", v); }, "v5"},
    {"cannot be opened",
     [](auto, auto v) { WriteRaw(v, "secret"), ::chmod(QFile::encodeName(v).constData(), 0); }, kNoVersionText},
};

TEST(ReadCardVersion, UntrustedVersionFilesAreReadSafely) {
    for (const VersionCase& c : kCases) {
        QTemporaryDir dir;
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        const QString root = dir.path() + '/';
        c.prepare(root, root + "version.txt");
        // In a child without root rights (which would open any file), with
        // an alarm, so a read that blocks fails instead of hanging the run.
        EXPECT_EQ(test_support::RunInChild([&] {
                      ::alarm(5);
                      return test_support::DropRootPrivileges() && ReadCardVersion(root) == c.expected ? 0 : 1;
                  }),
                  0)
            << c.what;
    }
}

}  // namespace
