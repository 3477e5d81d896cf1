#include "platform/block_device.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray ReadAttribute(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(4096).trimmed();
}

// A partition's sysfs folder lies inside its disk's folder and has a
// "partition" attribute.
QString DiskDirOf(const QString& deviceDir) {
    if (QFileInfo::exists(deviceDir + QStringLiteral("/partition"))) return QFileInfo(deviceDir).path();
    return deviceDir;
}

bool IsOnUsb(const QString& diskDir) {
    // Real sysfs paths run through the USB host's root hub, "usbN":
    // /sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/.../block/sdb
    const qsizetype devices = diskDir.indexOf(QStringLiteral("/devices/"));
    if (devices < 0) return false;
    const QStringList parts = diskDir.mid(devices).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part.size() > 3 && part.startsWith(QStringLiteral("usb"))) {
            bool number = false;
            part.mid(3).toUInt(&number);
            if (number) return true;
        }
    }
    return false;
}

void CollectHoldingDisks(const QString& diskDir, int depth, QStringList* disks) {
    if (disks->contains(diskDir)) return;
    disks->append(diskDir);
    if (depth > 8) return;
    const QDir slaves(diskDir + QStringLiteral("/slaves"));
    for (const QString& entry : slaves.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString below = QFileInfo(slaves.filePath(entry)).canonicalFilePath();
        if (!below.isEmpty()) CollectHoldingDisks(DiskDirOf(below), depth + 1, disks);
    }
}

}  // namespace

std::optional<BlockDevice> FindBlockDevice(const QString& sysfs, const MountEntry& mount) {
    QString link;
    if (mount.major != 0)
        link = QStringLiteral("%1/dev/block/%2:%3").arg(sysfs).arg(mount.major).arg(mount.minor);
    else if (mount.source.startsWith(QStringLiteral("/dev/")))
        link = sysfs + QStringLiteral("/class/block/") + QFileInfo(mount.source).fileName();
    else
        return std::nullopt;

    BlockDevice device;
    device.sysfs_dir = QFileInfo(link).canonicalFilePath();
    if (device.sysfs_dir.isEmpty()) return std::nullopt;
    const QList<QByteArray> number = ReadAttribute(device.sysfs_dir + QStringLiteral("/dev")).split(':');
    bool okMajor = false;
    bool okMinor = false;
    if (number.size() != 2) return std::nullopt;
    device.major = number[0].toUInt(&okMajor);
    device.minor = number[1].toUInt(&okMinor);
    if (!okMajor || !okMinor) return std::nullopt;
    device.name = QFileInfo(device.sysfs_dir).fileName();
    device.disk_dir = DiskDirOf(device.sysfs_dir);
    device.disk_name = QFileInfo(device.disk_dir).fileName();
    return device;
}

bool IsRemovableMediaDisk(const BlockDevice& device) {
    static const char* const kNeverCards[] = {"loop", "sr", "ram", "zram", "nbd", "dm-", "md"};
    for (const char* prefix : kNeverCards)
        if (device.disk_name.startsWith(QLatin1String(prefix))) return false;

    if (device.disk_name.startsWith(QStringLiteral("mmcblk"))) {
        const QByteArray type = ReadAttribute(device.disk_dir + QStringLiteral("/device/type"));
        if (type == "SD") return true;
        if (type == "MMC") return false;  // eMMC soldered to the board
    }
    if (ReadAttribute(device.disk_dir + QStringLiteral("/removable")) == "1") return true;
    return IsOnUsb(device.disk_dir);
}

QStringList HoldingDiskDirs(const BlockDevice& device) {
    QStringList disks;
    CollectHoldingDisks(device.disk_dir, 0, &disks);
    return disks;
}
