#pragma once
// Reads the start of a file that comes from untrusted media.

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillmar {

// At most `max_bytes` from the start of the file `name` directly in `folder`,
// which may be a card anyone could have written: never through a link, and
// only a regular file on the same file system as `folder` (not one mounted
// over the name). When `name` is absent, the entry whose name differs from it
// only in ASCII case is read with the same care: FAT names are
// case-insensitive, but not every driver folds case for us. Opening never
// blocks and never makes a terminal ours.
std::optional<QByteArray> ReadFileHeadInFolder(const QString& folder, const QString& name, qsizetype maxBytes);

}  // namespace quillmar
