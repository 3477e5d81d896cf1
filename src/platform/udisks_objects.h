#pragma once
// What UDisks2 reports about block devices, file systems and drives, decoded
// from the object manager's GetManagedObjects reply.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

class QDBusArgument;

namespace quillmar {

struct UdisksBlock {
    QString path;                    // object path
    QByteArray device;               // Block.Device, e.g. "/dev/sdb1"
    QString drive;                   // Block.Drive; "/" when the block has no drive
    bool hint_system = false;        // Block.HintSystem
    bool has_filesystem = false;     // carries org.freedesktop.UDisks2.Filesystem
    QList<QByteArray> mount_points;  // Filesystem.MountPoints
};

struct UdisksDrive {
    QString path;
    bool removable = false;      // Drive.Removable
    bool can_power_off = false;  // Drive.CanPowerOff
    bool ejectable = false;      // Drive.Ejectable
};

struct UdisksObjects {
    QMap<QString, UdisksBlock> blocks;  // by object path, so the order is stable
    QMap<QString, UdisksDrive> drives;
};

// Decodes a{oa{sa{sv}}}. Properties of an unexpected type are left at their
// defaults rather than guessed; false when the reply is not that map at all.
bool DecodeUdisksObjects(const QDBusArgument& reply, UdisksObjects* objects);

// Registers the D-Bus types these replies are built from, once, on the
// calling thread. Call before the first call on the bus: the bus thread
// otherwise registers them itself while they are in use here, and Qt warns
// on stderr about an "invalid type".
void RegisterUdisksDBusTypes();

// A byte-string property (ay) without the NUL that ends it, as a path.
QString UdisksPathText(const QByteArray& bytes);

}  // namespace quillmar
