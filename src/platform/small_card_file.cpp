// Reading a small file from a card's root: regular files only, links refused, size capped.
#include "platform/small_card_file.h"

#include "platform/unique_fd.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

SmallCardFile Fail(SmallCardFile::Status status, int error = 0) {
    SmallCardFile result;
    result.status = status;
    if (error != 0) result.error = QString::fromLocal8Bit(std::strerror(error));
    return result;
}

}  // namespace

SmallCardFile ReadSmallCardFile(const QString& path, qsizetype maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    // Look before opening: opening a device node can have effects of its own.
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Fail(SmallCardFile::kAbsent)
                                                   : Fail(SmallCardFile::kUnreadable, errno);
    if (!S_ISREG(st.st_mode)) return Fail(SmallCardFile::kNotRegular);

    // O_NOFOLLOW and the second look close the race with a swapped entry.
    UniqueFd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd.Valid()) return Fail(errno == ELOOP ? SmallCardFile::kNotRegular : SmallCardFile::kUnreadable, errno);
    if (::fstat(fd.Get(), &st) != 0) return Fail(SmallCardFile::kUnreadable, errno);
    if (!S_ISREG(st.st_mode)) return Fail(SmallCardFile::kNotRegular);

    // One byte more than the cap tells a file that grew past it from one that fits.
    QByteArray bytes(maxBytes + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(SmallCardFile::kUnreadable, errno);
        if (n == 0) break;
        filled += n;
    }
    if (filled > maxBytes) return Fail(SmallCardFile::kTooLarge);
    bytes.truncate(filled);
    SmallCardFile result;
    result.status = SmallCardFile::kRead;
    result.bytes = std::move(bytes);
    return result;
}

}  // namespace quillmar
