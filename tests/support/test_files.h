#pragma once
// Whole-file reads and writes for setting up and checking tests.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace test_support {

// The file's bytes, or "<unreadable>" so that a comparison fails visibly.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace test_support
