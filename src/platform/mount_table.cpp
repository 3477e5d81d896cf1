// Parsing /proc/self/mountinfo lines into mount entries, escapes and "(deleted)" marks handled.
#include "platform/mount_table.h"

#include "platform/log_categories.h"

#include <QFile>

namespace quillmar {

namespace {

// Fields of a mountinfo line:
// id parent major:minor root mount-point options [optional...] - type source super-options
enum MountInfoField : qsizetype {
    kMountId = 0,
    kParentId = 1,
    kMajorMinor = 2,
    kRoot = 3,
    kMountPoint = 4,
    kMountOptions = 5,
    kFirstOptional = 6,  // optional fields ("shared:1"), then the separator "-"
};
// Fields after the separator, counted from it.
enum MountInfoTailField : qsizetype {
    kFsType = 1,
    kSource = 2,
    kSuperOptions = 3,
};

// The kernel appends this to a path whose folder was deleted; the folder
// itself is the part before it.
constexpr QByteArrayView kDeletedSuffix = "\\040(deleted)";

QByteArrayView WithoutDeletedSuffix(QByteArrayView field) {
    return field.size() > kDeletedSuffix.size() && field.endsWith(kDeletedSuffix) ? field.chopped(kDeletedSuffix.size())
                                                                                  : field;
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// The kernel writes space, tab, newline and backslash in paths as "\ooo".
QString DecodeField(QByteArrayView field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) && IsOctalDigit(field[i + 2]) &&
            IsOctalDigit(field[i + 3])) {
            bytes +=
                static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
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
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines[n];
        if (line.isEmpty()) continue;
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf(QByteArray("-"), kFirstOptional);
        MountEntry e;
        if (dash < 0 || dash + kSource >= fields.size()) {
            qCDebug(lcDrives) << "mount table line" << n + 1 << "skipped, fields missing:" << line;
            continue;
        }
        if (!ParseDeviceNumber(fields[kMajorMinor], &e.major, &e.minor)) {
            qCDebug(lcDrives) << "mount table line" << n + 1 << "skipped, no device number:" << line;
            continue;
        }
        e.fs_root = DecodeField(WithoutDeletedSuffix(fields[kRoot]));
        e.mount_dir = DecodeField(WithoutDeletedSuffix(fields[kMountPoint]));
        e.fs_type = DecodeField(fields[dash + kFsType]);
        e.source = DecodeField(fields[dash + kSource]);
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

}  // namespace quillmar
