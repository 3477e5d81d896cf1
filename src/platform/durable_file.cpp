// Replacing a file through an fsynced temporary and a rename, so a crash leaves old or new, never a mix.
#include "platform/durable_file.h"

#include "platform/durable_file_temporaries.h"
#include "platform/unique_fd.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

namespace {

QString SystemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

WriteOutcome Fail(const QString& what, const QString& path, int err) {
    return WriteOutcome::Failure(QStringLiteral("%1 \"%2\": %3").arg(what, path, SystemReason(err)), err);
}

bool WriteAll(int fd, QByteArrayView data, int* err) {
    const char* p = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            *err = errno;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// How file systems without Unix permissions (FAT, exFAT, many FUSE ones)
// refuse a change of mode or a sync of a folder.
bool NotSupportedHere(int err) {
    // ENOTSUP is EOPNOTSUPP on Linux; spelled out only where they differ.
#if ENOTSUP != EOPNOTSUPP
    if (err == ENOTSUP) return true;
#endif
    return err == EPERM || err == ENOSYS || err == EOPNOTSUPP || err == EINVAL;
}

// A file whose owner may not write it was made read-only on purpose (chmod,
// or the read-only mark on a FAT card); replacing it through the folder
// would overrule that. Who else may write it is the folder's business.
bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

// Temporaries this old cannot belong to a writer still at work.
constexpr std::time_t kStaleTemporaryAge = 60;

}  // namespace

WriteOutcome ReplaceFileDurably(const QString& path, QByteArrayView data) {
    const QFileInfo info(path);
    QString dirPath = info.path();
    if (dirPath.isEmpty()) dirPath = QStringLiteral(".");
    const QByteArray dirName = QFile::encodeName(dirPath);
    const QByteArray fileName = QFile::encodeName(info.fileName());

    UniqueFd dir(::open(dirName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0) return Fail(QStringLiteral("Cannot open the folder"), dirPath, errno);

    // A file being replaced keeps its permission bits; a link or a new file
    // gets the default mode, as the umask makes it.
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat old {};
    if (::fstatat(dir.Get(), fileName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        if (IsReadOnly(old))
            return WriteOutcome::Failure(QStringLiteral("The file \"%1\" is read-only; it was left as it is").arg(path),
                                         EACCES, true);
        mode = old.st_mode & 07777;
        keepMode = true;
    }

    RemoveStaleDurableTemporaries(dir.Get(), fileName, std::time(nullptr) - kStaleTemporaryAge);

    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = DurableTemporaryName(fileName, QRandomGenerator::global()->generate());
        fd = ::openat(dir.Get(), tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return Fail(QStringLiteral("Cannot create a file in"), dirPath, errno);
    }
    if (fd < 0) return Fail(QStringLiteral("Cannot create a file in"), dirPath, EEXIST);
    UniqueFd temp(fd);
    auto discard = [&](const QString& what, int err) {
        ::unlinkat(dir.Get(), tempName.constData(), 0);
        return Fail(what, path, err);
    };

    int err = 0;
    if (!WriteAll(temp.Get(), data, &err)) return discard(QStringLiteral("Cannot write"), err);
    // File systems without Unix permissions (a FAT card) refuse the change;
    // the content matters more than the bits there.
    if (keepMode && ::fchmod(temp.Get(), mode) != 0 && !NotSupportedHere(errno))
        return discard(QStringLiteral("Cannot set the permissions of"), errno);
    if (::fsync(temp.Get()) != 0) return discard(QStringLiteral("Cannot flush"), errno);
    if (temp.CloseChecked() != 0) return discard(QStringLiteral("Cannot write"), errno);
    if (::renameat(dir.Get(), tempName.constData(), dir.Get(), fileName.constData()) != 0)
        return discard(QStringLiteral("Cannot replace"), errno);
    // Some file systems cannot sync a directory; the rename itself has been
    // accepted, so only a real I/O error counts as a failure here. On a
    // case-insensitive card the rename also replaces "CAMERA.CONF" and the
    // like, in the same single step.
    if (::fsync(dir.Get()) != 0 && !NotSupportedHere(errno))
        return Fail(QStringLiteral("Cannot flush the folder of"), path, errno);
    return WriteOutcome::Success();
}

}  // namespace quillmar
