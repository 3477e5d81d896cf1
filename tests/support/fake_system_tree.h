#pragma once
// A fake /sys, mount table and udev database in a folder, shaped like the
// real ones, so drive discovery can be tried against any machine layout.

#include "platform/system_paths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <unistd.h>

namespace test_support {

class FakeSystemTree {
public:
    explicit FakeSystemTree(const QString& base) : base_(base) {
        for (const char* dir : {"sys/dev/block", "sys/class/block", "sys/devices", "run/udev/data", "dev/disk/by-label"})
            QDir().mkpath(base_ + u'/' + QLatin1String(dir));
        Append(QStringLiteral("proc/mountinfo"), {});
    }

    SystemPaths paths() const {
        return {base_ + QStringLiteral("/proc/mountinfo"), base_ + QStringLiteral("/sys"),
                base_ + QStringLiteral("/run/udev/data"), base_ + QStringLiteral("/dev/disk/by-label")};
    }
    QString base() const { return base_; }

    // A whole disk at sys/devices/<devpath>, whose last part is its name.
    // `mmc_type` fills device/type ("SD" or "MMC").
    void AddDisk(const QString& devpath, unsigned major, unsigned minor, bool removable,
                 const QByteArray& mmc_type = {}) {
        AddDevice(devpath, major, minor);
        Write(DevDir(devpath) + QStringLiteral("/removable"), removable ? "1\n" : "0\n");
        if (!mmc_type.isEmpty()) Write(DevDir(devpath) + QStringLiteral("/device/type"), mmc_type + '\n');
    }
    void AddPartition(const QString& disk_devpath, const QString& name, unsigned major, unsigned minor) {
        const QString devpath = disk_devpath + u'/' + name;
        AddDevice(devpath, major, minor);
        Write(DevDir(devpath) + QStringLiteral("/partition"), "1\n");
    }
    // The kernel's "slaves" link from a device-mapper disk to a device below it.
    void AddSlave(const QString& upper_devpath, const QString& lower_devpath) {
        const QString name = lower_devpath.section(u'/', -1);
        QDir().mkpath(DevDir(upper_devpath) + QStringLiteral("/slaves"));
        Link(DevDir(lower_devpath), DevDir(upper_devpath) + QStringLiteral("/slaves/") + name);
    }
    // Makes a device vanish from sysfs, as a pulled card does.
    void RemoveDevice(const QString& name, unsigned major, unsigned minor) {
        QFile::remove(base_ + QStringLiteral("/sys/class/block/") + name);
        QFile::remove(base_ + QStringLiteral("/sys/dev/block/%1:%2").arg(major).arg(minor));
    }

    // `mount_dir` and `source` are written with the kernel's octal escapes.
    void AddMount(unsigned major, unsigned minor, const QByteArray& mount_dir, const QByteArray& fs_type,
                  const QByteArray& source, const QByteArray& fs_root = "/") {
        ++mount_id_;
        Append(QStringLiteral("proc/mountinfo"),
               QByteArray::number(mount_id_) + " 1 " + QByteArray::number(major) + ':' + QByteArray::number(minor) +
                   ' ' + fs_root + ' ' + mount_dir + " rw,relatime shared:" + QByteArray::number(mount_id_) +
                   " - " + fs_type + ' ' + source + " rw\n");
    }

    void SetUdevRecord(unsigned major, unsigned minor, const QByteArray& lines) {
        Write(base_ + QStringLiteral("/run/udev/data/b%1:%2").arg(major).arg(minor), lines);
    }
    // `encoded_label` as udev names the link, e.g. "MY\x20CARD".
    void AddByLabelLink(const QByteArray& encoded_label, const QString& device_name) {
        Link(QStringLiteral("../../") + device_name,
             base_ + QStringLiteral("/dev/disk/by-label/") + QFile::decodeName(encoded_label));
    }

private:
    QString DevDir(const QString& devpath) const { return base_ + QStringLiteral("/sys/devices/") + devpath; }

    void AddDevice(const QString& devpath, unsigned major, unsigned minor) {
        const QString name = devpath.section(u'/', -1);
        QDir().mkpath(DevDir(devpath));
        Write(DevDir(devpath) + QStringLiteral("/dev"), QByteArray::number(major) + ':' + QByteArray::number(minor) + '\n');
        Link(QStringLiteral("../../devices/") + devpath,
             base_ + QStringLiteral("/sys/dev/block/%1:%2").arg(major).arg(minor));
        Link(QStringLiteral("../../devices/") + devpath, base_ + QStringLiteral("/sys/class/block/") + name);
    }

    static void Link(const QString& target, const QString& link) {
        ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData());
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(path.section(u'/', 0, -2));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    }
    void Append(const QString& relative, const QByteArray& bytes) {
        QDir().mkpath((base_ + u'/' + relative).section(u'/', 0, -2));
        QFile f(base_ + u'/' + relative);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append)) f.write(bytes);
    }

    QString base_;
    int mount_id_ = 20;
};

// Device paths as real machines have them.
namespace devpaths {
inline QString Usb(int port, const char* disk) {
    return QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-%1/2-%1:1.0/host%1/target%1:0:0/%1:0:0:0/block/%2")
        .arg(port)
        .arg(QLatin1String(disk));
}
inline QString Sata(int port, const char* disk) {
    return QStringLiteral("pci0000:00/0000:00:17.0/ata%1/host%1/target%1:0:0/%1:0:0:0/block/%2")
        .arg(port)
        .arg(QLatin1String(disk));
}
inline QString Mmc(int host, const char* disk) {
    return QStringLiteral("pci0000:00/0000:00:1e.6/mmc_host/mmc%1/mmc%1:0001/block/%2").arg(host).arg(QLatin1String(disk));
}
inline QString Virtual(const char* disk) { return QStringLiteral("virtual/block/%1").arg(QLatin1String(disk)); }
}  // namespace devpaths

}  // namespace test_support
