// sysfs lookups: the device under a mount, the disks beneath and above it, and removable media.
#include "platform/block_device.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace quillmar {

namespace {

// Stacks deeper than this are treated as loops in a broken tree.
constexpr int kMaxStackDepth = 16;

QByteArray ReadAttribute(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(4096).trimmed();
}

QStringList EntriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

bool IsPartitionDir(const QString& dir) { return QFileInfo::exists(dir + QStringLiteral("/partition")); }

// A partition's sysfs folder lies inside its disk's folder and has a
// "partition" attribute.
QString DiskDirOf(const QString& deviceDir) {
    return IsPartitionDir(deviceDir) ? QFileInfo(deviceDir).path() : deviceDir;
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
    if (depth > kMaxStackDepth) return;
    const QString slaves = diskDir + QStringLiteral("/slaves/");
    for (const QString& entry : EntriesOf(slaves)) {
        const QString below = Canonical(slaves + entry);
        if (!below.isEmpty()) CollectHoldingDisks(DiskDirOf(below), depth + 1, disks);
    }
}

bool HasSlaves(const QString& dir) { return !EntriesOf(dir + QStringLiteral("/slaves")).isEmpty(); }

MediaKind PlainDiskMedia(const QString& diskDir) {
    const QString name = QFileInfo(diskDir).fileName();
    static const struct {
        const char* prefix;
        MediaKind kind;
    } kNeverCards[] = {{"loop", MediaKind::kLoop},    {"sr", MediaKind::kOptical},       {"ram", MediaKind::kRamDisk},
                       {"zram", MediaKind::kRamDisk}, {"nbd", MediaKind::kNetworkBlock}, {"dm-", MediaKind::kVirtual},
                       {"md", MediaKind::kRaid}};
    for (const auto& never : kNeverCards)
        if (name.startsWith(QLatin1String(never.prefix))) return never.kind;

    if (name.startsWith(QStringLiteral("mmcblk"))) {
        const QByteArray type = ReadAttribute(diskDir + QStringLiteral("/device/type"));
        if (type == "SD") return MediaKind::kSdCard;
        if (type == "MMC") return MediaKind::kEmbeddedMmc;  // soldered to the board
    }
    if (ReadAttribute(diskDir + QStringLiteral("/removable")) == "1") return MediaKind::kRemovableFlag;
    return IsOnUsb(diskDir) ? MediaKind::kUsbDisk : MediaKind::kFixedDisk;
}

std::optional<BlockDevice> ByClassName(const QString& sysfs, const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..")) return std::nullopt;
    return BlockDeviceAt(sysfs + QStringLiteral("/class/block/") + name);
}

std::optional<BlockDevice> ByNumber(const QString& sysfs, unsigned major, unsigned minor) {
    return BlockDeviceAt(QStringLiteral("%1/dev/block/%2:%3").arg(sysfs).arg(major).arg(minor));
}

// sysfs names device-mapper devices "dm-N" and keeps the name they have under
// /dev/mapper in dm-N/dm/name.
std::optional<BlockDevice> ByMapperName(const QString& sysfs, const QString& mapperName) {
    const QString classDir = sysfs + QStringLiteral("/class/block/");
    for (const QString& entry : EntriesOf(classDir)) {
        if (!entry.startsWith(QStringLiteral("dm-"))) continue;
        if (QString::fromUtf8(ReadAttribute(classDir + entry + QStringLiteral("/dm/name"))) == mapperName)
            return BlockDeviceAt(classDir + entry);
    }
    return std::nullopt;
}

}  // namespace

std::optional<BlockDevice> BlockDeviceAt(const QString& sysfsDir) {
    BlockDevice device;
    device.sysfs_dir = Canonical(sysfsDir);
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

std::optional<BlockDevice> FindBlockDeviceByPath(const SystemPaths& paths, const QString& devPath) {
    if (!devPath.startsWith(QStringLiteral("/dev/"))) return std::nullopt;
    const QString relative = devPath.mid(5);
    const QString local = paths.dev + QLatin1Char('/') + relative;

    // A device node: its number is the answer.
    struct stat st {};
    if (::stat(QFile::encodeName(local).constData(), &st) == 0 && S_ISBLK(st.st_mode))
        if (auto device = ByNumber(paths.sysfs, major(st.st_rdev), minor(st.st_rdev)); device) return device;
    // A link udev made ("/dev/mapper/NAME" -> "../dm-2", "/dev/disk/by-uuid/..." -> "../../sdb1"),
    // followed by name alone: the node it ends at is named like the device in sysfs.
    QString target = local;
    for (int i = 0; i < kMaxStackDepth && QFileInfo(target).isSymLink(); ++i)
        target = QFileInfo(target).symLinkTarget();
    if (target != local)
        if (auto device = ByClassName(paths.sysfs, QFileInfo(target).fileName()); device) return device;
    if (auto device = ByClassName(paths.sysfs, QFileInfo(devPath).fileName()); device) return device;
    if (relative.startsWith(QStringLiteral("mapper/"))) return ByMapperName(paths.sysfs, relative.mid(7));
    return std::nullopt;
}

std::optional<BlockDevice> FindBlockDevice(const SystemPaths& paths, const MountEntry& mount) {
    if (mount.major != 0) return ByNumber(paths.sysfs, mount.major, mount.minor);
    return FindBlockDeviceByPath(paths, mount.source);
}

MediaKind DiskMediaOf(const BlockDevice& device) {
    if (!device.disk_name.startsWith(QStringLiteral("dm-"))) return PlainDiskMedia(device.disk_dir);
    // An unlocked encrypted card: only the disks at the bottom of the stack say
    // what the media are.
    std::optional<MediaKind> first;
    for (const QString& dir : HoldingDiskDirs(device)) {
        if (HasSlaves(dir)) continue;
        const MediaKind kind = PlainDiskMedia(dir);
        if (!IsRemovableMedia(kind)) return kind;
        if (!first) first = kind;
    }
    return first.value_or(MediaKind::kVirtual);
}

bool IsRemovableMedia(MediaKind kind) {
    return kind == MediaKind::kSdCard || kind == MediaKind::kRemovableFlag || kind == MediaKind::kUsbDisk;
}

bool IsRemovableMediaDisk(const BlockDevice& device) { return IsRemovableMedia(DiskMediaOf(device)); }

QStringList HoldingDiskDirs(const BlockDevice& device) {
    QStringList disks;
    CollectHoldingDisks(device.disk_dir, 0, &disks);
    return disks;
}

QStringList StackedDeviceDirs(const QString& diskDir) {
    QStringList found{diskDir};
    for (qsizetype i = 0; i < found.size() && found.size() < 4096; ++i) {
        const QString dir = found[i];
        // The kernel names a partition after its disk (sda1, mmcblk0p1), so
        // only such entries are looked at: a disk's folder holds dozens of
        // attributes, and this runs for every disk at start-up.
        const QString name = QFileInfo(dir).fileName();
        QStringList above;
        for (const QString& entry : EntriesOf(dir))
            if (entry.startsWith(name) && IsPartitionDir(dir + QLatin1Char('/') + entry))
                above << dir + QLatin1Char('/') + entry;
        for (const QString& entry : EntriesOf(dir + QStringLiteral("/holders")))
            above << Canonical(dir + QStringLiteral("/holders/") + entry);
        for (const QString& up : above)
            if (!up.isEmpty() && !found.contains(up)) found << up;
    }
    return found;
}

QStringList AllDiskDirs(const QString& sysfs) {
    const QString classDir = sysfs + QStringLiteral("/class/block/");
    QStringList disks;
    for (const QString& entry : EntriesOf(classDir)) {
        const QString dir = Canonical(classDir + entry);
        if (!dir.isEmpty() && !IsPartitionDir(dir) && !disks.contains(dir)) disks << dir;
    }
    return disks;
}

}  // namespace quillmar
