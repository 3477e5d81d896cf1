#include "cli/cli_selection.h"

#include "cli/cli_profile_file.h"

bool ParseSelectionChoices(const CliContext& ctx, SelectionChoices* choices) {
    QString error;
    if (!ParseSettingOverrides(ctx.parser.values(cli_option::set), &choices->overrides, &error)) {
        ctx.Error(error);
        return false;
    }
    const bool on = ctx.parser.isSet(cli_option::syncClock);
    const bool off = ctx.parser.isSet(cli_option::noSyncClock);
    if (on && off) {
        ctx.Error(QStringLiteral("--sync-clock and --no-sync-clock exclude each other."));
        return false;
    }
    choices->clockSync = on ? 1 : off ? 0 : -1;
    return true;
}

void ApplyChoices(const SelectionChoices& choices, SettingsSelection& selection) {
    ApplyOverrides(choices.overrides, selection);
    if (choices.clockSync >= 0) selection.clock_sync = choices.clockSync;
}

int ResolveSelection(const CliContext& ctx, SettingsSelection* selection) {
    SelectionChoices choices;
    if (!ParseSelectionChoices(ctx, &choices)) return kExitUsage;
    *selection = SettingsSelection::Defaults();
    const bool inPlay = ProfileFileInPlay(ctx);
    if (inPlay || ctx.parser.isSet(cli_option::profile)) {
        SettingsSelection loaded;
        ProfileStore store(loaded);
        if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
        if (const int rc = ApplyChosenProfile(ctx, store); rc != kExitOk) return rc;
        // Without a file --profile can only have named the default profile,
        // which gives what no --profile gives there.
        if (inPlay) *selection = loaded;
    }
    ApplyChoices(choices, *selection);
    return kExitOk;
}
