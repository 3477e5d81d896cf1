// Finding the disks the running system lives on, whose volumes are never offered as cards.
#include "platform/system_disks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quillmar {

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
    struct Use {
        BlockDevice device;
        QString role;
    };
    QList<Use> used;
    auto use = [&](const std::optional<BlockDevice>& device, bool btrfs, const QString& role) {
        if (!device) return;
        used.append({*device, role});
        if (btrfs)
            for (const BlockDevice& fellow : BtrfsFellowDevices(paths, *device)) used.append({fellow, role});
    };
    for (const MountEntry& m : table)
        if (IsSystemMountDir(m.mount_dir))
            use(FindBlockDevice(paths, m), m.fs_type == QLatin1String("btrfs"), m.mount_dir);
    for (const SwapEntry& swap : ReadSwaps(paths.swaps)) {
        const QString role = QStringLiteral("swap ") + swap.path;
        if (!swap.is_file) {
            use(FindBlockDeviceByPath(paths, swap.path), false, role);
        } else if (const MountEntry* m = MountHolding(table, swap.path); m) {
            use(FindBlockDevice(paths, *m), m->fs_type == QLatin1String("btrfs"), role);
        }
    }

    // The first role found for a folder is the one reported.
    auto mark = [](QHash<QString, QString>& roles, const QString& dir, const QString& role) {
        if (!roles.contains(dir)) roles.insert(dir, role);
    };
    // Down through "slaves" to the disks the system's data lives on...
    QHash<QString, QString> usedDirs;
    for (const Use& u : used) {
        mark(usedDirs, u.device.sysfs_dir, u.role);
        mark(roles_, u.device.sysfs_dir, u.role);
        for (const QString& disk : HoldingDiskDirs(u.device)) mark(roles_, disk, u.role);
    }
    if (usedDirs.isEmpty()) return;
    // ...and up through partitions and "holders" from every disk, which also
    // finds a system role that only the upper end of a stack shows.
    for (const QString& disk : AllDiskDirs(paths.sysfs)) {
        const QStringList family = StackedDeviceDirs(disk);
        std::optional<QString> role;
        if (roles_.contains(disk)) role = roles_.value(disk);
        for (qsizetype i = 0; i < family.size() && !role; ++i)
            if (usedDirs.contains(family[i])) role = usedDirs.value(family[i]);
        if (role)
            for (const QString& d : family) mark(roles_, d, *role);
    }
}

bool SystemDisks::Holds(const BlockDevice& device) const { return RoleOf(device).has_value(); }

std::optional<QString> SystemDisks::RoleOf(const BlockDevice& device) const {
    if (const auto it = roles_.constFind(device.sysfs_dir); it != roles_.cend()) return *it;
    for (const QString& below : HoldingDiskDirs(device))
        if (const auto it = roles_.constFind(below); it != roles_.cend()) return *it;
    return std::nullopt;
}

}  // namespace quillmar
