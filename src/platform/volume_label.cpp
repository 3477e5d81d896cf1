// Volume labels from udev's records, with its "\xHH" escapes decoded.
#include "platform/volume_label.h"

#include "platform/log_categories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillmar {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The record in udev's database, /run/udev/data/b<major>:<minor>, holds the
// device's properties as "E:KEY=value" lines.
std::optional<QString> LabelFromUdevRecord(const QString& dataDir, const BlockDevice& device) {
    QFile record(QStringLiteral("%1/b%2:%3").arg(dataDir).arg(device.major).arg(device.minor));
    if (!record.open(QIODevice::ReadOnly)) return std::nullopt;
    std::optional<QString> plain;
    for (const QByteArray& line : record.read(1 << 20).split('\n')) {
        if (line.startsWith("E:ID_FS_LABEL_ENC="))
            return QString::fromUtf8(DecodeUdevEscapes(QByteArrayView(line).sliced(18)));
        if (line.startsWith("E:ID_FS_LABEL=")) plain = QString::fromUtf8(line.mid(14));
    }
    return plain;
}

QString LabelFromByLabelLinks(const QString& byLabelDir, const BlockDevice& device) {
    const QDir dir(byLabelDir);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QFileInfo link(dir.filePath(name));
        if (link.isSymLink() && QFileInfo(link.symLinkTarget()).fileName() == device.name)
            return QString::fromUtf8(DecodeUdevEscapes(QFile::encodeName(name)));
    }
    return {};
}

}  // namespace

QByteArray DecodeUdevEscapes(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            const int high = HexValue(text[i + 2]);
            const int low = HexValue(text[i + 3]);
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

QString ReadVolumeLabel(const SystemPaths& paths, const BlockDevice& device) {
    if (const std::optional<QString> label = LabelFromUdevRecord(paths.udev_data, device); label) {
        if (label->isEmpty()) qCDebug(lcDrives) << device.name << "has an empty label in udev's record";
        return *label;
    }
    const QString label = LabelFromByLabelLinks(paths.disk_by_label, device);
    if (label.isEmpty())
        qCDebug(lcDrives).nospace() << device.name << " (" << device.major << ':' << device.minor
                                    << ") has no label in udev's record nor under " << paths.disk_by_label;
    return label;
}

}  // namespace quillmar
