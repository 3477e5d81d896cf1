#pragma once
// Size and free space of the file system that holds a folder.

#include "platform/drive_source.h"

#include <optional>
#include <string>

namespace quillmar {

// Nothing when the folder cannot be asked (gone, no permission).
std::optional<VolumeSpace> QueryVolumeSpace(const std::string& dir);

}  // namespace quillmar
