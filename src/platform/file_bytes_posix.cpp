// Reading a whole regular file, telling a missing file from an unreadable one.
#include "platform/file_bytes.h"

#include "platform/path_text.h"
#include "platform/system_error_posix.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

// Reads to the end, or until more than `limit` bytes came: 0 or the errno
// that stopped it.
int ReadAll(int fd, std::string* bytes, std::uint64_t limit) {
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            bytes->append(chunk, size_t(n));
            if (bytes->size() > limit) return EFBIG;
        } else if (n == 0) {
            return 0;
        } else if (errno != EINTR) {
            return errno;
        }
    }
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return ErrnoText(EISDIR);
    if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    return "it is not a regular file";
}

}  // namespace

FileReadStatus ReadFileBytes(const std::filesystem::path& path, std::string* bytes, std::string* error,
                             std::uint64_t maxBytes) {
    bytes->clear();
    const auto fail = [&](const std::string& reason) {
        bytes->clear();
        *error = "Cannot read \"" + PathText(path) + "\": " + reason;
        return FileReadStatus::kFailed;
    };
    const auto tooLarge = [&](std::uint64_t size) { return fail(TooLargeReason(size, maxBytes)); };

    // Looked at before opening, since opening a FIFO or a device can block or
    // act; the open itself never blocks, and the second look closes the race.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return FileReadStatus::kMissing;
        return fail(ErrnoText(errno));
    }
    if (!S_ISREG(st.st_mode)) return fail(KindOf(st.st_mode));
    if (std::uint64_t(st.st_size) > maxBytes) return tooLarge(std::uint64_t(st.st_size));

    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) return errno == ENOENT ? FileReadStatus::kMissing : fail(ErrnoText(errno));
    if (::fstat(fd.Get(), &st) != 0) return fail(ErrnoText(errno));
    if (!S_ISREG(st.st_mode)) return fail(KindOf(st.st_mode));
    if (std::uint64_t(st.st_size) > maxBytes) return tooLarge(std::uint64_t(st.st_size));

    bytes->reserve(size_t(st.st_size));
    // The file may grow while it is read.
    if (const int err = ReadAll(fd.Get(), bytes, maxBytes); err != 0)
        return err == EFBIG ? tooLarge(bytes->size()) : fail(ErrnoText(err));
    return FileReadStatus::kRead;
}

}  // namespace quillmar
