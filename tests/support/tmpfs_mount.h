#pragma once
// Real mounts for tests that need them; mounting needs root, and a test
// that cannot mount skips.

#include <QFile>

#include <sys/mount.h>

namespace quillmar::test_support {

// A small tmpfs on `dir`, unmounted on scope exit so a failed assertion
// leaves no mount behind.
class ScopedTmpfs {
public:
    explicit ScopedTmpfs(const QString& dir, const char* options = "size=64m")
        : dir_(QFile::encodeName(dir)),
          mounted_(::mount("quillmar-test", dir_.constData(), "tmpfs", 0, options) == 0) {}
    ~ScopedTmpfs() { Release(); }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;
    bool Mounted() const { return mounted_; }
    bool Release() { return !(mounted_ = mounted_ && ::umount(dir_.constData()) != 0); }

private:
    QByteArray dir_;
    bool mounted_;
};

}  // namespace quillmar::test_support
