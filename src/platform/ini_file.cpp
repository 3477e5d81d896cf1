// An INI file on disk: load, change in memory, commit durably under the writers' lock.
#include "platform/ini_file.h"

#include "platform/durable_file_temporaries.h"
#include "platform/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmar {

namespace {

// The path a chain of symbolic links at `path` ends at (which may not exist
// yet); `path` itself when it is no link. A loop is left for the read to
// report.
QString FinalLinkTarget(const QString& path) {
    QString current = path;
    for (int hop = 0; hop < 40; ++hop) {
        const QByteArray name = QFile::encodeName(current);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(name.constData(), buffer, sizeof buffer);
        if (n <= 0 || n >= ssize_t(sizeof buffer)) return current;
        const QString target = QFile::decodeName(QByteArray(buffer, n));
        // Kept unnormalised: "dir/.." must mean what the kernel makes of it.
        current = target.startsWith(u'/') ? target : QFileInfo(current).path() + u'/' + target;
    }
    return current;
}

// Temporaries of a replacement that never finished (a killed writer) are
// ours to remove once we hold the lock: no other writer can be using one.
void RemoveStaleTemporaries(const QString& target) {
    const QFileInfo info(target);
    const QDir dir(info.path());
    const QByteArray fileName = QFile::encodeName(info.fileName());
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        // Exactly the names our writer makes; any age, since every writer
        // holds the lock while its temporary exists.
        if (!IsDurableTemporaryName(QFile::encodeName(entry), fileName)) continue;
        struct stat st {};
        const QByteArray name = QFile::encodeName(dir.filePath(entry));
        if (::lstat(name.constData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(name.constData());
    }
}

}  // namespace

WriteOutcome IniFile::Load() {
    if (target_.isEmpty()) target_ = FinalLinkTarget(path_);
    QByteArray bytes;
    QString error;
    const FileReadStatus status = ReadFileBytes(target_, &bytes, &error);
    existed_ = status == FileReadStatus::kRead;
    document_ = existed_ ? IniDocument::Parse(bytes) : IniDocument();
    if (status == FileReadStatus::kFailed && target_ != path_ && !error.contains(path_))
        error = QStringLiteral("%1 (the link \"%2\" leads there)").arg(error, path_);
    load_error_ = status == FileReadStatus::kFailed ? error : QString();
    return load_error_.isEmpty() ? WriteOutcome::Success() : WriteOutcome::Failure(load_error_);
}

WriteOutcome IniFile::LoadForUpdate() {
    target_ = FinalLinkTarget(path_);
    // A file we would refuse to read gets no lock file beside it: a link to
    // a device must not make us create files in /dev.
    if (WriteOutcome loaded = Load(); !loaded) return loaded;
    if (WriteOutcome locked = lock_.Acquire(target_, kFileLockTimeoutMs); !locked) {
        document_ = IniDocument();
        existed_ = false;
        load_error_ = locked.error;
        return locked;
    }
    RemoveStaleTemporaries(target_);
    return Load();
}

WriteOutcome IniFile::Commit() {
    // A file that could not be read is never replaced by what little we know.
    if (!load_error_.isEmpty()) return WriteOutcome::Failure(load_error_);
    if (!document_.Modified()) return WriteOutcome::Success();
    // Without the lock another writer's change could be lost.
    if (!lock_.Held())
        return WriteOutcome::Failure(
            QStringLiteral("\"%1\" was not locked for the change; nothing was written.").arg(path_));
    const WriteOutcome outcome = ReplaceFileDurably(target_, document_.Serialize());
    if (outcome) {
        existed_ = true;
        document_.MarkUnmodified();
    }
    return outcome;
}

WriteOutcome IniWriteString(const QString& path, QStringView section, QStringView key, QStringView value) {
    IniFile file(path);
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    if (WriteOutcome set = file.Document().SetValue(section, key, value); !set) return set;
    return file.Commit();
}

WriteOutcome IniDeleteSection(const QString& path, QStringView section, int* removed) {
    if (removed) *removed = 0;
    IniFile file(path);
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    const int count = file.Document().RemoveSection(section);
    if (removed) *removed = count;
    return file.Commit();
}

}  // namespace quillmar
