// "profiles", "save" and "delete": the profiles of cfg.ini.

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/cli_profile_file.h"
#include "cli/cli_profile_limits.h"
#include "cli/cli_selection.h"
#include "profiles/profile_name_rules.h"

int RunProfiles(const CliContext& ctx) {
    SettingsSelection selection;
    ProfileStore store(selection);
    // Looking must not create the file: a missing one lists the profile the
    // program would create at its first start.
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    for (const QString& name : store.profile_names) ctx.Print(name + QLatin1Char('\n'));
    return kExitOk;
}

int RunSave(const CliContext& ctx) {
    if (!ctx.parser.isSet(cli_option::profile)) {
        ctx.Error(QStringLiteral("save needs --profile NAME."));
        return kExitUsage;
    }
    const QString name = ctx.parser.value(cli_option::profile);
    QString error;
    SelectionChoices choices;
    if (const int rc = ParseSelectionChoices(ctx, &choices); rc != kExitOk) return rc;

    // Loading as the program does: a missing file is created with "default".
    SettingsSelection selection;
    ProfileStore store(selection);
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadWrite); rc != kExitOk) return rc;

    const QString section = ProfileStore::SectionForName(name);
    const bool exists = store.SectionExists(section, &error);
    if (!error.isEmpty()) {
        ctx.Error(error);
        return kExitFailure;
    }
    WriteOutcome outcome;
    if (exists) {
        store.current_profile = section;
        outcome = store.ApplyProfile();
        if (outcome) {
            ApplyChoices(choices, selection);
            outcome = store.SaveProfile();
        }
    } else {
        // A new profile passes the same name checks as in the window.
        switch (CheckNewProfileName(store, name, &error)) {
        case NewProfileNameCheck::kAccepted:
            break;
        case NewProfileNameCheck::kInUse:
            ctx.Error(QStringLiteral("the name \"%1\" is already used by another profile.").arg(name));
            return kExitUsage;
        case NewProfileNameCheck::kUnstorable:
            ctx.Error(error);
            return kExitUsage;
        case NewProfileNameCheck::kUnreadable:
            ctx.Error(error);
            return kExitFailure;
        }
        selection = SettingsSelection::Defaults(1);  // as the profile made at first use
        ApplyChoices(choices, selection);
        outcome = store.AddProfile(name);
    }
    if (!outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    WarnValuesProfilesCannotReadBack(ctx, selection);
    return kExitOk;
}

int RunDelete(const CliContext& ctx) {
    if (!ctx.parser.isSet(cli_option::profile)) {
        ctx.Error(QStringLiteral("delete needs --profile NAME."));
        return kExitUsage;
    }
    SettingsSelection selection;
    ProfileStore store(selection);
    if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
    const QString name = ctx.parser.value(cli_option::profile);
    const int index = store.FindProfile(name);
    if (index < 0) {
        ctx.Error(QStringLiteral("there is no profile \"%1\". Profiles: %2.")
                      .arg(name, store.profile_names.join(QStringLiteral(", "))));
        return kExitUsage;
    }
    const WriteOutcome outcome = store.DeleteProfileSection(store.profile_sections.at(index));
    if (!outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    return kExitOk;
}
