// "profiles", "save" and "delete": the profiles of cfg.ini.

#include "cli/cli_commands.h"

#include "cli/cli_options.h"
#include "cli/cli_profile_file.h"
#include "cli/cli_profile_limits.h"
#include "cli/cli_selection.h"
#include "cli/cli_text.h"
#include "platform/qt_text_bridge.h"
#include "profiles/profile_name_rules.h"

namespace quillmar {

int RunProfiles(const CliContext& ctx) {
    SettingsSelection selection;
    ProfileStore store(ConfigPath(ctx), selection);
    // Looking must not create the file: a missing one lists the profile the
    // program would create at its first start.
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    for (const QString& name : store.ProfileNames()) ctx.Print(EscapeControls(name) + QLatin1Char('\n'));
    return kExitOk;
}

int RunSave(const CliContext& ctx) {
    if (!ctx.parser.isSet(cli_option::kProfile)) {
        ctx.Error(QStringLiteral("save needs --profile NAME."));
        return kExitUsage;
    }
    const QString name = ctx.parser.value(cli_option::kProfile);
    QString error;
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
        ctx.Error(FromUtf8(exists.outcome.error));
        return kExitFailure;
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
            error = FromUtf8(outcome.error);
        }
    }
    switch (check) {
    case NewProfileNameCheck::kAccepted:
        break;
    case NewProfileNameCheck::kInUse:
        ctx.Error(QStringLiteral("the name %1 is already used by another profile.").arg(QuotedForMessage(name)));
        return kExitUsage;
    case NewProfileNameCheck::kUnstorable:
        ctx.Error(error);
        return kExitUsage;
    case NewProfileNameCheck::kUnreadable:
        ctx.Error(error);
        return kExitFailure;
    }
    if (!outcome) {
        ctx.Error(FromUtf8(outcome.error));
        return kExitFailure;
    }
    WarnValuesProfilesCannotReadBack(ctx, saved);
    return kExitOk;
}

int RunDelete(const CliContext& ctx) {
    if (!ctx.parser.isSet(cli_option::kProfile)) {
        ctx.Error(QStringLiteral("delete needs --profile NAME."));
        return kExitUsage;
    }
    SettingsSelection selection;
    ProfileStore store(ConfigPath(ctx), selection);
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    const QString name = ctx.parser.value(cli_option::kProfile);
    const int index = store.FindProfile(name);
    if (index < 0) {
        ctx.Error(
            QStringLiteral("there is no profile %1. Profiles: %2.").arg(QuotedForMessage(name), ListedNames(store)));
        return kExitUsage;
    }
    // Looked at first so that a profile held only in memory takes no lock
    // file; the delete itself decides again under the lock.
    const Result<bool> stored = store.SectionExists(store.ProfileSections().at(index));
    if (!stored) {
        ctx.Error(FromUtf8(stored.outcome.error));
        return kExitFailure;
    }
    int removed = 0;
    const WriteOutcome outcome = stored.value ? store.DeleteProfileSection(store.ProfileSections().at(index), &removed)
                                              : WriteOutcome::Success();
    if (!outcome) {
        ctx.Error(FromUtf8(outcome.error));
        return kExitFailure;
    }
    // The default profile of a file without profiles exists only in memory,
    // and another program may have deleted the profile first.
    if (removed == 0) {
        ctx.Error(QStringLiteral("profile %1 is not stored in \"%2\"; nothing was deleted.")
                      .arg(QuotedForMessage(name), store.CfgPath()));
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
