#pragma once
// The profiles kept in cfg.ini: one section per profile holding the 29 keys of
// a selection as option texts, plus "basic" with last_cfg=default.
//
// The store works on a selection owned by its caller. Reads go through one
// load of the file, writes through one load and one durable replacement, so
// the file on disk is always complete. Every write holds the writers' lock
// from its load to its replacement, so other programs saving into the same
// file at the same time keep their changes. Every write reports failure with
// the file and the system's reason; the lists change only when a write
// succeeded.

#include "platform/durable_file.h"
#include "platform/result.h"
#include "profiles/profile_pages.h"
#include "settings/settings_selection.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillmar {

class IniDocument;

inline constexpr char kCfgFileName[] = "cfg.ini";
// The profile list shows this many UTF-16 units of a name, no more.
inline constexpr size_t kShownProfileNameLength = 16;

// Whether LoadProfiles may write the default profile into the file.
enum class ProfileFileAccess {
    kReadWrite,  // the program: first use creates cfg.ini
    kReadOnly,   // a command that only looks: the default exists in memory only
};

class ProfileStore {
public:
    // `cfgPath` (UTF-8) is the profile file every operation works on. Names
    // and sections are UTF-8 too. `pages` may
    // be null: the selection is then taken as current when saving.
    ProfileStore(std::string cfgPath, SettingsSelection& selection, ProfilePages* pages = nullptr)
        : cfg_path_(std::move(cfgPath)), selection_(selection), pages_(pages) {}

    const std::string& CfgPath() const { return cfg_path_; }
    // Full section name, e.g. "profile-default"; empty when none is current.
    const std::string& CurrentProfile() const { return current_profile_; }
    // The listed profiles' section names, in file order.
    const std::vector<std::string>& ProfileSections() const { return profile_sections_; }
    // Their shown names, parallel to ProfileSections().
    const std::vector<std::string>& ProfileNames() const { return profile_names_; }

    // Makes the listed profile at `index` current; the selection is not read
    // (ApplyProfile does that). An index outside the lists changes nothing.
    void SelectProfile(int index);
    // Takes the profile at `index` off the lists, for a section deleted from
    // the file; the file is not touched.
    void UnlistProfile(int index);

    // cfg.ini in the working directory.
    static std::string DefaultCfgPath();
    // "profile-" + name: the section of a profile created under that name.
    static std::string SectionForName(const std::string& name);
    // A section's shown name: its UTF-16 units from position 8, at most 16,
    // never half of a character.
    static std::string ShownName(const std::string& section);

    // Fills the lists from the file and applies the first profile. A file
    // that is missing or lists no profile gets "default" at the schema's
    // defaults with sync_clock TRUE, other lines kept; with kReadOnly that
    // profile exists only in memory. Every section except the first one
    // named exactly "basic" is a profile.
    // On failure the error is returned and the state stays usable:
    //  - file unreadable: lists empty, current profile "profile-default",
    //    selection at the defaults with the clock on, file untouched;
    //  - file could not be written: the lists and selection are those of the
    //    default profile, which is not on disk.
    WriteOutcome LoadProfiles(ProfileFileAccess access = ProfileFileAccess::kReadWrite);
    // Reads the current profile into the selection with one load of the file.
    // Missing keys and unknown texts give option 0, a missing or unknown
    // sync_clock gives 0. Burst and auto-shoot are settled as a loaded
    // selection (SettleLoadedBurstAndAutoShoot): both on keeps the burst.
    // An unreadable file leaves the selection as it was.
    WriteOutcome ApplyProfile();
    // Pulls each page (Mode, Video, Image, Photo, System) and writes its keys
    // in profile key order into the current profile: one load, one replacement.
    // Indexes outside a key's list are clamped to the nearest option.
    WriteOutcome SaveProfile();

    // Single-key operations on the current profile, each its own load (and write).
    // An unreadable file fails, with the value an empty file gives.
    Result<int> ReadProfileOption(int section, int key, int limit) const;
    Result<int> ReadSyncClock() const;
    WriteOutcome WriteProfileOption(int section, int key, int index);
    WriteOutcome WriteSyncClock(int flag);

    // Whether the file has a section of that name, compared as the file
    // format compares names (ASCII case ignored). A missing file has none.
    Result<bool> SectionExists(const std::string& section) const;
    // Removes every section of that name from the file in one replacement.
    // `removed` receives how many went: 0 when the file held none (a profile
    // that exists only in memory, or one deleted by another program). The
    // lists are the caller's to update.
    WriteOutcome DeleteProfileSection(const std::string& section, int* removed = nullptr);
    // Lists the profiles of the file as it is now, for a file changed by
    // another program. The current profile and the selection stay as they are,
    // even when that profile is gone. A file that lists no profile gives
    // empty lists. An unreadable file leaves the lists as they were.
    WriteOutcome RefreshProfileList();

    enum class NamedSave {
        kUpdated,         // the profile existed: its values with the change on top
        kCreated,         // a new profile at the defaults, clock on, with the change
        kNameInUse,       // another profile shows that name; nothing written
        kNameUnstorable,  // see NewProfileNameReason; nothing written
    };
    // Stores profile `name` in one locked read-change-write, deciding from
    // the file as it is once the lock is held: an existing section (ASCII
    // case ignored) is read into the selection, `change` runs on it (use
    // SettingsSelection::Choose, so a burst or interval counts as chosen
    // last), and its keys are written back; a new name starts from the defaults with the
    // clock on. On success the profile is current and the lists are those
    // of the file written. `error` explains kNameUnstorable.
    WriteOutcome SaveNamedProfile(const std::string& name, const std::function<void(SettingsSelection&)>& change,
                                  NamedSave* result);
    // Creates the profile `name` from the pages (pulled as by SaveProfile),
    // appended at the end of the file, and makes it current; on success it is
    // appended to the lists, on failure the current profile is restored. The
    // caller checks for a listed name first; a section of that name that
    // another program added since is never overwritten: the add fails.
    WriteOutcome AddProfile(const std::string& name);
    // Position in the lists of the profile `name`: the first listed shown
    // name equal to it, else the listed section "profile-<name>" (ASCII case
    // ignored, which reaches names longer than the shown 16 characters).
    // -1 when none.
    int FindProfile(const std::string& name) const;

private:
    int ReadOption(const IniDocument& doc, int section, int key, int limit) const;
    int ReadClock(const IniDocument& doc) const;
    void ApplyFrom(const IniDocument& doc);
    WriteOutcome WriteSelectionTo(IniDocument& doc, ProfilePages* pages);
    // Adds "basic" and the first-use default profile to a file without
    // profiles, makes it current and lists it.
    void AddDefaultProfile(IniDocument& doc);
    void ListProfiles(const IniDocument& doc);

    std::string cfg_path_;
    std::string current_profile_;
    std::vector<std::string> profile_sections_;
    std::vector<std::string> profile_names_;
    SettingsSelection& selection_;
    ProfilePages* pages_;
};

}  // namespace quillmar
