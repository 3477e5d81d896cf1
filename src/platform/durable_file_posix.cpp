// Replacing a file through an fsynced temporary and a rename, so a crash leaves old or new, never a mix.
#include "platform/durable_file.h"

#include "platform/durable_file_temporaries.h"
#include "platform/path_text.h"
#include "platform/system_error_posix.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

namespace {

WriteOutcome Fail(const std::string& what, const std::filesystem::path& path, int err) {
    return WriteOutcome::Failure(what + " \"" + PathText(path) + "\": " + ErrnoText(err), err);
}

bool WriteAll(int fd, std::string_view data, int* err) {
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            *err = errno;
            return false;
        }
        p += n;
        left -= size_t(n);
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

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// In the folder open as `dirFd`: our temporaries for `fileName` that are
// regular files last changed before `olderThan`.
void RemoveTemporariesIn(int dirFd, const std::string& fileName, std::time_t olderThan) {
    // fdopendir takes the descriptor it is given; the caller keeps its own.
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return;
    DIR* listing = ::fdopendir(listFd);
    if (!listing) {
        ::close(listFd);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsDurableTemporaryName(entry->d_name, fileName)) continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_mtime < olderThan)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(listing);
}

}  // namespace

void RemoveDurableTemporaries(const std::filesystem::path& path, std::chrono::seconds minimumAge) {
    const UniqueFd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // No minimum age: every one, also one changed this very second.
    const std::time_t olderThan = minimumAge.count() == 0 ? std::numeric_limits<std::time_t>::max()
                                                          : std::time(nullptr) - std::time_t(minimumAge.count());
    if (dir.Valid()) RemoveTemporariesIn(dir.Get(), path.filename().string(), olderThan);
}

WriteOutcome ReplaceFileDurably(const std::filesystem::path& path, std::string_view data) {
    const std::filesystem::path dirPath = FolderOf(path);
    const std::string fileName = path.filename().string();

    UniqueFd dir(::open(dirPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0) return Fail("Cannot open the folder", dirPath, errno);

    // A file being replaced keeps its permission bits; a link or a new file
    // gets the default mode, as the umask makes it.
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat old {};
    if (::fstatat(dir.Get(), fileName.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        if (IsReadOnly(old))
            return WriteOutcome::Failure("The file \"" + PathText(path) + "\" is read-only; it was left as it is",
                                         EACCES, true);
        mode = old.st_mode & 07777;
        keepMode = true;
    }

    RemoveTemporariesIn(dir.Get(), fileName, std::time(nullptr) - std::time_t(kStaleTemporaryAge.count()));

    static thread_local std::mt19937 random{std::random_device{}()};
    std::string tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = DurableTemporaryName(fileName, std::uint32_t(random()));
        fd = ::openat(dir.Get(), tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return Fail("Cannot create a file in", dirPath, errno);
    }
    if (fd < 0) return Fail("Cannot create a file in", dirPath, EEXIST);
    UniqueFd temp(fd);
    auto discard = [&](const std::string& what, int err) {
        ::unlinkat(dir.Get(), tempName.c_str(), 0);
        return Fail(what, path, err);
    };

    int err = 0;
    if (!WriteAll(temp.Get(), data, &err)) return discard("Cannot write", err);
    // File systems without Unix permissions (a FAT card) refuse the change;
    // the content matters more than the bits there.
    if (keepMode && ::fchmod(temp.Get(), mode) != 0 && !NotSupportedHere(errno))
        return discard("Cannot set the permissions of", errno);
    if (::fsync(temp.Get()) != 0) return discard("Cannot flush", errno);
    if (temp.CloseChecked() != 0) return discard("Cannot write", errno);
    if (::renameat(dir.Get(), tempName.c_str(), dir.Get(), fileName.c_str()) != 0)
        return discard("Cannot replace", errno);
    // Some file systems cannot sync a directory; the rename itself has been
    // accepted, so only a real I/O error counts as a failure here. On a
    // case-insensitive card the rename also replaces "CAMERA.CONF" and the
    // like, in the same single step.
    if (::fsync(dir.Get()) != 0 && !NotSupportedHere(errno)) return Fail("Cannot flush the folder of", path, errno);
    return WriteOutcome::Success();
}

}  // namespace quillmar
