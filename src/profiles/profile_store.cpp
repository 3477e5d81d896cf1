// The profiles of cfg.ini: list, load into a selection, save and delete, each write durable and locked.
#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"
#include "profiles/profile_key_order.h"
#include "profiles/profile_name_rules.h"

#include <QDir>

namespace quillmar {

namespace {

constexpr char16_t kProfilePrefix[] = u"profile-";
constexpr char16_t kBasicSection[] = u"basic";
constexpr char16_t kDefaultProfileName[] = u"default";
constexpr qsizetype kShownNameStart = 8;

QString SyncClockName() { return KeyName(keys::kSyncClock.section, keys::kSyncClock.key); }

QString SyncClockText(int flag) { return flag == 1 ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

QString StoredOptionText(int section, int key, int index) {
    return OptionText(section, key, ClampOptionIndex(section, key, index));
}

// Defaults with the clock box ticked, as the profile made at first use.
void ResetToDefaultProfile(SettingsSelection& selection) {
    const uint8_t flags = selection.photo_lock_flags;
    selection = SettingsSelection::Defaults(1);
    selection.photo_lock_flags = flags;
}

}  // namespace

QString ProfileStore::DefaultCfgPath() { return QDir::current().filePath(QString::fromUtf16(kCfgFileName)); }

QString ProfileStore::SectionForName(const QString& name) { return QString::fromUtf16(kProfilePrefix) + name; }

QString ProfileStore::ShownName(const QString& section) {
    QString shown = section.mid(kShownNameStart, kShownProfileNameLength);
    // Never show half of a character that needs two UTF-16 units.
    if (shown.size() == kShownProfileNameLength && shown.back().isHighSurrogate()) shown.chop(1);
    return shown;
}

void ProfileStore::ListProfiles(const IniDocument& doc) {
    profile_sections_ = FromUtf8(doc.SectionNames());
    profile_sections_.removeOne(QString::fromUtf16(kBasicSection));  // the first exact "basic" only
    profile_names_.clear();
    for (const QString& section : profile_sections_) profile_names_.append(ShownName(section));
}

void ProfileStore::AddDefaultProfile(IniDocument& doc) {
    // Fixed names and option texts: these changes cannot be refused.
    const std::string basic = ToUtf8(QString::fromUtf16(kBasicSection));
    if (!doc.HasSection(basic)) doc.SetValue(basic, "last_cfg", ToUtf8(QString::fromUtf16(kDefaultProfileName)));
    current_profile_ = SectionForName(QString::fromUtf16(kDefaultProfileName));
    ResetToDefaultProfile(selection_);
    WriteSelectionTo(doc, nullptr);
    ListProfiles(doc);
}

WriteOutcome ProfileStore::LoadProfiles(ProfileFileAccess access) {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) {
        profile_sections_.clear();
        profile_names_.clear();
        current_profile_ = SectionForName(QString::fromUtf16(kDefaultProfileName));
        ResetToDefaultProfile(selection_);
        return loaded;
    }
    ListProfiles(file.Document());
    if (!profile_sections_.isEmpty() || access == ProfileFileAccess::kReadOnly) {
        if (profile_sections_.isEmpty()) AddDefaultProfile(file.Document());
        current_profile_ = profile_sections_.first();
        ApplyFrom(file.Document());
        return WriteOutcome::Success();
    }

    // First use: decided again under the lock, since another program may
    // have created the file or a profile in the meantime.
    IniFile locked(ToPath(cfg_path_));
    if (WriteOutcome loaded = locked.LoadForUpdate(); !loaded) {
        AddDefaultProfile(file.Document());  // the default, in memory only
        ApplyFrom(file.Document());
        return loaded;
    }
    ListProfiles(locked.Document());
    WriteOutcome outcome;
    if (profile_sections_.isEmpty()) {
        AddDefaultProfile(locked.Document());
        outcome = locked.Commit();
    }
    current_profile_ = profile_sections_.first();
    ApplyFrom(locked.Document());
    return outcome;
}

int ProfileStore::ReadOption(const IniDocument& doc, int section, int key, int limit) const {
    // "unknown" is no option's text, so a missing key reads as option 0.
    const QString text = FromUtf8(doc.Value(ToUtf8(current_profile_), ToUtf8(KeyName(section, key)), "unknown"));
    return FindOptionIndex(section, key, text, limit);
}

int ProfileStore::ReadClock(const IniDocument& doc) const {
    const QString text = FromUtf8(doc.Value(ToUtf8(current_profile_), ToUtf8(SyncClockName()), "FALSE"));
    return text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? 1 : 0;
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
        const QString value = IsSyncClock(pk.key) ? SyncClockText(selection_.clock_sync)
                                                  : StoredOptionText(pk.key.section, pk.key.key, selection_.At(pk.key));
        if (WriteOutcome set =
                doc.SetValue(ToUtf8(current_profile_), ToUtf8(KeyName(pk.key.section, pk.key.key)), ToUtf8(value));
            !set)
            return set;
    }
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::ApplyProfile() {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return loaded;
    ApplyFrom(file.Document());
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::SaveProfile() {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    if (WriteOutcome written = WriteSelectionTo(file.Document(), pages_); !written) return written;
    return file.Commit();
}

Result<int> ProfileStore::ReadProfileOption(int section, int key, int limit) const {
    IniFile file(ToPath(cfg_path_));
    const WriteOutcome loaded = file.Load();
    return {ReadOption(file.Document(), section, key, limit), loaded};
}

Result<int> ProfileStore::ReadSyncClock() const {
    IniFile file(ToPath(cfg_path_));
    const WriteOutcome loaded = file.Load();
    return {ReadClock(file.Document()), loaded};
}

WriteOutcome ProfileStore::WriteProfileOption(int section, int key, int index) {
    return IniWriteString(ToPath(cfg_path_), ToUtf8(current_profile_), ToUtf8(KeyName(section, key)),
                          ToUtf8(StoredOptionText(section, key, index)));
}

WriteOutcome ProfileStore::WriteSyncClock(int flag) {
    return IniWriteString(ToPath(cfg_path_), ToUtf8(current_profile_), ToUtf8(SyncClockName()),
                          ToUtf8(SyncClockText(flag)));
}

Result<bool> ProfileStore::SectionExists(const QString& section) const {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return Result<bool>::Failure(std::move(loaded));
    return Result<bool>::Success(file.Document().HasSection(ToUtf8(section)));
}

WriteOutcome ProfileStore::DeleteProfileSection(const QString& section, int* removed) {
    return IniDeleteSection(ToPath(cfg_path_), ToUtf8(section), removed);
}

WriteOutcome ProfileStore::RefreshProfileList() {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.Load(); !loaded) return loaded;
    ListProfiles(file.Document());
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::SaveNamedProfile(const QString& name, const std::function<void(SettingsSelection&)>& change,
                                            NamedSave* result) {
    IniFile file(ToPath(cfg_path_));
    if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) return loaded;
    IniDocument& doc = file.Document();
    QString error;
    const QStringList sections = profile_sections_;
    const QStringList names = profile_names_;
    ListProfiles(doc);
    const QString section = SectionForName(name);
    if (doc.HasSection(ToUtf8(section))) {
        *result = NamedSave::kUpdated;
        current_profile_ = section;
        ApplyFrom(doc);
    } else if (FindProfile(name) >= 0) {  // a shown name, cut from a longer section name
        *result = NamedSave::kNameInUse;
    } else if (const QString reason = NewProfileNameReason(name); !reason.isEmpty()) {
        *result = NamedSave::kNameUnstorable;
        error = reason;
    } else {
        *result = NamedSave::kCreated;
        current_profile_ = section;
        ResetToDefaultProfile(selection_);  // as the profile made at first use
    }
    if (*result == NamedSave::kNameInUse || *result == NamedSave::kNameUnstorable) {
        profile_sections_ = sections;
        profile_names_ = names;
        return WriteOutcome::Failure(ToUtf8(error));
    }
    change(selection_);
    selection_.SettleBurstAndAutoShoot();
    if (WriteOutcome written = WriteSelectionTo(doc, nullptr); !written) return written;
    const WriteOutcome outcome = file.Commit();
    if (outcome) ListProfiles(doc);
    return outcome;
}

WriteOutcome ProfileStore::AddProfile(const QString& name) {
    const QString previous = current_profile_;
    current_profile_ = SectionForName(name);
    WriteOutcome outcome;
    {
        IniFile file(ToPath(cfg_path_));
        if (WriteOutcome loaded = file.LoadForUpdate(); !loaded) {
            outcome = std::move(loaded);
        } else if (file.Document().HasSection(ToUtf8(current_profile_))) {
            // Another program added it since the name was checked.
            outcome = WriteOutcome::Failure(
                QStringLiteral("A profile named \"%1\" was added to \"%2\" by another program; it was not changed.")
                    .arg(name, cfg_path_)
                    .toStdString());
        } else {
            outcome = WriteSelectionTo(file.Document(), pages_);
            if (outcome) outcome = file.Commit();
        }
    }
    if (!outcome) {
        current_profile_ = previous;
        return outcome;
    }
    profile_sections_.append(current_profile_);
    profile_names_.append(ShownName(current_profile_));
    return outcome;
}

void ProfileStore::SelectProfile(int index) {
    if (index >= 0 && index < profile_sections_.size()) current_profile_ = profile_sections_[index];
}

void ProfileStore::UnlistProfile(int index) {
    if (index < 0 || index >= profile_sections_.size()) return;
    profile_sections_.removeAt(index);
    profile_names_.removeAt(index);
}

int ProfileStore::FindProfile(const QString& name) const {
    const qsizetype shown = profile_names_.indexOf(name);
    if (shown >= 0) return int(shown);
    const QString section = SectionForName(name);
    for (qsizetype i = 0; i < profile_sections_.size(); ++i)
        if (IniNamesMatch(ToUtf8(profile_sections_[i]), ToUtf8(section))) return int(i);
    return -1;
}

}  // namespace quillmar
