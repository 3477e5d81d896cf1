// The one set of rules that makes a mounted file system a card or not.

#include "platform/volume_decision.h"

#include "platform/log_categories.h"
#include "platform/system_disks.h"

#include <QHash>
#include <algorithm>

namespace quillmar {

namespace {

bool IsNetworkMount(const MountEntry& mount) {
    static const char* const kTypes[] = {"nfs",        "nfs4",        "cifs",      "smb3",          "smbfs",  "ncpfs",
                                         "afs",        "ceph",        "9p",        "glusterfs",     "lustre", "davfs",
                                         "fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.glusterfs"};
    for (const char* type : kTypes)
        if (mount.fs_type == QLatin1String(type)) return true;
    // "server:/export", "me@host:/photos", "//server/share"
    return mount.source.contains(QStringLiteral(":/")) || mount.source.startsWith(QStringLiteral("//"));
}

// Why a mount has no block device behind it.
VolumeVerdict DevicelessVerdict(const MountEntry& mount) {
    // A real device number, or a /dev path, that sysfs no longer knows.
    if (mount.major != 0 || mount.source.startsWith(QStringLiteral("/dev/"))) return VolumeVerdict::kStale;
    return IsNetworkMount(mount) ? VolumeVerdict::kNetwork : VolumeVerdict::kPseudo;
}

void Decide(VolumeDecision& d, const SystemPaths& paths, const SystemDisks& systemDisks) {
    d.device = FindBlockDevice(paths, d.mount);
    if (!d.device) {
        d.verdict = DevicelessVerdict(d.mount);
    } else if (d.mount.fs_root != QLatin1String("/")) {
        d.verdict = VolumeVerdict::kSubFolder;
    } else if (IsSystemMountDir(d.mount.mount_dir)) {
        d.verdict = VolumeVerdict::kSystemFolder;
    } else if (const std::optional<QString> role = systemDisks.RoleOf(*d.device); role) {
        d.verdict = VolumeVerdict::kSystemDisk;
        d.detail = *role;
    } else {
        d.media = DiskMediaOf(*d.device);
        d.verdict = IsRemovableMedia(d.media) ? VolumeVerdict::kCard : VolumeVerdict::kNotRemovable;
    }
}

// A volume mounted twice is a card once, under its first folder in sorted order.
void MarkDuplicates(QList<VolumeDecision>& decisions) {
    QList<qsizetype> cards;
    for (qsizetype i = 0; i < decisions.size(); ++i)
        if (decisions[i].verdict == VolumeVerdict::kCard) cards << i;
    std::stable_sort(cards.begin(), cards.end(), [&](qsizetype a, qsizetype b) {
        return decisions[a].mount.mount_dir < decisions[b].mount.mount_dir;
    });
    QHash<QString, QString> firstDir;  // "major:minor" -> folder
    for (const qsizetype i : cards) {
        VolumeDecision& d = decisions[i];
        const QString id = QStringLiteral("%1:%2").arg(d.device->major).arg(d.device->minor);
        if (const auto it = firstDir.constFind(id); it != firstDir.cend()) {
            d.verdict = VolumeVerdict::kDuplicate;
            d.detail = *it;
        } else {
            firstDir.insert(id, d.mount.mount_dir);
        }
    }
}

QString MediaCode(MediaKind kind) {
    switch (kind) {
    case MediaKind::kSdCard:
        return QStringLiteral("sd-card");
    case MediaKind::kRemovableFlag:
        return QStringLiteral("removable");
    case MediaKind::kUsbDisk:
        return QStringLiteral("usb-disk");
    case MediaKind::kEmbeddedMmc:
        return QStringLiteral("emmc");
    case MediaKind::kFixedDisk:
        return QStringLiteral("fixed-disk");
    case MediaKind::kLoop:
        return QStringLiteral("loop");
    case MediaKind::kOptical:
        return QStringLiteral("optical");
    case MediaKind::kRamDisk:
        return QStringLiteral("ram-disk");
    case MediaKind::kNetworkBlock:
        return QStringLiteral("network-block");
    case MediaKind::kRaid:
        return QStringLiteral("raid");
    case MediaKind::kVirtual:
        return QStringLiteral("virtual");
    }
    return {};
}

QString MediaText(MediaKind kind) {
    switch (kind) {
    case MediaKind::kSdCard:
        return QStringLiteral("SD card");
    case MediaKind::kRemovableFlag:
        return QStringLiteral("removable media");
    case MediaKind::kUsbDisk:
        return QStringLiteral("disk on USB");
    case MediaKind::kEmbeddedMmc:
        return QStringLiteral("eMMC built into the board");
    case MediaKind::kFixedDisk:
        return QStringLiteral("fixed disk");
    case MediaKind::kLoop:
        return QStringLiteral("loop device");
    case MediaKind::kOptical:
        return QStringLiteral("optical drive");
    case MediaKind::kRamDisk:
        return QStringLiteral("RAM disk");
    case MediaKind::kNetworkBlock:
        return QStringLiteral("network block device");
    case MediaKind::kRaid:
        return QStringLiteral("RAID array");
    case MediaKind::kVirtual:
        return QStringLiteral("device-mapper device with no disk beneath");
    }
    return {};
}

}  // namespace

QList<VolumeDecision> DecideVolumes(const SystemPaths& paths) {
    const QList<MountEntry> table = ReadMountTable(paths.mount_table);
    const SystemDisks systemDisks(paths, table);
    QHash<QString, qsizetype> lastOnDir;
    for (qsizetype i = 0; i < table.size(); ++i) lastOnDir.insert(table[i].mount_dir, i);

    QList<VolumeDecision> decisions;
    decisions.reserve(table.size());
    for (qsizetype i = 0; i < table.size(); ++i) {
        VolumeDecision& d = decisions.emplace_back();
        d.mount = table[i];
        if (lastOnDir.value(d.mount.mount_dir) != i)
            d.verdict = VolumeVerdict::kHidden;
        else
            Decide(d, paths, systemDisks);
    }
    MarkDuplicates(decisions);

    for (const VolumeDecision& d : decisions)
        qCDebug(lcDrives).noquote() << (d.verdict == VolumeVerdict::kCard ? "card:" : "not a card:")
                                    << d.mount.mount_dir << "from" << d.mount.source << '-' << VerdictText(d);
    return decisions;
}

QString VerdictCode(const VolumeDecision& d) {
    switch (d.verdict) {
    case VolumeVerdict::kCard:
        return QStringLiteral("card");
    case VolumeVerdict::kHidden:
        return QStringLiteral("hidden");
    case VolumeVerdict::kDuplicate:
        return QStringLiteral("duplicate");
    case VolumeVerdict::kPseudo:
        return QStringLiteral("pseudo");
    case VolumeVerdict::kNetwork:
        return QStringLiteral("network");
    case VolumeVerdict::kStale:
        return QStringLiteral("stale");
    case VolumeVerdict::kSubFolder:
        return QStringLiteral("sub-folder");
    case VolumeVerdict::kSystemFolder:
        return QStringLiteral("system-folder");
    case VolumeVerdict::kSystemDisk:
        return QStringLiteral("system-disk");
    case VolumeVerdict::kNotRemovable:
        return MediaCode(d.media);
    }
    return {};
}

QString VerdictText(const VolumeDecision& d) {
    switch (d.verdict) {
    case VolumeVerdict::kCard:
        return MediaText(d.media);
    case VolumeVerdict::kHidden:
        return QStringLiteral("hidden by a later mount on the same folder");
    case VolumeVerdict::kDuplicate:
        return QStringLiteral("the same volume as %1").arg(d.detail);
    case VolumeVerdict::kPseudo:
        return QStringLiteral("%1 has no device behind it").arg(d.mount.fs_type);
    case VolumeVerdict::kNetwork:
        return QStringLiteral("network file system (%1)").arg(d.mount.fs_type);
    case VolumeVerdict::kStale:
        return QStringLiteral("its device %1 has gone").arg(d.mount.source);
    case VolumeVerdict::kSubFolder:
        return QStringLiteral("bind mount of %1 inside a volume").arg(d.mount.fs_root);
    case VolumeVerdict::kSystemFolder:
        return QStringLiteral("mounted on a system folder");
    case VolumeVerdict::kSystemDisk:
        return QStringLiteral("on a system disk, which holds %1").arg(d.detail);
    case VolumeVerdict::kNotRemovable:
        return MediaText(d.media);
    }
    return {};
}

}  // namespace quillmar
