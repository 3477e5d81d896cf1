#pragma once
// Whether a folder is still the root of a mounted volume.

#include <QString>

namespace quillmar {

// True when `path` is the root folder of a mounted file system. The empty
// mount folder left behind after a card was unmounted is not one, so a
// write aimed at a pulled card can be refused instead of landing on the
// system disk.
bool IsMountedVolumeRoot(const QString& path);

}  // namespace quillmar
