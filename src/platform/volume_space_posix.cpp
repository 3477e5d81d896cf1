// Size and free space of the file system holding a folder.
#include "platform/volume_space.h"

#include <cerrno>
#include <sys/statvfs.h>

namespace quillmar {

std::optional<VolumeSpace> QueryVolumeSpace(const std::string& dir) {
    struct statvfs fs {};
    int rc = 0;
    do {
        rc = ::statvfs(dir.c_str(), &fs);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return std::nullopt;
    return VolumeSpace{static_cast<std::uint64_t>(fs.f_blocks) * fs.f_frsize,
                       static_cast<std::uint64_t>(fs.f_bfree) * fs.f_frsize};
}

}  // namespace quillmar
