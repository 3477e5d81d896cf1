#pragma once
// The kernel's table of mounted file systems in the format of
// /proc/self/mountinfo.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillmar {

struct MountEntry {
    unsigned major = 0;  // device number as the file system reports it;
    unsigned minor = 0;  // major 0 for pseudo, network and some block file systems
    QString fs_root;     // folder of the file system that is mounted; "/" for all of it
    QString mount_dir;   // where it is mounted
    QString fs_type;
    QString source;  // "/dev/sdb1", "server:/export", "tmpfs", ...
};

// Parses mountinfo text in the kernel's order. Octal escapes ("\040" for a
// space) are decoded, and the " (deleted)" the kernel appends to a folder
// that was deleted is dropped. Lines that do not have the expected fields are
// skipped.
QList<MountEntry> ParseMountInfo(QByteArrayView text);

// Reads and parses the table at `path`; empty when it cannot be read.
QList<MountEntry> ReadMountTable(const QString& path);

struct SwapEntry {
    QString path;  // a device ("/dev/sdb2", "/dev/dm-1") or a file ("/media/usb/swapfile")
    bool is_file = false;
};

// Parses /proc/swaps: a header line, then one active swap area a line.
QList<SwapEntry> ParseSwaps(QByteArrayView text);
QList<SwapEntry> ReadSwaps(const QString& path);

// The mount folders of /etc/fstab entries, octal escapes decoded; swap
// entries and comments are left out.
QStringList ParseFstabMountDirs(QByteArrayView text);
QStringList ReadFstabMountDirs(const QString& path);

}  // namespace quillmar
