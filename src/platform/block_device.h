#pragma once
// Block devices as sysfs describes them: which device holds a mounted file
// system, which disks lie beneath it or are stacked above it, and whether a
// disk takes removable media.

#include "platform/mount_table.h"
#include "platform/system_paths.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quillmar {

struct BlockDevice {
    QString name;        // kernel name of the device with the file system: "sdb1", "mmcblk0p1", "dm-2"
    QString sysfs_dir;   // its canonical sysfs folder
    QString disk_dir;    // canonical sysfs folder of the whole disk (the same for an unpartitioned disk)
    QString disk_name;   // "sdb", "mmcblk0", "dm-2"
    unsigned major = 0;  // the device's own number, read from sysfs, also when the
    unsigned minor = 0;  // file system reports an anonymous one (btrfs, fuseblk)
};

// Finds the block device of `mount`: by its device number, or by its source
// when the number is anonymous. Nothing for pseudo and network file systems,
// and nothing for a mount whose device has gone (a card pulled before it was
// unmounted).
std::optional<BlockDevice> FindBlockDevice(const SystemPaths& paths, const MountEntry& mount);

// The block device a path under /dev names: "/dev/sdb1", "/dev/dm-2",
// "/dev/mapper/NAME", or any link udev made to one ("/dev/disk/by-uuid/...").
std::optional<BlockDevice> FindBlockDeviceByPath(const SystemPaths& paths, const QString& devPath);

// The device whose sysfs folder is `sysfs_dir`.
std::optional<BlockDevice> BlockDeviceAt(const QString& sysfsDir);

// What a device's data lives on, as far as being a card goes.
enum class MediaKind {
    kSdCard,         // an SD card (not a soldered eMMC chip, which is an mmcblk device too)
    kRemovableFlag,  // the kernel's removable flag
    kUsbDisk,        // a disk on USB (card readers often report removable 0)
    kEmbeddedMmc,
    kFixedDisk,
    kLoop,
    kOptical,
    kRamDisk,
    kNetworkBlock,
    kRaid,
    kVirtual,  // a device-mapper device with no disk beneath it
};

// The media of the disk holding `device`. For a device-mapper device (an
// unlocked encrypted stick) it is that of the disks at the bottom of the
// stack: the first that is not removable, else the first.
MediaKind DiskMediaOf(const BlockDevice& device);

// True for the removable kinds: SD card, removable flag, USB disk.
bool IsRemovableMedia(MediaKind kind);

// True when the disk takes removable media (see DiskMediaOf). Loop, optical,
// RAM, network-block and md devices never count; a device-mapper device
// counts when every disk beneath it does.
bool IsRemovableMediaDisk(const BlockDevice& device);

// Canonical sysfs folders of every disk the device's data lives on: its own
// disk, and for device-mapper or md devices the disks beneath them, followed
// down through "slaves".
QStringList HoldingDiskDirs(const BlockDevice& device);

// Canonical sysfs folders of a disk, its partitions and every device stacked
// on them, followed up through "holders".
QStringList StackedDeviceDirs(const QString& diskDir);

// Canonical sysfs folders of every whole disk sysfs lists.
QStringList AllDiskDirs(const QString& sysfs);

}  // namespace quillmar
