#include "platform/mount_table.h"

#include <QFile>

namespace {

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// The kernel writes space, tab, newline and backslash in paths as "\ooo".
QString DecodeField(QByteArrayView field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            bytes += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                       (field[i + 3] - '0'));
            i += 3;
        } else {
            bytes += field[i];
        }
    }
    return QFile::decodeName(bytes);
}

bool ParseDeviceNumber(QByteArrayView text, unsigned* major, unsigned* minor) {
    const qsizetype colon = text.indexOf(':');
    if (colon <= 0) return false;
    bool okMajor = false;
    bool okMinor = false;
    *major = text.first(colon).toByteArray().toUInt(&okMajor);
    *minor = text.sliced(colon + 1).toByteArray().toUInt(&okMinor);
    return okMajor && okMinor;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

QList<MountEntry> ParseMountInfo(QByteArrayView text) {
    QList<MountEntry> entries;
    const QByteArray all = text.toByteArray();
    for (const QByteArray& line : all.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-dir options [optional...] - type source super-options
        const qsizetype dash = fields.indexOf(QByteArray("-"), 6);
        if (fields.size() < 6 || dash < 0 || dash + 2 >= fields.size()) continue;
        MountEntry e;
        if (!ParseDeviceNumber(fields[2], &e.major, &e.minor)) continue;
        e.fs_root = DecodeField(fields[3]);
        e.mount_dir = DecodeField(fields[4]);
        e.fs_type = DecodeField(fields[dash + 1]);
        e.source = DecodeField(fields[dash + 2]);
        entries.append(std::move(e));
    }
    return entries;
}

QList<MountEntry> ReadMountTable(const QString& path) { return ParseMountInfo(ReadAll(path)); }

QList<SwapEntry> ParseSwaps(QByteArrayView text) {
    QList<SwapEntry> entries;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 2 || !fields[0].startsWith('/')) continue;
        // The kernel escapes blanks in the name, so the first field is all of it;
        // a swap file deleted while in use shows " (deleted)" after it.
        entries.append({DecodeField(fields[0]), fields.contains("file")});
    }
    return entries;
}

QList<SwapEntry> ReadSwaps(const QString& path) { return ParseSwaps(ReadAll(path)); }

QStringList ParseFstabMountDirs(QByteArrayView text) {
    QStringList dirs;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3 || fields[0].startsWith('#') || fields[2] == "swap") continue;
        if (!fields[1].startsWith('/')) continue;  // "none", "swap"
        dirs << DecodeField(fields[1]);
    }
    return dirs;
}

QStringList ReadFstabMountDirs(const QString& path) { return ParseFstabMountDirs(ReadAll(path)); }
