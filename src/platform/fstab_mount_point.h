#pragma once
// Folders that /etc/fstab reserves for a volume, such as a fixed /mnt/sd.
// While nothing is mounted there, a file written into one lands on the disk
// that holds the folder, the computer's own.

#include "platform/system_paths.h"

#include <QString>
#include <optional>

namespace quillmar {

// The mount point of paths.fstab that `dir` is at or below (the deepest one)
// when nothing is mounted on it now; nothing otherwise.
std::optional<QString> UnmountedFstabMountPoint(const SystemPaths& paths, const QString& dir);

}  // namespace quillmar
