// Reading the start of a regular file from untrusted media without blocking or following devices.
#include "platform/regular_file_head.h"

#include "platform/unique_fd.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::optional<QByteArray> ReadHead(int fd, qsizetype maxBytes) {
    QByteArray bytes(maxBytes, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < maxBytes) {
        const ssize_t n = ::read(fd, bytes.data() + filled, static_cast<size_t>(maxBytes - filled));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        filled += n;
    }
    bytes.truncate(filled);
    return bytes;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(const char* a, const QByteArray& b) {
    qsizetype i = 0;
    for (; a[i] != '\0' && i < b.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return a[i] == '\0' && i == b.size();
}

// The entry of the folder whose name equals `name` but for ASCII case; the
// byte-wise first when there are several, so the choice does not depend on
// the directory's order. Empty when there is none.
QByteArray CaseVariant(int folder, const QByteArray& name) {
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) return {};
    DIR* dir = ::fdopendir(copy);
    if (dir == nullptr) {
        ::close(copy);
        return {};
    }
    QByteArray best;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray candidate(entry->d_name);
        if (EqualIgnoringAsciiCase(entry->d_name, name) && (best.isEmpty() || candidate < best)) best = candidate;
    }
    ::closedir(dir);
    return best;
}

}  // namespace

std::optional<QByteArray> ReadFileHeadInFolder(const QString& folder, const QString& name, qsizetype maxBytes) {
    UniqueFd dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat root {};
    if (!dir.Valid() || ::fstat(dir.Get(), &root) != 0) return std::nullopt;

    QByteArray entry = QFile::encodeName(name);
    struct stat st {};
    if (::fstatat(dir.Get(), entry.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) return std::nullopt;
        entry = CaseVariant(dir.Get(), entry);
        if (entry.isEmpty() || ::fstatat(dir.Get(), entry.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return std::nullopt;
    }
    // A link, a device or FIFO, or a file mounted over the name from elsewhere
    // is never read; the checks after opening close the race with a swap.
    if (!S_ISREG(st.st_mode) || st.st_dev != root.st_dev) return std::nullopt;
    UniqueFd fd(::openat(dir.Get(), entry.constData(), kReadFlags | O_NOFOLLOW));
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != root.st_dev)
        return std::nullopt;
    return ReadHead(fd.Get(), maxBytes);
}

}  // namespace quillmar
