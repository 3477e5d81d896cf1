#pragma once
// Volume labels as the system's device manager (udev) recorded them when it
// probed the device. Readable without root rights, unlike the file system's
// own super block.

#include "platform/block_device.h"
#include "platform/system_paths.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillmar {

// Decodes the "\xHH" escapes udev uses for spaces, slashes and other unsafe
// bytes in encoded labels and in /dev/disk/by-label names.
QByteArray DecodeUdevEscapes(QByteArrayView text);

// The label of the file system on `device`; empty when it has none or
// nothing can be read. The device's own database record is asked first
// (ID_FS_LABEL_ENC, exact even when two cards carry the same label); the
// /dev/disk/by-label links are the fallback.
QString ReadVolumeLabel(const SystemPaths& paths, const BlockDevice& device);

}  // namespace quillmar
