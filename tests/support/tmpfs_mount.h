#pragma once
// Mounts a small tmpfs for tests that need a real mount; needs root.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sched.h>
#include <sys/mount.h>

namespace test_support {

// False when mounting is not permitted here; the caller skips its test.
inline bool MountTmpfs(const QString& dir, const char* options = "size=64m") {
    return ::mount("quillmar-test", QFile::encodeName(dir).constData(), "tmpfs", 0, options) == 0;
}

// Gives this process a mount table of its own, so mounts made by tests
// running beside it go unseen. Call before any thread is started.
inline bool IsolateMounts() {
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

inline bool Unmount(const QString& dir) { return ::umount(QFile::encodeName(dir).constData()) == 0; }

// Unmounts on scope exit, so a failed assertion leaves no mount behind.
class ScopedTmpfs {
public:
    explicit ScopedTmpfs(QString dir, const char* options = "size=64m")
        : dir_(std::move(dir)), mounted_(MountTmpfs(dir_, options)) {}
    ~ScopedTmpfs() {
        if (mounted_) Unmount(dir_);
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;
    bool mounted() const { return mounted_; }
    bool Release() {
        mounted_ = !Unmount(dir_);
        return !mounted_;
    }

private:
    QString dir_;
    bool mounted_;
};

}  // namespace test_support
