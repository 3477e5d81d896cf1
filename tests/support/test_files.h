#pragma once
// Temporary folders and whole files for tests that compare files byte for byte.

#include "support/scratch_files.h"

#include <QDir>
#include <QTemporaryDir>

namespace quillmar::test_support {

inline QByteArray ReadAll(const QString& path) { return QByteArray::fromStdString(ReadBytes(path.toStdString())); }
inline bool WriteRaw(const QString& p, const QByteArray& b) { return WriteBytes(p.toStdString(), b.toStdString()); }

// Everything in the folder, hidden files included: a stray temporary shows.
inline QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace quillmar::test_support
