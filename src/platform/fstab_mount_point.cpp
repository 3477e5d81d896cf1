// Finding an fstab mount point with nothing mounted on it, where a write would hit the system disk.
#include "platform/fstab_mount_point.h"

#include "platform/mount_root.h"
#include "platform/mount_table.h"
#include "platform/qt_text_bridge.h"

#include <QDir>
#include <QFileInfo>

namespace quillmar {

namespace {

bool IsAtOrBelow(const QString& path, const QString& top) {
    return path == top || top == QLatin1String("/") || path.startsWith(top + QLatin1Char('/'));
}

}  // namespace

std::optional<QString> UnmountedFstabMountPoint(const SystemPaths& paths, const QString& dir) {
    // The folder as typed and, when it exists, with links resolved: either may
    // be the one fstab names.
    QStringList forms{QDir::cleanPath(QFileInfo(dir).absoluteFilePath())};
    if (const QString canonical = QFileInfo(dir).canonicalFilePath(); !canonical.isEmpty()) forms << canonical;

    for (const QString& path : forms) {
        QString deepest;
        for (const QString& entry : ReadFstabMountDirs(paths.fstab)) {
            const QString point = QDir::cleanPath(entry);
            if (IsAtOrBelow(path, point) && point.size() > deepest.size()) deepest = point;
        }
        if (!deepest.isEmpty() && !IsMountedVolumeRoot(ToUtf8(deepest))) return deepest;
    }
    return std::nullopt;
}

}  // namespace quillmar
