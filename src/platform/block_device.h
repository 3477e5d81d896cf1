#pragma once
// Block devices as sysfs describes them: which device holds a mounted file
// system, which disk that device belongs to, and whether the disk takes
// removable media.

#include "platform/mount_table.h"

#include <QString>
#include <QStringList>
#include <optional>

struct BlockDevice {
    QString name;       // kernel name of the device with the file system: "sdb1", "mmcblk0p1", "sdc"
    QString sysfs_dir;  // its canonical sysfs folder
    QString disk_dir;   // canonical sysfs folder of the whole disk (the same for an unpartitioned disk)
    QString disk_name;  // "sdb", "mmcblk0"
    unsigned major = 0;  // the device's own number, read from sysfs, also when the
    unsigned minor = 0;  // file system reports an anonymous one (btrfs, fuseblk)
};

// Finds the block device of `mount` under the sysfs root `sysfs`: by its
// device number, or by the /dev name of its source when the number is
// anonymous. Nothing for pseudo and network file systems, and nothing for a
// mount whose device has gone (a card pulled before it was unmounted).
std::optional<BlockDevice> FindBlockDevice(const QString& sysfs, const MountEntry& mount);

// True when the disk takes removable media: the kernel's removable flag, an
// SD card (not a soldered eMMC chip, which is an mmcblk device too), or a disk
// on USB (card readers often report removable 0). Loop, optical, RAM,
// network-block, device-mapper and md devices never count.
bool IsRemovableMediaDisk(const BlockDevice& device);

// Canonical sysfs folders of every disk the device's data lives on: its own
// disk, and for device-mapper or md devices the disks beneath them.
QStringList HoldingDiskDirs(const BlockDevice& device);
