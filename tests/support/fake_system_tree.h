#pragma once
// A fake /sys, mount table and udev database in a folder, shaped like the
// real ones, so drive discovery can be tried against any machine layout.

#include "platform/system_paths.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

namespace quillmar::test_support {

class FakeSystemTree {
public:
    explicit FakeSystemTree(QString base) : base_(std::move(base)) {
        for (const char* empty : {"proc/mountinfo", "etc/fstab"}) Put(empty, {});
        SetSwaps({});
        QDir().mkpath(At("dev"));
    }

    SystemPaths Paths() const {
        return {At("proc/mountinfo"), At("sys"), At("run/udev/data"), At("dev/disk/by-label"),
                At("proc/swaps"),     At("dev"), At("etc/fstab")};
    }

    // A device at sys/devices/<devpath>, named by the last part of the path;
    // a partition when `removable` is empty. `mmc_type` is "SD" or "MMC".
    void AddDevice(const QString& devpath, unsigned major, unsigned minor, const QByteArray& removable = {},
                   const QByteArray& mmcType = {}) {
        const QString dir = "sys/devices/" + devpath, name = devpath.section('/', -1), number = Number(major, minor);
        Put(dir + "/dev", number.toLatin1() + '\n');
        Put(dir + (removable.isEmpty() ? "/partition" : "/removable"), removable.isEmpty() ? "1\n" : removable);
        if (!mmcType.isEmpty()) Put(dir + "/device/type", mmcType + '\n');
        Link("../../devices/" + devpath, "sys/dev/block/" + number);
        Link("../../devices/" + devpath, "sys/class/block/" + name);
        devpaths_.insert(name, devpath);
    }
    // A device-mapper device "dm-N" (LUKS, LVM) over the devices named in
    // `below`, with "slaves" and "holders" links both ways. With a
    // `mapper_link`, udev's /dev/mapper/NAME link is made too.
    void AddMapper(const QString& name, unsigned minor, const QByteArray& dmName, const QStringList& below,
                   bool mapperLink = true) {
        AddStacked(name, 254, minor, below);
        Put("sys/devices/virtual/block/" + name + "/dm/name", dmName + '\n');
        if (mapperLink) Link("../" + name, "dev/mapper/" + QFile::decodeName(dmName));
    }
    // An md RAID device over the devices named in `below`.
    void AddRaid(const QString& name, unsigned minor, const QStringList& below) { AddStacked(name, 9, minor, below); }
    // A btrfs file system spanning the devices named in `members`.
    void AddBtrfs(const QString& uuid, const QStringList& members) {
        for (const QString& m : members) Link(Sys(m), "sys/fs/btrfs/" + uuid + "/devices/" + m);
    }
    // `lines` after the header of /proc/swaps.
    void SetSwaps(const QByteArray& lines) {
        Put("proc/swaps", "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n" + lines);
    }
    // The device vanishes from sysfs, as a pulled card does.
    void RemoveDevice(const QString& name, unsigned major, unsigned minor) {
        QFile::remove(At("sys/class/block/" + name));
        QFile::remove(At("sys/dev/block/" + Number(major, minor)));
    }
    // `dir` and `source` carry the kernel's octal escapes.
    void AddMount(unsigned major, unsigned minor, const QByteArray& dir, const QByteArray& type,
                  const QByteArray& source, const QByteArray& fsRoot = "/") {
        mountinfo_ += QByteArray::number(21 + mountinfo_.count('\n')) + " 1 " + Number(major, minor).toLatin1() + ' ' +
                      fsRoot + ' ' + dir + " rw,relatime shared:1 - " + type + ' ' + source + " rw\n";
        Put("proc/mountinfo", mountinfo_);
    }
    // A partition (see AddDevice) mounted at `dir` from "/dev/<name>".
    void AddMountedPartition(const QString& devpath, unsigned major, unsigned minor, const QByteArray& dir,
                             const QByteArray& type, const QByteArray& fsRoot = "/") {
        AddDevice(devpath, major, minor);
        AddMount(major, minor, dir, type, "/dev/" + QFile::encodeName(devpath.section('/', -1)), fsRoot);
    }
    void SetUdevRecord(unsigned major, unsigned minor, const QByteArray& lines) {
        Put("run/udev/data/b" + Number(major, minor), lines);
    }
    void AddByLabelLink(const QByteArray& encodedLabel, const QString& device) {
        Link("../../" + device, "dev/disk/by-label/" + QFile::decodeName(encodedLabel));
    }

private:
    void AddStacked(const QString& name, unsigned major, unsigned minor, const QStringList& below) {
        AddDevice("virtual/block/" + name, major, minor, "0\n");
        for (const QString& b : below) {
            Link(Sys(b), "sys/devices/virtual/block/" + name + "/slaves/" + b);
            Link(Sys(name), "sys/devices/" + devpaths_.value(b) + "/holders/" + name);
        }
    }
    static QString Number(unsigned major, unsigned minor) { return QStringLiteral("%1:%2").arg(major).arg(minor); }
    QString Sys(const QString& name) const { return At("sys/devices/" + devpaths_.value(name)); }
    QString At(const QString& relative) const { return base_ + '/' + relative; }
    // The path of `relative`, its folder made.
    QString Made(const QString& relative) const {
        return QDir().mkpath(At(relative).section('/', 0, -2)), At(relative);
    }
    void Put(const QString& relative, const QByteArray& bytes) const {
        QFile f(Made(relative));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    void Link(const QString& target, const QString& relative) const {
        ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(Made(relative)).constData());
    }

    QString base_;
    QByteArray mountinfo_;
    QHash<QString, QString> devpaths_;  // kernel name -> devpath
};

// Device paths as real machines have them.
namespace devpaths {
inline QString Usb(int port, const QString& disk) {
    return QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-%1/2-%1:1.0/host%1/target%1:0:0/%1:0:0:0/block/").arg(port) +
           disk;
}
inline QString Sata(const QString& disk) {
    return "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/" + disk;
}
inline QString Mmc(int host, const QString& disk) {
    return QStringLiteral("pci0000:00/0000:00:1e.6/mmc_host/mmc%1/mmc%1:0001/block/").arg(host) + disk;
}
}  // namespace devpaths

}  // namespace quillmar::test_support
