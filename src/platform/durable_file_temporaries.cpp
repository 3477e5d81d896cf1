// Names of the durable writer's temporaries, and removal of stale ones a killed writer left behind.
#include "platform/durable_file_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

namespace {

constexpr QByteArrayView kTmpMarker = ".tmp";
constexpr qsizetype kMaxSuffix = 7;  // a 32-bit number in base 36

bool IsSuffixChar(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }

}  // namespace

QByteArray DurableTemporaryName(QByteArrayView fileName, quint32 random) {
    return "." + fileName.toByteArray() + kTmpMarker.toByteArray() + QByteArray::number(random, 36);
}

bool IsDurableTemporaryName(QByteArrayView entry, QByteArrayView fileName) {
    const qsizetype prefix = 1 + fileName.size() + kTmpMarker.size();
    const qsizetype suffix = entry.size() - prefix;
    if (suffix < 1 || suffix > kMaxSuffix || entry.front() != '.' || entry.sliced(1, fileName.size()) != fileName ||
        entry.sliced(1 + fileName.size(), kTmpMarker.size()) != kTmpMarker)
        return false;
    for (const char c : entry.sliced(prefix))
        if (!IsSuffixChar(c)) return false;
    return true;
}

void RemoveStaleDurableTemporaries(int dirFd, QByteArrayView fileName, std::time_t olderThan) {
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

}  // namespace quillmar
