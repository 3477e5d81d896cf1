#pragma once
// Replaces a file so that a crash, a full disk or a pulled card leaves either
// the old file or the new one, never a mix, an empty file or a stray temporary.

#include "platform/write_outcome.h"

#include <QByteArrayView>
#include <QString>

namespace quillmar {

// Writes `data` to a temporary file beside `path`, flushes it to the device,
// renames it over `path` and flushes the directory. A symbolic link at `path`
// is replaced, never followed. An existing regular file keeps its permission
// bits; one marked read-only is refused. Bits and folder syncs a file system
// cannot keep (FAT, exFAT) are skipped: the content is what counts there.
// Our own temporaries older than a minute, left by a killed writer or a
// pulled card, are removed first. On failure the old file is untouched and
// no temporary remains.
WriteOutcome ReplaceFileDurably(const QString& path, QByteArrayView data);

}  // namespace quillmar
