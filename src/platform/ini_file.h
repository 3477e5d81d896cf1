#pragma once
// An INI file on disk: load once, read and change it in memory, commit once.
// A commit replaces the file durably, so a crash or a full disk leaves the
// old file or the new one, never a mix. A change is made under the writers'
// lock, from the file as it is on disk once the lock is held, so that two
// programs changing different parts of the file both keep their change.
//
// A symbolic link at the path is followed: the file it ends at is read and
// replaced, in its own folder, and the link stays (people keep settings in
// a dotfiles folder and link them).

#include "platform/file_lock.h"
#include "platform/ini_document.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmar {

class IniFile {
public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    // Reads the file to look at it; such a load cannot be committed. A
    // missing file loads as an empty document. Fails, naming the file and
    // the reason, when something is at the path but cannot be read (not a
    // regular file, too large, no permission); the document is then empty.
    WriteOutcome Load();
    // Takes the writers' lock (waiting a few seconds at most), then reads the
    // file as Load does. The lock is held until the object goes; only a
    // document loaded this way can be committed.
    WriteOutcome LoadForUpdate();
    bool Existed() const { return existed_; }
    const std::filesystem::path& Path() const { return path_; }

    IniDocument& Document() { return document_; }
    const IniDocument& Document() const { return document_; }

    // Writes the document back in one replacement of the file. Does nothing
    // when the document has not changed since it was loaded or committed;
    // refuses when the load failed or was not made for an update.
    WriteOutcome Commit();

private:
    std::filesystem::path path_;
    std::filesystem::path target_;  // where links at path_ end; what is read and replaced
    IniDocument document_;
    bool existed_ = false;
    std::string load_error_;
    FileLock lock_;
};

// Single changes, each one locked load and at most one commit.
WriteOutcome IniWriteString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                            std::string_view value);
// `removed` receives how many sections went, 0 when the file held none.
WriteOutcome IniDeleteSection(const std::filesystem::path& path, std::string_view section, int* removed = nullptr);

}  // namespace quillmar
