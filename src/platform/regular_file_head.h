#pragma once
// Reads the start of a file that comes from untrusted media.

#include <QByteArray>
#include <QString>
#include <optional>

// At most `max_bytes` from the start of the regular file at `path`; a link
// to a regular file counts. Nothing for a directory, FIFO, device node,
// socket or a link to one, and nothing when the file cannot be opened or
// read. Opening never blocks and never makes a terminal ours.
std::optional<QByteArray> ReadRegularFileHead(const QString& path, qsizetype max_bytes);
