// "profiles", "save" and "delete": the profiles of cfg.ini.

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/cli_profile_file.h"
#include "cli/cli_selection.h"
#include "cli/cli_text.h"
#include "platform/text_encoding.h"
#include "profiles/profile_name_rules.h"
#include "profiles/profile_read_back.h"

namespace quillmar {

namespace {

// "profile-" before the name in a profile's section.
constexpr size_t kProfileSectionPrefixLength = 8;

// A new profile's name must show whole in the window's list, and an empty
// one would make a blank row.
int CheckNewNameLength(const CliContext& ctx, const std::string& name) {
    if (name.empty()) {
        ctx.Error("a profile needs a name; --profile is empty.");
        return kExitUsage;
    }
    if (Utf16Length(name) <= kShownProfileNameLength) return kExitOk;
    ctx.Error("the name " + QuotedForMessage(name) + " is too long: a profile name has at most " +
              std::to_string(kShownProfileNameLength) + " characters.");
    return kExitUsage;
}

// A word on stderr for each saved value that a profile reads back as another.
void WarnValuesProfilesReadBackDifferently(const CliContext& ctx, const SettingsSelection& selection) {
    for (const ProfileReadBack& c : ValuesProfilesReadBackDifferently(selection)) {
        const std::string name = KeyName(c.key.section, c.key.key);
        ctx.Error("warning: " + name + '=' + OptionText(c.key.section, c.key.key, c.stored) +
                  " is stored, but a profile is read back as " + name + '=' +
                  OptionText(c.key.section, c.key.key, c.read_back) + ": profiles know only the first " +
                  std::to_string(c.known) + " options of " + name + '.');
    }
}

}  // namespace

int RunProfiles(const CliContext& ctx) {
    SettingsSelection selection;
    ProfileStore store(ConfigPath(ctx), selection);
    // Looking must not create the file: a missing one lists the profile the
    // program would create at its first start.
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    // Whole names: the list in the window cuts a long hand-written one.
    for (const std::string& section : store.ProfileSections())
        ctx.Print(EscapeControls(DropChars(section, kProfileSectionPrefixLength)) + '\n');
    return kExitOk;
}

int RunSave(const CliContext& ctx) {
    if (!ctx.options.Has(CliOption::kProfile)) {
        ctx.Error("save needs --profile NAME.");
        return kExitUsage;
    }
    const std::string name = ctx.options.Value(CliOption::kProfile);
    std::string error;
    SelectionChoices choices;
    if (const int rc = ParseSelectionChoices(ctx, &choices); rc != kExitOk) return rc;

    // Loading as the program does: a missing file is created with "default".
    SettingsSelection selection;
    ProfileStore store(ConfigPath(ctx), selection);
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadWrite); rc != kExitOk) return rc;

    // A new name passes the same checks as in the window. Checked here first
    // so that a refused name touches nothing; the save checks again under
    // the lock, against the file as it is then.
    const Result<bool> exists = store.SectionExists(ProfileStore::SectionForName(name));
    if (!exists) {
        ctx.Error(exists.outcome.error);
        return kExitFailure;
    }
    if (!exists.value) {
        if (const int rc = CheckNewNameLength(ctx, ctx.options.Value(CliOption::kProfile)); rc != kExitOk) return rc;
    }
    NewProfileNameCheck check =
        exists.value ? NewProfileNameCheck::kAccepted : CheckNewProfileName(store, name, &error);
    ProfileStore::NamedSave result = ProfileStore::NamedSave::kUpdated;
    WriteOutcome outcome;
    SettingsSelection saved;  // what the save wrote, for the warning below
    if (check == NewProfileNameCheck::kAccepted) {
        outcome = store.SaveNamedProfile(
            name,
            [&](SettingsSelection& s) {
                ApplyChoices(choices, s);
                saved = s;
            },
            &result);
        if (result == ProfileStore::NamedSave::kNameInUse) check = NewProfileNameCheck::kInUse;
        if (result == ProfileStore::NamedSave::kNameUnstorable) {
            check = NewProfileNameCheck::kUnstorable;
            error = outcome.error;
        }
    }
    switch (check) {
    case NewProfileNameCheck::kAccepted:
        break;
    case NewProfileNameCheck::kInUse:
        ctx.Error("the name " + QuotedForMessage(name) + " is already used by another profile.");
        return kExitUsage;
    case NewProfileNameCheck::kUnstorable:
        ctx.Error(error);
        return kExitUsage;
    case NewProfileNameCheck::kUnreadable:
        ctx.Error(error);
        return kExitFailure;
    }
    if (!outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    WarnValuesProfilesReadBackDifferently(ctx, saved);
    return kExitOk;
}

int RunDelete(const CliContext& ctx) {
    if (!ctx.options.Has(CliOption::kProfile)) {
        ctx.Error("delete needs --profile NAME.");
        return kExitUsage;
    }
    SettingsSelection selection;
    ProfileStore store(ConfigPath(ctx), selection);
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    const std::string& name = ctx.options.Value(CliOption::kProfile);
    const int index = store.FindProfile(name);
    if (index < 0) {
        ctx.Error("there is no profile " + QuotedForMessage(name) + ". Profiles: " + ListedNames(store) + ".");
        return kExitUsage;
    }
    // Looked at first so that a profile held only in memory takes no lock
    // file; the delete itself decides again under the lock.
    const Result<bool> stored = store.SectionExists(store.ProfileSections().at(index));
    if (!stored) {
        ctx.Error(stored.outcome.error);
        return kExitFailure;
    }
    int removed = 0;
    const WriteOutcome outcome = stored.value ? store.DeleteProfileSection(store.ProfileSections().at(index), &removed)
                                              : WriteOutcome::Success();
    if (!outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    // The default profile of a file without profiles exists only in memory,
    // and another program may have deleted the profile first.
    if (removed == 0) {
        ctx.Error("profile " + QuotedForMessage(name) + " is not stored in \"" + store.CfgPath() +
                  "\"; nothing was deleted.");
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
