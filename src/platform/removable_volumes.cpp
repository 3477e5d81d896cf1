// The removable volumes: the mounts DecideVolumes accepts as cards, and the device under a mount folder.
#include "platform/removable_volumes.h"

#include "platform/volume_decision.h"

#include <algorithm>

namespace quillmar {

QList<RemovableVolume> ListRemovableVolumes(const SystemPaths& paths) {
    QList<RemovableVolume> volumes;
    for (const VolumeDecision& d : DecideVolumes(paths))
        if (d.verdict == VolumeVerdict::kCard)
            volumes.append({d.mount.mount_dir + QLatin1Char('/'), d.mount.mount_dir, *d.device});
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const RemovableVolume& a, const RemovableVolume& b) { return a.mount_dir < b.mount_dir; });
    return volumes;
}

std::optional<BlockDevice> FindMountedDevice(const SystemPaths& paths, const QString& mountDir) {
    const QList<MountEntry> table = ReadMountTable(paths.mount_table);
    for (auto it = table.crbegin(); it != table.crend(); ++it)
        if (it->mount_dir == mountDir) return FindBlockDevice(paths, *it);
    return std::nullopt;
}

QString MountDirOfRoot(const QString& root) {
    QString dir = root;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    return dir;
}

}  // namespace quillmar
