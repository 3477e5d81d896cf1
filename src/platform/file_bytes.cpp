// Reading a whole regular file, telling a missing file from an unreadable one.
#include "platform/file_bytes.h"

#include "platform/unique_fd.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

// Reads to the end, or until more than `limit` bytes came: 0 or the errno
// that stopped it.
int ReadAll(int fd, QByteArray* bytes, qint64 limit) {
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            bytes->append(chunk, n);
            if (bytes->size() > limit) return EFBIG;
        } else if (n == 0) {
            return 0;
        } else if (errno != EINTR) {
            return errno;
        }
    }
}

QString KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return qt_error_string(EISDIR);
    if (S_ISFIFO(mode)) return QStringLiteral("it is a FIFO (named pipe), not a regular file");
    if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device, not a regular file");
    return QStringLiteral("it is not a regular file");
}

}  // namespace

FileReadStatus ReadFileBytes(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes) {
    bytes->clear();
    const QByteArray name = QFile::encodeName(path);
    const auto fail = [&](const QString& reason) {
        bytes->clear();
        *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, reason);
        return FileReadStatus::kFailed;
    };
    const auto tooLarge = [&](qint64 size) {
        return fail(QStringLiteral("it is too large (%1 bytes; at most %2 are read)").arg(size).arg(maxBytes));
    };

    // Looked at before opening, since opening a FIFO or a device can block or
    // act; the open itself never blocks, and the second look closes the race.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        if (errno == ENOENT) return FileReadStatus::kMissing;
        return fail(qt_error_string(errno));
    }
    if (!S_ISREG(st.st_mode)) return fail(KindOf(st.st_mode));
    if (st.st_size > maxBytes) return tooLarge(st.st_size);

    const UniqueFd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) return errno == ENOENT ? FileReadStatus::kMissing : fail(qt_error_string(errno));
    if (::fstat(fd.Get(), &st) != 0) return fail(qt_error_string(errno));
    if (!S_ISREG(st.st_mode)) return fail(KindOf(st.st_mode));
    if (st.st_size > maxBytes) return tooLarge(st.st_size);

    bytes->reserve(static_cast<qsizetype>(st.st_size));
    // The file may grow while it is read.
    if (const int err = ReadAll(fd.Get(), bytes, maxBytes); err != 0)
        return err == EFBIG ? tooLarge(bytes->size()) : fail(qt_error_string(err));
    return FileReadStatus::kRead;
}

}  // namespace quillmar
