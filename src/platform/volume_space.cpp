// Size and free space of the file system holding a folder.
#include "platform/volume_space.h"

#include <QFile>

#include <cerrno>
#include <sys/statvfs.h>

namespace quillmar {

std::optional<VolumeSpace> QueryVolumeSpace(const QString& dir) {
    const QByteArray path = QFile::encodeName(dir);
    struct statvfs fs {};
    int rc = 0;
    do {
        rc = ::statvfs(path.constData(), &fs);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return std::nullopt;
    return VolumeSpace{static_cast<quint64>(fs.f_blocks) * fs.f_frsize, static_cast<quint64>(fs.f_bfree) * fs.f_frsize};
}

}  // namespace quillmar
