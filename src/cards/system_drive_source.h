#pragma once
// The drives of the running system, read from the mount table, sysfs and
// udev's records.

#include "cards/drive_source.h"
#include "platform/removable_volumes.h"
#include "platform/system_paths.h"

#include <functional>

namespace quillmar {

class SystemDriveSource : public DriveSource {
public:
    using SpaceQuery = std::function<std::optional<VolumeSpace>(const QString& dir)>;

    explicit SystemDriveSource(SystemPaths paths = {}, SpaceQuery space = {});

    QStringList RemovableRoots() override;
    // The volumes behind the last RemovableRoots.
    const QList<RemovableVolume>& LastVolumes() const { return last_volumes_; }
    // Empty for a folder that is not the root of a mounted volume.
    QString VolumeLabel(const QString& root) override;
    std::optional<VolumeSpace> Space(const QString& root) override;

private:
    SystemPaths paths_;
    QList<RemovableVolume> last_volumes_;
    SpaceQuery space_;
};

}  // namespace quillmar
