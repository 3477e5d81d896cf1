#pragma once
// Temporary folders and whole files for tests that compare files byte for byte.

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillmar::test_support {

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Everything in the folder, hidden files included: a stray temporary shows.
inline QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace quillmar::test_support
