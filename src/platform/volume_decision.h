#pragma once
// Whether each mounted file system is offered as a card, and why. The list
// of removable volumes and the explanation of it both come from here, so the
// two cannot disagree.

#include "platform/block_device.h"
#include "platform/mount_table.h"
#include "platform/system_paths.h"

#include <QList>
#include <QString>
#include <optional>

namespace quillmar {

enum class VolumeVerdict {
    kCard,
    kHidden,        // a later mount on the same folder hides it
    kDuplicate,     // its device is already listed under another folder
    kPseudo,        // no device behind it: proc, tmpfs, overlay, ...
    kNetwork,       // nfs, cifs, sshfs, ...
    kStale,         // its device has gone (a card pulled before it was unmounted)
    kSubFolder,     // a bind mount of a folder inside a volume
    kSystemFolder,  // mounted on a folder the system lives in ("/", "/boot", ...)
    kSystemDisk,    // on a disk that holds a system folder or swap
    kNotRemovable,  // on a fixed disk, loop device, optical drive, ...
};

struct VolumeDecision {
    MountEntry mount;
    std::optional<BlockDevice> device;
    VolumeVerdict verdict = VolumeVerdict::kPseudo;
    MediaKind media = MediaKind::kFixedDisk;  // when weighed: for kCard and kNotRemovable
    QString detail;                           // kSystemDisk: the role that makes it one; kDuplicate: the folder listed
};

// Every mount of paths.mount_table, in the table's order, with its verdict.
// A volume mounted on several folders is a card under the first of them in
// sorted order. Each verdict is logged to quillmar.drives.
QList<VolumeDecision> DecideVolumes(const SystemPaths& paths);

// A short stable word for scripts: "card", "hidden", "system-disk", and for
// kNotRemovable the media: "fixed-disk", "loop", "optical", ...
QString VerdictCode(const VolumeDecision& decision);

// The reason in words: "SD card", "on a system disk that holds /boot", ...
QString VerdictText(const VolumeDecision& decision);

}  // namespace quillmar
