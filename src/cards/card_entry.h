#pragma once
// What one row of the card list shows, and how each value is found.

#include "cards/drive_source.h"

#include <QString>
#include <QtGlobal>

namespace quillmar {

struct CardEntry {
    QString root;  // ends with "/", so "camera.conf" can be appended directly
    QString label;
    quint32 free_mb = 0;   // all free bytes of the volume >> 20
    quint32 total_mb = 0;  // all bytes of the volume >> 20
    QString version_text;
};

// Whole mebibytes, truncated; the low 32 bits are kept.
quint32 MegabytesOf(quint64 bytes);

// "29436 MB/30436 MB(28 G/29 G)": free and total in MB, then in G (MB >> 10).
QString CapacityText(quint32 freeMb, quint32 totalMb);

// Asks the drives about `root` alone. A failed query leaves its value empty
// or 0, never borrowed from another card.
CardEntry DescribeCard(DriveSource& drives, const QString& root);

}  // namespace quillmar
