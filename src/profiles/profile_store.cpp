#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "profiles/profile_key_order.h"

#include <QDir>

namespace {

constexpr char16_t kProfilePrefix[] = u"profile-";
constexpr char16_t kBasicSection[] = u"basic";
constexpr char16_t kDefaultProfileName[] = u"default";
constexpr qsizetype kShownNameStart = 8;
constexpr qsizetype kShownNameLength = 16;

QString SyncClockName() { return KeyName(keys::sync_clock.section, keys::sync_clock.key); }

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
    QString shown = section.mid(kShownNameStart, kShownNameLength);
    // Never show half of a character that needs two UTF-16 units.
    if (shown.size() == kShownNameLength && shown.back().isHighSurrogate()) shown.chop(1);
    return shown;
}

void ProfileStore::ListProfiles(const IniDocument& doc) {
    profile_sections = doc.SectionNames();
    profile_sections.removeOne(QString::fromUtf16(kBasicSection));  // the first exact "basic" only
    profile_names.clear();
    for (const QString& section : profile_sections) profile_names.append(ShownName(section));
}

WriteOutcome ProfileStore::LoadProfiles(ProfileFileAccess access) {
    IniFile file(cfg_path);
    QString error;
    if (!file.Load(&error)) {
        profile_sections.clear();
        profile_names.clear();
        current_profile = SectionForName(QString::fromUtf16(kDefaultProfileName));
        ResetToDefaultProfile(selection_);
        return WriteOutcome::Failure(error);
    }

    WriteOutcome outcome;
    ListProfiles(file.document());
    if (profile_sections.isEmpty()) {
        IniDocument& doc = file.document();
        if (!doc.HasSection(kBasicSection)) doc.SetValue(kBasicSection, u"last_cfg", kDefaultProfileName, &error);
        current_profile = SectionForName(QString::fromUtf16(kDefaultProfileName));
        ResetToDefaultProfile(selection_);
        WriteSelectionTo(doc, nullptr, &error);
        if (access == ProfileFileAccess::kReadWrite) outcome = file.Commit();
        ListProfiles(doc);
    }
    current_profile = profile_sections.first();
    ApplyFrom(file.document());
    return outcome;
}

int ProfileStore::ReadOption(const IniDocument& doc, int section, int key, int limit) const {
    // "unknown" is no option's text, so a missing key reads as option 0.
    const QString text = doc.Value(current_profile, KeyName(section, key), QStringLiteral("unknown"));
    return FindOptionIndex(section, key, text, limit);
}

int ProfileStore::ReadClock(const IniDocument& doc) const {
    const QString text = doc.Value(current_profile, SyncClockName(), QStringLiteral("FALSE"));
    return text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? 1 : 0;
}

void ProfileStore::ApplyFrom(const IniDocument& doc) {
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (IsSyncClock(pk.key))
            selection_.clock_sync = ReadClock(doc);
        else
            selection_.at(pk.key) = ReadOption(doc, pk.key.section, pk.key.key, pk.lookupLimit);
    }
}

bool ProfileStore::WriteSelectionTo(IniDocument& doc, ProfilePages* pages, QString* error) {
    int page = -1;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        if (pk.key.section != page) {
            page = pk.key.section;
            if (pages) pages->PullPage(page);
        }
        const QString value = IsSyncClock(pk.key)
                                  ? SyncClockText(selection_.clock_sync)
                                  : StoredOptionText(pk.key.section, pk.key.key, selection_.at(pk.key));
        if (!doc.SetValue(current_profile, KeyName(pk.key.section, pk.key.key), value, error)) return false;
    }
    return true;
}

WriteOutcome ProfileStore::ApplyProfile() {
    IniFile file(cfg_path);
    QString error;
    if (!file.Load(&error)) return WriteOutcome::Failure(error);
    ApplyFrom(file.document());
    return WriteOutcome::Success();
}

WriteOutcome ProfileStore::SaveProfile() {
    IniFile file(cfg_path);
    QString error;
    if (!file.Load(&error) || !WriteSelectionTo(file.document(), pages_, &error))
        return WriteOutcome::Failure(error);
    return file.Commit();
}

int ProfileStore::ReadProfileOption(int section, int key, int limit, QString* error) const {
    IniFile file(cfg_path);
    QString ignored;
    file.Load(error ? error : &ignored);
    return ReadOption(file.document(), section, key, limit);
}

int ProfileStore::ReadSyncClock(QString* error) const {
    IniFile file(cfg_path);
    QString ignored;
    file.Load(error ? error : &ignored);
    return ReadClock(file.document());
}

WriteOutcome ProfileStore::WriteProfileOption(int section, int key, int index) {
    return IniWriteString(cfg_path, current_profile, KeyName(section, key), StoredOptionText(section, key, index));
}

WriteOutcome ProfileStore::WriteSyncClock(int flag) {
    return IniWriteString(cfg_path, current_profile, SyncClockName(), SyncClockText(flag));
}

bool ProfileStore::SectionExists(const QString& section, QString* error) const {
    IniFile file(cfg_path);
    return file.Load(error) && file.document().HasSection(section);
}

WriteOutcome ProfileStore::DeleteProfileSection(const QString& section) {
    return IniDeleteSection(cfg_path, section);
}

WriteOutcome ProfileStore::AddProfile(const QString& name) {
    const QString previous = current_profile;
    current_profile = SectionForName(name);
    const WriteOutcome outcome = SaveProfile();
    if (!outcome) {
        current_profile = previous;
        return outcome;
    }
    profile_sections.append(current_profile);
    profile_names.append(ShownName(current_profile));
    return outcome;
}

int ProfileStore::FindProfile(const QString& name) const {
    const qsizetype shown = profile_names.indexOf(name);
    if (shown >= 0) return int(shown);
    const QString section = SectionForName(name);
    for (qsizetype i = 0; i < profile_sections.size(); ++i)
        if (IniNamesMatch(profile_sections[i], section)) return int(i);
    return -1;
}
