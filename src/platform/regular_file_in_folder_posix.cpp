// Reading a small regular file from untrusted media without following links or leaving the folder's device.
#include "platform/regular_file_in_folder.h"

#include "platform/system_error_posix.h"
#include "platform/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The entry of the folder whose name equals `name` but for ASCII case; the
// byte-wise first when there are several, so the choice does not depend on
// the directory's order. Empty when there is none.
std::string CaseVariant(int folder, std::string_view name) {
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) return {};
    DIR* dir = ::fdopendir(copy);
    if (dir == nullptr) {
        ::close(copy);
        return {};
    }
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate(entry->d_name);
        if (EqualIgnoringAsciiCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
    }
    ::closedir(dir);
    return best;
}

FolderFileRead Fail(FolderFileRead::Status status, int error = 0) {
    FolderFileRead read;
    read.status = status;
    if (error != 0) read.error = ErrnoText(error);
    return read;
}

FolderFileRead Missing(int err) {
    return err == ENOENT || err == ENOTDIR ? Fail(FolderFileRead::kAbsent) : Fail(FolderFileRead::kUnreadable, err);
}

}  // namespace

FolderFileRead ReadRegularFileInFolder(const std::filesystem::path& folder, std::string_view name, std::size_t maxBytes,
                                       NameCase nameCase) {
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid()) return Missing(errno);
    struct stat root {};
    if (::fstat(dir.Get(), &root) != 0) return Fail(FolderFileRead::kUnreadable, errno);

    // Looked at before opening: opening a device node can have effects of its own.
    std::string entry(name);
    struct stat st {};
    if (::fstatat(dir.Get(), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        const int err = errno;
        if (err != ENOENT || nameCase == NameCase::kExact) return Missing(err);
        entry = CaseVariant(dir.Get(), name);
        if (entry.empty()) return Missing(err);
        if (::fstatat(dir.Get(), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return Missing(errno);
    }
    // A link, a device or FIFO, or a file mounted over the name from elsewhere
    // is never read; the checks after opening close the race with a swap.
    if (!S_ISREG(st.st_mode) || st.st_dev != root.st_dev) return Fail(FolderFileRead::kNotRegular);
    UniqueFd fd(::openat(dir.Get(), entry.c_str(), kReadFlags));
    if (!fd.Valid()) return Fail(errno == ELOOP ? FolderFileRead::kNotRegular : FolderFileRead::kUnreadable, errno);
    if (::fstat(fd.Get(), &st) != 0) return Fail(FolderFileRead::kUnreadable, errno);
    if (!S_ISREG(st.st_mode) || st.st_dev != root.st_dev) return Fail(FolderFileRead::kNotRegular);

    // One byte more than asked for tells a file that holds more.
    FolderFileRead read;
    read.bytes.resize(maxBytes + 1);
    size_t filled = 0;
    while (filled < read.bytes.size()) {
        const ssize_t n = ::read(fd.Get(), read.bytes.data() + filled, read.bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(FolderFileRead::kUnreadable, errno);
        if (n == 0) break;
        filled += size_t(n);
    }
    read.truncated = filled > maxBytes;
    read.bytes.resize(std::min(filled, maxBytes));
    read.status = FolderFileRead::kRead;
    return read;
}

}  // namespace quillmar
