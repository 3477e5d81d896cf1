#include "platform/ini_file.h"

#include "platform/file_bytes.h"

bool IniFile::Load(QString* error) {
    QByteArray bytes;
    const FileReadStatus status = ReadFileBytes(path_, &bytes, error);
    existed_ = status == FileReadStatus::kRead;
    document_ = existed_ ? IniDocument::Parse(bytes) : IniDocument();
    loadError_ = status == FileReadStatus::kFailed ? *error : QString();
    return loadError_.isEmpty();
}

WriteOutcome IniFile::Commit() {
    // A file that could not be read is never replaced by what little we know.
    if (!loadError_.isEmpty()) return WriteOutcome::Failure(loadError_);
    if (!document_.modified()) return WriteOutcome::Success();
    const WriteOutcome outcome = ReplaceFileDurably(path_, document_.Serialize());
    if (outcome) {
        existed_ = true;
        document_.MarkUnmodified();
    }
    return outcome;
}

WriteOutcome IniWriteString(const QString& path, QStringView section, QStringView key, QStringView value) {
    IniFile file(path);
    QString error;
    if (!file.Load(&error) || !file.document().SetValue(section, key, value, &error))
        return WriteOutcome::Failure(error);
    return file.Commit();
}

WriteOutcome IniDeleteSection(const QString& path, QStringView section) {
    IniFile file(path);
    QString error;
    if (!file.Load(&error)) return WriteOutcome::Failure(error);
    file.document().RemoveSection(section);
    return file.Commit();
}
