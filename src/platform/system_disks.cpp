#include "platform/system_disks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool IsAtOrBelow(const QString& dir, QLatin1String top) {
    return dir == top || (dir.startsWith(top) && dir.at(top.size()) == QLatin1Char('/'));
}

// The mount that holds `file`: the longest mount folder above it; among mounts
// on the same folder, the last one, which hides the others.
const MountEntry* MountHolding(const QList<MountEntry>& table, const QString& file) {
    const MountEntry* best = nullptr;
    for (const MountEntry& m : table) {
        const bool holds = m.mount_dir == QLatin1String("/") || file.startsWith(m.mount_dir + QLatin1Char('/'));
        if (holds && (!best || m.mount_dir.size() >= best->mount_dir.size())) best = &m;
    }
    return best;
}

// A btrfs file system may span several devices; the mount names only one.
// sysfs lists them all under fs/btrfs/<uuid>/devices.
QList<BlockDevice> BtrfsFellowDevices(const SystemPaths& paths, const BlockDevice& device) {
    QList<BlockDevice> fellows;
    const QDir btrfs(paths.sysfs + QStringLiteral("/fs/btrfs"));
    for (const QString& fs : btrfs.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir devices(btrfs.filePath(fs) + QStringLiteral("/devices"));
        if (!devices.exists(device.name)) continue;
        for (const QString& name : devices.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            if (auto fellow = BlockDeviceAt(devices.filePath(name)); fellow) fellows << *fellow;
    }
    return fellows;
}

}  // namespace

bool IsSystemMountDir(const QString& dir) {
    static const char* const kExact[] = {"/", "/efi", "/home", "/opt", "/srv", "/nix"};
    static const char* const kTrees[] = {"/boot", "/usr", "/var"};
    for (const char* top : kExact)
        if (dir == QLatin1String(top)) return true;
    for (const char* top : kTrees)
        if (IsAtOrBelow(dir, QLatin1String(top))) return true;
    return false;
}

SystemDisks::SystemDisks(const SystemPaths& paths, const QList<MountEntry>& table) {
    QList<BlockDevice> used;
    auto use = [&](const std::optional<BlockDevice>& device, bool btrfs) {
        if (!device) return;
        used << *device;
        if (btrfs) used << BtrfsFellowDevices(paths, *device);
    };
    for (const MountEntry& m : table)
        if (IsSystemMountDir(m.mount_dir)) use(FindBlockDevice(paths, m), m.fs_type == QLatin1String("btrfs"));
    for (const SwapEntry& swap : ReadSwaps(paths.swaps)) {
        if (!swap.is_file) {
            use(FindBlockDeviceByPath(paths, swap.path), false);
        } else if (const MountEntry* m = MountHolding(table, swap.path); m) {
            use(FindBlockDevice(paths, *m), m->fs_type == QLatin1String("btrfs"));
        }
    }

    // Down through "slaves" to the disks the system's data lives on...
    QSet<QString> usedDirs;
    for (const BlockDevice& device : used) {
        usedDirs.insert(device.sysfs_dir);
        dirs_.insert(device.sysfs_dir);
        for (const QString& disk : HoldingDiskDirs(device)) dirs_.insert(disk);
    }
    if (usedDirs.isEmpty()) return;
    // ...and up through partitions and "holders" from every disk, which also
    // finds a system role that only the upper end of a stack shows.
    for (const QString& disk : AllDiskDirs(paths.sysfs)) {
        const QStringList family = StackedDeviceDirs(disk);
        const bool system = dirs_.contains(disk) || std::any_of(family.cbegin(), family.cend(), [&](const QString& d) {
                                return usedDirs.contains(d);
                            });
        if (system)
            for (const QString& d : family) dirs_.insert(d);
    }
}

bool SystemDisks::Holds(const BlockDevice& device) const {
    if (dirs_.contains(device.sysfs_dir)) return true;
    const QStringList below = HoldingDiskDirs(device);
    return std::any_of(below.cbegin(), below.cend(), [&](const QString& d) { return dirs_.contains(d); });
}
