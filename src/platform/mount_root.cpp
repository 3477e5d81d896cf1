// Whether a folder is still the root of a mounted volume.
#include "platform/mount_root.h"

#include "platform/qt_text_bridge.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace quillmar {

bool IsMountedVolumeRoot(const std::string& path) {
    const QByteArray name = QFile::encodeName(FromUtf8(path));
    struct statx sx {};
    if (::statx(AT_FDCWD, name.constData(), AT_NO_AUTOMOUNT, STATX_TYPE, &sx) != 0) return false;
    if (!S_ISDIR(sx.stx_mode)) return false;
    if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;

    // Kernels before 5.8 do not report mount roots: a folder on another
    // device than its parent, or "/" itself, is one.
    struct stat self {};
    struct stat parent {};
    const QByteArray up = name + (name.endsWith('/') ? ".." : "/..");
    if (::stat(name.constData(), &self) != 0 || ::stat(up.constData(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

}  // namespace quillmar
