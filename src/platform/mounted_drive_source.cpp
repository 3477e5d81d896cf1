// The Linux drive source: removable volumes from the mount table, sysfs and udev, and why each mount is or is not one.
#include "platform/mounted_drive_source.h"

#include "platform/log_categories.h"
#include "platform/volume_decision.h"
#include "platform/volume_label.h"
#include "platform/volume_space.h"

namespace quillmar {

MountedDriveSource::MountedDriveSource(SystemPaths paths, SpaceQuery space)
    : paths_(std::move(paths)), space_(space ? std::move(space) : SpaceQuery(QueryVolumeSpace)) {}

std::vector<std::string> MountedDriveSource::RemovableRoots() {
    last_volumes_ = ListRemovableVolumes(paths_);
    std::vector<std::string> roots;
    for (const RemovableVolume& volume : last_volumes_) roots.push_back(volume.root.toStdString());
    return roots;
}

std::string MountedDriveSource::VolumeLabel(const std::string& root) {
    const QString mountDir = MountDirOfRoot(QString::fromStdString(root));
    const std::optional<BlockDevice> device = FindMountedDevice(paths_, mountDir);
    if (!device) {
        qCDebug(lcCards) << "no label for" << mountDir << "- no block device is mounted there";
        return {};
    }
    return ReadVolumeLabel(paths_, *device).toStdString();
}

std::optional<VolumeSpace> MountedDriveSource::Space(const std::string& root) { return space_(root); }

std::unique_ptr<DriveSource> OpenSystemDrives() { return std::make_unique<MountedDriveSource>(); }

std::vector<DriveExplanation> ExplainSystemDrives() {
    std::vector<DriveExplanation> rows;
    for (const VolumeDecision& d : DecideVolumes(SystemPaths()))
        rows.push_back({d.mount.mount_dir.toStdString(), d.mount.source.toStdString(), d.mount.fs_type.toStdString(),
                        d.verdict == VolumeVerdict::kCard, VerdictCode(d).toStdString(), VerdictText(d).toStdString()});
    return rows;
}

}  // namespace quillmar
