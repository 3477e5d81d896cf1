// The profiles of cfg.ini: list, load into a selection, save and delete, each write durable and locked.
#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "platform/path_text.h"
#include "platform/text_encoding.h"
#include "profiles/profile_key_order.h"
#include "profiles/profile_name_rules.h"

#include <algorithm>
#include <filesystem>

namespace quillmar {

namespace {

constexpr char kProfilePrefix[] = "profile-";
constexpr char kBasicSection[] = "basic";
constexpr char kDefaultProfileName[] = "default";
constexpr size_t kShownNameStart = 8;

std::string SyncClockName() { return KeyName(keys::kSyncClock.section, keys::kSyncClock.key); }

std::string SyncClockText(int flag) { return flag == 1 ? "TRUE" : "FALSE"; }

bool IsAsciiTrue(std::string_view text) {
    constexpr std::string_view kTrue = "TRUE";
    return text.size() == kTrue.size() &&
           std::equal(text.begin(), text.end(), kTrue.begin(), [](char a, char b) { return (a & ~0x20) == b; });
}

std::string StoredOptionText(int section, int key, int index) {
    return OptionText(section, key, ClampOptionIndex(section, key, index));
}

// Defaults with the clock box ticked, as the profile made at first use.
void ResetToDefaultProfile(SettingsSelection& selection) {
    const uint8_t flags = selection.photo_lock_flags;
    selection = SettingsSelection::Defaults(1);
    selection.photo_lock_flags = flags;
}

}  // namespace

std::string ProfileStore::DefaultCfgPath() {
    std::error_code error;
    return PathText(std::filesystem::current_path(error) / kCfgFileName);
}

std::string ProfileStore::SectionForName(const std::string& name) { return kProfilePrefix + name; }

std::string ProfileStore::ShownName(const std::string& section) {
    // Counted in UTF-16 units, as the list counts; a character that needs
    // two units is never shown half.
    std::string shown;
    size_t unit = 0;
    bool valid = true;
    for (size_t at = 0; at < section.size() && unit < kShownNameStart + kShownProfileNameLength;) {
        const size_t start = at;
        const size_t units = NextUtf8(section, at, valid) >= 0x10000 ? 2 : 1;
        if (unit >= kShownNameStart && unit + units <= kShownNameStart + kShownProfileNameLength)
            shown.append(section, start, at - start);
        unit += units;
    }
    return shown;
}

void ProfileStore::ListProfiles(const IniDocument& doc) {
    profile_sections_ = doc.SectionNames();
    // The first exact "basic" only.
    if (auto basic = std::find(profile_sections_.begin(), profile_sections_.end(), kBasicSection);
        basic != profile_sections_.end())
        profile_sections_.erase(basic);
    profile_names_.clear();
    for (const std::string& section : profile_sections_) profile_names_.push_back(ShownName(section));
}

void ProfileStore::AddDefaultProfile(IniDocument& doc) {
    // Fixed names and option texts: these changes cannot be refused.
    if (!doc.HasSection(kBasicSection)) doc.SetValue(kBasicSection, "last_cfg", kDefaultProfileName);
    current_profile_ = SectionForName(kDefaultProfileName);
    ResetToDefaultProfile(selection_);
    WriteSelectionTo(doc, nullptr);
    ListProfiles(doc);
}

WriteOutcome ProfileStore::LoadProfiles(ProfileFileAccess access) {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) {
        profile_sections_.clear();
        profile_names_.clear();
        current_profile_ = SectionForName(kDefaultProfileName);
        ResetToDefaultProfile(selection_);
        return loaded;
    }
    ListProfiles(file.Document());
    if (!profile_sections_.empty() || access == ProfileFileAccess::kReadOnly) {
        if (profile_sections_.empty()) AddDefaultProfile(file.Document());
        current_profile_ = profile_sections_.front();
        ApplyFrom(file.Document());
        return WriteOutcome::Success();
    }

    // First use: decided again under the lock, since another program may
    // have created the file or a profile in the meantime.
    IniFile locked(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = locked.LoadForUpdate(); !loaded) {
        AddDefaultProfile(file.Document());  // the default, in memory only
        ApplyFrom(file.Document());
        return loaded;
    }
    ListProfiles(locked.Document());
    WriteOutcome outcome;
    if (profile_sections_.empty()) {
        AddDefaultProfile(locked.Document());
        outcome = locked.Commit();
    }
    current_profile_ = profile_sections_.front();
    ApplyFrom(locked.Document());
    return outcome;
}

int ProfileStore::ReadOption(const IniDocument& doc, int section, int key, int limit) const {
    // "unknown" is no option's text, so a missing key reads as option 0.
    return FindOptionIndex(section, key, doc.Value(current_profile_, KeyName(section, key), "unknown"), limit);
}

int ProfileStore::ReadClock(const IniDocument& doc) const {
    return IsAsciiTrue(doc.Value(current_profile_, SyncClockName(), "FALSE")) ? 1 : 0;
}

void ProfileStore::ApplyFrom(const IniDocument& doc) {
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key))
            selection_.clock_sync = ReadClock(doc);
        else
            selection_.At(pk.key) = ReadOption(doc, pk.key.section, pk.key.key, pk.lookup_limit);
    }
    // A profile edited by hand may hold both a burst and an interval.
    selection_.SettleLoadedBurstAndAutoShoot();
}

WriteOutcome ProfileStore::WriteSelectionTo(IniDocument& doc, ProfilePages* pages) {
    int page = -1;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (pk.key.section != page) {
            page = pk.key.section;
            if (pages) pages->PullPage(page);
        }
        const std::string value = IsSyncClock(pk.key)
                                      ? SyncClockText(selection_.clock_sync)
                                      : StoredOptionText(pk.key.section, pk.key.key, selection_.At(pk.key));
        if (WriteOutcome set = doc.SetValue(current_profile_, KeyName(pk.key.section, pk.key.key), value); !set)
            return set;
    }
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::ApplyProfile() {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return loaded;
    ApplyFrom(file.Document());
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::SaveProfile() {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    if (WriteOutcome written = WriteSelectionTo(file.Document(), pages_); !written) return written;
    return file.Commit();
}

Result<int> ProfileStore::ReadProfileOption(int section, int key, int limit) const {
    IniFile file(PathFromUtf8(cfg_path_));
    const WriteOutcome loaded = file.Load();
    return {ReadOption(file.Document(), section, key, limit), loaded};
}

Result<int> ProfileStore::ReadSyncClock() const {
    IniFile file(PathFromUtf8(cfg_path_));
    const WriteOutcome loaded = file.Load();
    return {ReadClock(file.Document()), loaded};
}

WriteOutcome ProfileStore::WriteProfileOption(int section, int key, int index) {
    return IniWriteString(PathFromUtf8(cfg_path_), current_profile_, KeyName(section, key),
                          StoredOptionText(section, key, index));
}

WriteOutcome ProfileStore::WriteSyncClock(int flag) {
    return IniWriteString(PathFromUtf8(cfg_path_), current_profile_, SyncClockName(), SyncClockText(flag));
}

Result<bool> ProfileStore::SectionExists(const std::string& section) const {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return Result<bool>::Failure(std::move(loaded));
    return Result<bool>::Success(file.Document().HasSection(section));
}

WriteOutcome ProfileStore::DeleteProfileSection(const std::string& section, int* removed) {
    return IniDeleteSection(PathFromUtf8(cfg_path_), section, removed);
}

WriteOutcome ProfileStore::RefreshProfileList() {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return loaded;
    ListProfiles(file.Document());
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::SaveNamedProfile(const std::string& name,
                                            const std::function<void(SettingsSelection&)>& change, NamedSave* result) {
    IniFile file(PathFromUtf8(cfg_path_));
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    IniDocument& doc = file.Document();
    std::string error;
    const std::vector<std::string> sections = profile_sections_;
    const std::vector<std::string> names = profile_names_;
    ListProfiles(doc);
    const std::string section = SectionForName(name);
    if (doc.HasSection(section)) {
        *result = NamedSave::kUpdated;
        current_profile_ = section;
        ApplyFrom(doc);
    } else if (FindProfile(name) >= 0) {  // a shown name, cut from a longer section name
        *result = NamedSave::kNameInUse;
    } else if (std::string reason = NewProfileNameReason(name); !reason.empty()) {
        *result = NamedSave::kNameUnstorable;
        error = std::move(reason);
    } else {
        *result = NamedSave::kCreated;
        current_profile_ = section;
        ResetToDefaultProfile(selection_);  // as the profile made at first use
    }
    if (*result == NamedSave::kNameInUse || *result == NamedSave::kNameUnstorable) {
        profile_sections_ = sections;
        profile_names_ = names;
        return WriteOutcome::Failure(error);
    }
    change(selection_);
    selection_.SettleBurstAndAutoShoot();
    if (WriteOutcome written = WriteSelectionTo(doc, nullptr); !written) return written;
    const WriteOutcome outcome = file.Commit();
    if (outcome) ListProfiles(doc);
    return outcome;
}

WriteOutcome ProfileStore::AddProfile(const std::string& name) {
    const std::string previous = current_profile_;
    current_profile_ = SectionForName(name);
    WriteOutcome outcome;
    {
        IniFile file(PathFromUtf8(cfg_path_));
        if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) {
            outcome = std::move(loaded);
        } else if (file.Document().HasSection(current_profile_)) {
            // Another program added it since the name was checked.
            outcome = WriteOutcome::Failure("A profile named \"" + name + "\" was added to \"" + cfg_path_ +
                                            "\" by another program; it was not changed.");
        } else {
            outcome = WriteSelectionTo(file.Document(), pages_);
            if (outcome) outcome = file.Commit();
        }
    }
    if (!outcome) {
        current_profile_ = previous;
        return outcome;
    }
    profile_sections_.push_back(current_profile_);
    profile_names_.push_back(ShownName(current_profile_));
    return outcome;
}

void ProfileStore::SelectProfile(int index) {
    if (index >= 0 && size_t(index) < profile_sections_.size()) current_profile_ = profile_sections_[index];
}

void ProfileStore::UnlistProfile(int index) {
    if (index < 0 || size_t(index) >= profile_sections_.size()) return;
    profile_sections_.erase(profile_sections_.begin() + index);
    profile_names_.erase(profile_names_.begin() + index);
}

int ProfileStore::FindProfile(const std::string& name) const {
    if (auto shown = std::find(profile_names_.begin(), profile_names_.end(), name); shown != profile_names_.end())
        return int(shown - profile_names_.begin());
    const std::string section = SectionForName(name);
    for (size_t i = 0; i < profile_sections_.size(); ++i)
        if (IniNamesMatch(profile_sections_[i], section)) return int(i);
    return -1;
}

}  // namespace quillmar
