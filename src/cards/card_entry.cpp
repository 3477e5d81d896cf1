// One card-list row: the card's label, sizes and version, and the texts the list shows for them.
#include "cards/card_entry.h"

#include "cards/card_version.h"

namespace quillmar {

quint32 MegabytesOf(quint64 bytes) { return static_cast<quint32>(bytes >> 20); }

QString CapacityText(quint32 freeMb, quint32 totalMb) {
    return QStringLiteral("%1 MB/%2 MB(%3 G/%4 G)").arg(freeMb).arg(totalMb).arg(freeMb >> 10).arg(totalMb >> 10);
}

CardEntry DescribeCard(DriveSource& drives, const QString& root) {
    CardEntry entry;
    entry.root = root;
    entry.label = drives.VolumeLabel(root);
    if (const std::optional<VolumeSpace> space = drives.Space(root); space) {
        entry.free_mb = MegabytesOf(space->free_bytes);
        entry.total_mb = MegabytesOf(space->total_bytes);
    }
    entry.version_text = ReadCardVersion(root);
    return entry;
}

}  // namespace quillmar
