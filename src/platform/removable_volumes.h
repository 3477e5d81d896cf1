#pragma once
// Our stand-in for the list of removable drives: mounted file systems whose
// disk takes removable media, each with a root path ending in "/".

#include "platform/block_device.h"
#include "platform/system_paths.h"

#include <QList>
#include <QString>
#include <optional>

namespace quillmar {

struct RemovableVolume {
    QString root;  // mount_dir followed by "/"
    QString mount_dir;
    BlockDevice device;
};

// Every mounted file system on removable media, ordered by mount folder; an
// unlocked encrypted card is listed by the mount of its device-mapper device.
// Skipped: system disks (see SystemDisks), fixed disks, loop and optical devices, pseudo and network
// file systems, stale mounts whose device has gone, mounts hidden under a
// later mount on the same folder, and bind mounts of a sub-folder. A volume
// mounted twice is listed once, under its first folder. DecideVolumes tells
// why each mount is or is not listed.
QList<RemovableVolume> ListRemovableVolumes(const SystemPaths& paths);

// The live block device mounted at `mount_dir`; the last mount on a folder
// hides the earlier ones.
std::optional<BlockDevice> FindMountedDevice(const SystemPaths& paths, const QString& mountDir);

// "/media/card/" -> "/media/card"; "/" stays "/".
QString MountDirOfRoot(const QString& root);

}  // namespace quillmar
