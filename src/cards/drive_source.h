#pragma once
// Where the card list learns about drives. The live system and tests each
// provide one.

#include "platform/volume_space.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quillmar {

class DriveSource {
public:
    virtual ~DriveSource() = default;
    // Roots of the removable drives in their stable order, each ending in "/".
    virtual QStringList RemovableRoots() = 0;
    // The volume label; empty when there is none or it cannot be read.
    virtual QString VolumeLabel(const QString& root) = 0;
    // Nothing when the space cannot be read.
    virtual std::optional<VolumeSpace> Space(const QString& root) = 0;
};

}  // namespace quillmar
