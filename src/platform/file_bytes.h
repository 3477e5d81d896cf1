#pragma once
// Reading a whole file while telling "nothing there" apart from "there but
// unreadable", which QFile folds into one failure. Only a regular file of a
// sane size is read: a FIFO would block the reader forever and a device
// such as /dev/zero would never end.

#include <QByteArray>
#include <QString>

namespace quillmar {

enum class FileReadStatus {
    kRead,     // `bytes` holds the file
    kMissing,  // nothing exists at the path (a dangling link counts as nothing)
    kFailed,   // something is there but cannot be read; `error` says why
};

// Larger files are refused unread.
inline constexpr qint64 kMaxReadFileBytes = qint64(64) << 20;

// On kFailed, `error` names the file and gives the reason. Links are
// followed; anything but a regular file at their end is refused.
FileReadStatus ReadFileBytes(const QString& path, QByteArray* bytes, QString* error,
                             qint64 maxBytes = kMaxReadFileBytes);

}  // namespace quillmar
