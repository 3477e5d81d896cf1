#pragma once
// Where the system publishes what we read about drives. Tests point these at
// a fake tree built in a temporary folder.

#include <QString>

namespace quillmar {

struct SystemPaths {
    QString mount_table = QStringLiteral("/proc/self/mountinfo");
    QString sysfs = QStringLiteral("/sys");
    QString udev_data = QStringLiteral("/run/udev/data");
    QString disk_by_label = QStringLiteral("/dev/disk/by-label");
    QString swaps = QStringLiteral("/proc/swaps");
    QString dev = QStringLiteral("/dev");  // mount sources such as /dev/mapper/NAME are looked up here
    QString fstab = QStringLiteral("/etc/fstab");
};

}  // namespace quillmar
