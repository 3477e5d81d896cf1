#pragma once
// Size and free space of the file system that holds a folder.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace quillmar {

struct VolumeSpace {
    quint64 total_bytes = 0;
    quint64 free_bytes = 0;  // all free blocks, including those reserved for root
};

// Nothing when the folder cannot be asked (gone, no permission).
std::optional<VolumeSpace> QueryVolumeSpace(const QString& dir);

}  // namespace quillmar
