#include "platform/regular_file_head.h"

#include "platform/unique_fd.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

std::optional<QByteArray> ReadRegularFileHead(const QString& path, qsizetype max_bytes) {
    const QByteArray name = QFile::encodeName(path);
    // Refuse anything but a regular file before opening it: opening a device can have
    // effects of its own. The check after opening closes the race.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    UniqueFd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;

    QByteArray bytes(max_bytes, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < max_bytes) {
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(max_bytes - filled));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        filled += n;
    }
    bytes.truncate(filled);
    return bytes;
}
