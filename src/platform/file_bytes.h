#pragma once
// Reading a whole file while telling "nothing there" apart from "there but
// unreadable", which QFile folds into one failure.

#include <QByteArray>
#include <QString>

enum class FileReadStatus {
    kRead,     // `bytes` holds the file
    kMissing,  // nothing exists at the path (a dangling link counts as nothing)
    kFailed,   // something is there but cannot be read; `error` says why
};

// On kFailed, `error` names the file and gives the system's reason.
FileReadStatus ReadFileBytes(const QString& path, QByteArray* bytes, QString* error);
