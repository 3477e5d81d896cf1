// The settings a command works on: --from-card first, then --set and the clock options.
#include "cli/cli_selection.h"

#include "cards/card_list.h"
#include "cli/cli_profile_file.h"

namespace quillmar {

int ParseSelectionChoices(const CliContext& ctx, SelectionChoices* choices) {
    ParsedOverrides parsed = ParseSettingOverrides(ctx.options.Values(CliOption::kSet));
    if (!parsed.error.empty()) {
        ctx.Error(parsed.error);
        return kExitUsage;
    }
    choices->overrides = std::move(parsed.overrides);
    const bool on = ctx.options.Has(CliOption::kSyncClock);
    const bool off = ctx.options.Has(CliOption::kNoSyncClock);
    if (on && off) {
        ctx.Error("--sync-clock and --no-sync-clock exclude each other.");
        return kExitUsage;
    }
    choices->clock_sync = on ? 1 : off ? 0 : -1;
    if (ctx.options.Has(CliOption::kFromCard)) {
        const CameraConfRead read = ReadCameraConf(FolderCardRoot(ctx.options.Value(CliOption::kFromCard)));
        if (!read.ok) {
            ctx.Error(read.error);
            return kExitFailure;
        }
        choices->card = read.contents;
    }
    return kExitOk;
}

void ApplyChoices(const SelectionChoices& choices, SettingsSelection& selection) {
    if (choices.card) choices.card->ApplyTo(selection);
    // A --set counts as choosing it last, as a click on the page does.
    for (const SettingOverride& o : choices.overrides) selection.Choose(o.key, o.index);
    if (choices.clock_sync >= 0) selection.clock_sync = choices.clock_sync;
}

int ResolveSelection(const CliContext& ctx, SettingsSelection* selection) {
    SelectionChoices choices;
    if (const int rc = ParseSelectionChoices(ctx, &choices); rc != kExitOk) return rc;
    *selection = SettingsSelection::Defaults();
    const bool inPlay = ProfileFileInPlay(ctx);
    if (inPlay || ctx.options.Has(CliOption::kProfile)) {
        SettingsSelection loaded;
        ProfileStore store(ConfigPath(ctx), loaded);
        if (const int rc = LoadProfileStore(ctx, store, ProfileFileAccess::kReadOnly); rc != kExitOk) return rc;
        if (const int rc = ApplyChosenProfile(ctx, store); rc != kExitOk) return rc;
        // Without a file --profile can only have named the default profile,
        // which gives what no --profile gives there.
        if (inPlay) *selection = loaded;
    }
    ApplyChoices(choices, *selection);
    return kExitOk;
}

}  // namespace quillmar
