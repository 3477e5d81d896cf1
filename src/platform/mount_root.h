#pragma once
// Whether a folder is still the root of a mounted volume.

#include <string>

namespace quillmar {

// True when `path` is the root folder of a mounted file system. The empty
// mount folder left behind after a card was unmounted is not one, so a
// write aimed at a pulled card can be refused instead of landing on the
// system disk. UTF-8; each system answers in its own file.
bool IsMountedVolumeRoot(const std::string& path);

}  // namespace quillmar
