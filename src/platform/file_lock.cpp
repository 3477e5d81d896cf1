// The writers' lock: an exclusive advisory lock on a lock file beside the shared data file.
#include "platform/file_lock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

QString FileLock::LockPathFor(const QString& dataPath) {
    const QFileInfo info(dataPath);
    const QString dir = info.path().isEmpty() ? QStringLiteral(".") : info.path();
    return dir + QLatin1String("/.") + info.fileName() + QLatin1String(".lock");
}

WriteOutcome FileLock::Acquire(const QString& dataPath, int timeoutMs) {
    Release();
    const QString lockPath = LockPathFor(dataPath);
    // O_NOFOLLOW and the type check keep a planted link or FIFO from making
    // us create or block on something else.
    const QByteArray name = QFile::encodeName(lockPath);
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    UniqueFd fd(::open(name.constData(), O_RDWR | O_CREAT | kFlags, 0666));
    // A lock file left by another user may be read-only to us; flock works
    // on a descriptor opened for reading too.
    int err = fd.Valid() ? 0 : errno;
    if (err == EACCES) {
        fd = UniqueFd(::open(name.constData(), O_RDONLY | kFlags));
        if (fd.Valid()) err = 0;  // else the first reason is the one that tells
    }
    struct stat st {};
    if (err == 0 && ::fstat(fd.Get(), &st) != 0) err = errno;
    if (err == 0 && !S_ISREG(st.st_mode)) err = EINVAL;
    if (err != 0) {
        return WriteOutcome::Failure(QStringLiteral("Cannot open the lock file \"%1\": %2")
                                         .arg(lockPath, QString::fromLocal8Bit(std::strerror(err))),
                                     err);
    }
    // flock has no timeout of its own: poll, at first often, so that a short
    // save by another program costs us only a few milliseconds.
    QElapsedTimer clock;
    clock.start();
    for (int pause = 1;; pause = std::min(pause * 2, 50)) {
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int code = errno;
            return WriteOutcome::Failure(
                QStringLiteral("Cannot lock \"%1\": %2").arg(lockPath, QString::fromLocal8Bit(std::strerror(code))),
                code);
        }
        if (clock.elapsed() >= timeoutMs) {
            return WriteOutcome::Failure(
                QStringLiteral("\"%1\" is being changed by another program (it still holds \"%2\" after %3 "
                               "seconds); nothing was written. Try again.")
                    .arg(dataPath, lockPath)
                    .arg(timeoutMs / 1000.0));
        }
        ::usleep(static_cast<useconds_t>(pause) * 1000);
    }
    fd_ = std::move(fd);
    return WriteOutcome::Success();
}

}  // namespace quillmar
