// The live system's drives for the card list, read from the mount table, sysfs and udev.
#include "cards/system_drive_source.h"

#include "platform/log_categories.h"
#include "platform/removable_volumes.h"
#include "platform/volume_label.h"

namespace quillmar {

SystemDriveSource::SystemDriveSource(SystemPaths paths, SpaceQuery space)
    : paths_(std::move(paths)), space_(space ? std::move(space) : SpaceQuery(QueryVolumeSpace)) {}

QStringList SystemDriveSource::RemovableRoots() {
    last_volumes_ = ListRemovableVolumes(paths_);
    QStringList roots;
    for (const RemovableVolume& volume : last_volumes_) roots << volume.root;
    return roots;
}

QString SystemDriveSource::VolumeLabel(const QString& root) {
    const std::optional<BlockDevice> device = FindMountedDevice(paths_, MountDirOfRoot(root));
    if (!device) {
        qCDebug(lcCards) << "no label for" << root << "- no block device is mounted there";
        return {};
    }
    return ReadVolumeLabel(paths_, *device);
}

std::optional<VolumeSpace> SystemDriveSource::Space(const QString& root) { return space_(root); }

}  // namespace quillmar
