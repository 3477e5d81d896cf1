#pragma once
// The Linux side of the drive source: mounted volumes on removable media,
// read from the mount table, sysfs and udev's records.

#include "platform/drive_source.h"
#include "platform/removable_volumes.h"
#include "platform/system_paths.h"

#include <functional>

namespace quillmar {

class MountedDriveSource : public DriveSource {
public:
    using SpaceQuery = std::function<std::optional<VolumeSpace>(const std::string& dir)>;

    explicit MountedDriveSource(SystemPaths paths = {}, SpaceQuery space = {});

    std::vector<std::string> RemovableRoots() override;
    // The volumes behind the last RemovableRoots.
    const QList<RemovableVolume>& LastVolumes() const { return last_volumes_; }
    const SystemPaths& Paths() const { return paths_; }
    // Empty for a folder that is not the root of a mounted volume.
    std::string VolumeLabel(const std::string& root) override;
    std::optional<VolumeSpace> Space(const std::string& root) override;

private:
    SystemPaths paths_;
    QList<RemovableVolume> last_volumes_;
    SpaceQuery space_;
};

}  // namespace quillmar
