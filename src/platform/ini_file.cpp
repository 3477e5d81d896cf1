// An INI file on disk: load, change in memory, commit durably under the writers' lock.
#include "platform/ini_file.h"

#include "platform/durable_file.h"
#include "platform/file_bytes.h"
#include "platform/path_text.h"

namespace quillmar {

namespace {

// The path a chain of symbolic links at `path` ends at (which may not exist
// yet); `path` itself when it is no link. A loop is left for the read to
// report.
std::filesystem::path FinalLinkTarget(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) return current;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error || target.empty()) return current;
        // Kept unnormalised: "dir/.." must mean what the system makes of it.
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current;
}

}  // namespace

WriteOutcome IniFile::Load() {
    if (target_.empty()) target_ = FinalLinkTarget(path_);
    std::string bytes;
    std::string error;
    const FileReadStatus status = ReadFileBytes(target_, &bytes, &error);
    existed_ = status == FileReadStatus::kRead;
    document_ = existed_ ? IniDocument::Parse(bytes) : IniDocument();
    if (status == FileReadStatus::kFailed && target_ != path_ && error.find(PathText(path_)) == std::string::npos)
        error += " (the link \"" + PathText(path_) + "\" leads there)";
    load_error_ = status == FileReadStatus::kFailed ? error : std::string();
    return load_error_.empty() ? WriteOutcome::Success() : WriteOutcome::Failure(load_error_);
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
    // Temporaries of a replacement that never finished (a killed writer) are
    // ours to remove once we hold the lock: no other writer can be using one.
    RemoveDurableTemporaries(target_, std::chrono::seconds(0));
    return Load();
}

WriteOutcome IniFile::Commit() {
    // A file that could not be read is never replaced by what little we know.
    if (!load_error_.empty()) return WriteOutcome::Failure(load_error_);
    if (!document_.Modified()) return WriteOutcome::Success();
    // Without the lock another writer's change could be lost.
    if (!lock_.Held())
        return WriteOutcome::Failure("\"" + PathText(path_) + "\" was not locked for the change; nothing was written.");
    const WriteOutcome outcome = ReplaceFileDurably(target_, document_.Serialize());
    if (outcome) {
        existed_ = true;
        document_.MarkUnmodified();
    }
    return outcome;
}

WriteOutcome IniWriteString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                            std::string_view value) {
    IniFile file(path);
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    if (WriteOutcome set = file.Document().SetValue(section, key, value); !set) return set;
    return file.Commit();
}

WriteOutcome IniDeleteSection(const std::filesystem::path& path, std::string_view section, int* removed) {
    if (removed) *removed = 0;
    IniFile file(path);
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    const int count = file.Document().RemoveSection(section);
    if (removed) *removed = count;
    return file.Commit();
}

}  // namespace quillmar
