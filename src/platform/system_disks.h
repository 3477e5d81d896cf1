#pragma once
// The disks the running system lives on. None of their volumes may ever be
// offered as a card, however removable the disk looks: a single-board
// computer boots from an SD card, a portable install runs from a USB disk.

#include "platform/block_device.h"
#include "platform/mount_table.h"
#include "platform/system_paths.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace quillmar {

// True for a mount folder that makes its disk a system disk: "/", "/boot" and
// anything below it, "/efi", "/usr" and "/var" and anything below them,
// "/home", "/opt", "/srv", "/nix".
bool IsSystemMountDir(const QString& dir);

class SystemDisks {
public:
    // Every mount in `table` is weighed, hidden ones and bind mounts too, and
    // every active swap area in paths.swaps. Stacks (device-mapper, md) are
    // followed down to their disks and back up to everything on those disks.
    SystemDisks(const SystemPaths& paths, const QList<MountEntry>& table);

    // True when `device` or any disk beneath it is part of a system disk.
    bool Holds(const BlockDevice& device) const;
    // What makes `device` part of a system disk: the system folder ("/boot")
    // or swap area ("swap /dev/dm-2") found on it first; nothing when it is
    // not part of one.
    std::optional<QString> RoleOf(const BlockDevice& device) const;

private:
    // Canonical sysfs folders of system disks and everything on them, each
    // with the role that made it one.
    QHash<QString, QString> roles_;
};

}  // namespace quillmar
