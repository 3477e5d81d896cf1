#include "platform/file_bytes.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileReadStatus Fail(const QString& path, int err, QString* error) {
    *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, qt_error_string(err));
    return FileReadStatus::kFailed;
}

}  // namespace

FileReadStatus ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    bytes->clear();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileReadStatus::kMissing : Fail(path, errno, error);

    int err = 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        err = errno;
    } else if (S_ISDIR(st.st_mode)) {
        err = EISDIR;  // open() accepts a directory; reading it is what fails
    } else {
        bytes->reserve(static_cast<qsizetype>(st.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n > 0) {
                bytes->append(chunk, n);
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                err = errno;
                break;
            }
        }
    }
    ::close(fd);
    if (err != 0) {
        bytes->clear();
        return Fail(path, err, error);
    }
    return FileReadStatus::kRead;
}
