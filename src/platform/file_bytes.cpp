#include "platform/file_bytes.h"

#include "platform/unique_fd.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Reads to the end; 0 or the errno that stopped it.
int ReadAll(int fd, QByteArray* bytes) {
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0)
            bytes->append(chunk, n);
        else if (n == 0)
            return 0;
        else if (errno != EINTR)
            return errno;
    }
}

}  // namespace

FileReadStatus ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    bytes->clear();
    const UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid() && errno == ENOENT) return FileReadStatus::kMissing;

    int err = fd.valid() ? 0 : errno;
    struct stat st {};
    if (err == 0 && ::fstat(fd.get(), &st) != 0) err = errno;
    if (err == 0 && S_ISDIR(st.st_mode)) err = EISDIR;  // open() accepts a directory; reading it fails
    if (err == 0) {
        bytes->reserve(static_cast<qsizetype>(st.st_size));
        err = ReadAll(fd.get(), bytes);
    }
    if (err == 0) return FileReadStatus::kRead;
    bytes->clear();
    *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, qt_error_string(err));
    return FileReadStatus::kFailed;
}
