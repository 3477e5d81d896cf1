// Decoding UDisks2's GetManagedObjects reply into blocks, file systems and drives.
#include "platform/udisks_objects.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QFile>

namespace quillmar {

namespace {

const QString kBlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kDriveInterface = QStringLiteral("org.freedesktop.UDisks2.Drive");

bool AsBool(const QVariant& v) { return v.metaType().id() == QMetaType::Bool && v.toBool(); }

QByteArray AsBytes(const QVariant& v) {
    return v.metaType().id() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

QString AsObjectPath(const QVariant& v) {
    return v.metaType() == QMetaType::fromType<QDBusObjectPath>() ? v.value<QDBusObjectPath>().path() : QString();
}

// aay arrives as a QDBusArgument still to be taken apart; QVariant cannot
// convert it on its own, which is why a plain property read comes back empty.
QList<QByteArray> AsByteStrings(const QVariant& v) {
    QList<QByteArray> list;
    if (v.metaType() != QMetaType::fromType<QDBusArgument>()) return list;
    const QDBusArgument arg = v.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("aay")) return list;
    arg.beginArray();
    while (!arg.atEnd()) {
        QByteArray bytes;
        arg >> bytes;
        list.append(bytes);
    }
    arg.endArray();
    return list;
}

using Properties = QMap<QString, QVariant>;

Properties DecodeProperties(const QDBusArgument& arg) {
    Properties props;
    arg.beginMap();
    while (!arg.atEnd()) {
        QString name;
        QDBusVariant value;
        arg.beginMapEntry();
        arg >> name >> value;
        arg.endMapEntry();
        props.insert(name, value.variant());
    }
    arg.endMap();
    return props;
}

}  // namespace

bool DecodeUdisksObjects(const QDBusArgument& reply, UdisksObjects* objects) {
    if (reply.currentSignature() != QLatin1String("a{oa{sa{sv}}}")) return false;
    reply.beginMap();
    while (!reply.atEnd()) {
        QDBusObjectPath path;
        reply.beginMapEntry();
        reply >> path;
        QMap<QString, Properties> interfaces;
        reply.beginMap();
        while (!reply.atEnd()) {
            QString name;
            reply.beginMapEntry();
            reply >> name;
            interfaces.insert(name, DecodeProperties(reply));
            reply.endMapEntry();
        }
        reply.endMap();
        reply.endMapEntry();

        if (interfaces.contains(kBlockInterface)) {
            const Properties& block = interfaces[kBlockInterface];
            UdisksBlock b;
            b.path = path.path();
            b.device = AsBytes(block.value(QStringLiteral("Device")));
            b.drive = AsObjectPath(block.value(QStringLiteral("Drive")));
            b.hint_system = AsBool(block.value(QStringLiteral("HintSystem")));
            b.has_filesystem = interfaces.contains(kFilesystemInterface);
            if (b.has_filesystem)
                b.mount_points = AsByteStrings(interfaces[kFilesystemInterface].value(QStringLiteral("MountPoints")));
            objects->blocks.insert(b.path, b);
        }
        if (interfaces.contains(kDriveInterface)) {
            const Properties& drive = interfaces[kDriveInterface];
            UdisksDrive d;
            d.path = path.path();
            d.removable = AsBool(drive.value(QStringLiteral("Removable")));
            d.can_power_off = AsBool(drive.value(QStringLiteral("CanPowerOff")));
            d.ejectable = AsBool(drive.value(QStringLiteral("Ejectable")));
            objects->drives.insert(d.path, d);
        }
    }
    reply.endMap();
    return true;
}

void RegisterUdisksDBusTypes() {
    static const bool kRegistered = [] {
        qRegisterMetaType<QDBusArgument>();
        qRegisterMetaType<QDBusObjectPath>();
        qRegisterMetaType<QDBusSignature>();
        qRegisterMetaType<QDBusVariant>();
        qRegisterMetaType<QDBusMessage>();
        qRegisterMetaType<QDBusError>();
        qRegisterMetaType<QDBusPendingCallWatcher*>();
        return true;
    }();
    (void)kRegistered;
}

QString UdisksPathText(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return QFile::decodeName(nul < 0 ? bytes : bytes.left(nul));
}

}  // namespace quillmar
