#include "platform/removable_volumes.h"

#include "platform/system_disks.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

struct LiveMount {
    MountEntry entry;
    BlockDevice device;
};

// Block-backed mounts of `table` that are not hidden by a later mount on their folder.
QList<LiveMount> VisibleBlockMounts(const SystemPaths& paths, const QList<MountEntry>& table) {
    QHash<QString, qsizetype> lastOnDir;
    for (qsizetype i = 0; i < table.size(); ++i) lastOnDir.insert(table[i].mount_dir, i);
    QList<LiveMount> mounts;
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (lastOnDir.value(table[i].mount_dir) != i) continue;
        if (std::optional<BlockDevice> device = FindBlockDevice(paths, table[i]); device)
            mounts.append({table[i], std::move(*device)});
    }
    return mounts;
}

}  // namespace

QList<RemovableVolume> ListRemovableVolumes(const SystemPaths& paths) {
    const QList<MountEntry> table = ReadMountTable(paths.mount_table);
    const QList<LiveMount> mounts = VisibleBlockMounts(paths, table);
    const SystemDisks systemDisks(paths, table);

    QList<RemovableVolume> volumes;
    for (const LiveMount& m : mounts) {
        if (m.entry.fs_root != QLatin1String("/") || IsSystemMountDir(m.entry.mount_dir)) continue;
        if (!IsRemovableMediaDisk(m.device) || systemDisks.Holds(m.device)) continue;
        volumes.append({m.entry.mount_dir + QLatin1Char('/'), m.entry.mount_dir, m.device});
    }
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const RemovableVolume& a, const RemovableVolume& b) { return a.mount_dir < b.mount_dir; });

    QSet<QString> seenDevices;
    QList<RemovableVolume> unique;
    for (RemovableVolume& v : volumes) {
        const QString id = QStringLiteral("%1:%2").arg(v.device.major).arg(v.device.minor);
        if (seenDevices.contains(id)) continue;
        seenDevices.insert(id);
        unique.append(std::move(v));
    }
    return unique;
}

std::optional<BlockDevice> FindMountedDevice(const SystemPaths& paths, const QString& mount_dir) {
    const QList<MountEntry> table = ReadMountTable(paths.mount_table);
    for (auto it = table.crbegin(); it != table.crend(); ++it)
        if (it->mount_dir == mount_dir) return FindBlockDevice(paths, *it);
    return std::nullopt;
}

QString MountDirOfRoot(const QString& root) {
    QString dir = root;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    return dir;
}
