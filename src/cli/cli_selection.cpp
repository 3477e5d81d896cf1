// The settings a command works on: --from-card first, then --set and the clock options.
#include "cli/cli_selection.h"

#include "platform/qt_text_bridge.h"

#include "cards/card_list.h"
#include "cli/cli_profile_file.h"

namespace quillmar {

int ParseSelectionChoices(const CliContext& ctx, SelectionChoices* choices) {
    const Result<QList<SettingOverride>> overrides = ParseSettingOverrides(ctx.parser.values(cli_option::kSet));
    if (!overrides) {
        ctx.Error(FromUtf8(overrides.outcome.error));
        return kExitUsage;
    }
    choices->overrides.append(overrides.value);
    const bool on = ctx.parser.isSet(cli_option::kSyncClock);
    const bool off = ctx.parser.isSet(cli_option::kNoSyncClock);
    if (on && off) {
        ctx.Error(QStringLiteral("--sync-clock and --no-sync-clock exclude each other."));
        return kExitUsage;
    }
    choices->clock_sync = on ? 1 : off ? 0 : -1;
    if (ctx.parser.isSet(cli_option::kFromCard)) {
        const CameraConfRead read = ReadCameraConf(FolderCardRoot(ctx.parser.value(cli_option::kFromCard)));
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
    ApplyOverrides(choices.overrides, selection);
    if (choices.clock_sync >= 0) selection.clock_sync = choices.clock_sync;
}

int ResolveSelection(const CliContext& ctx, SettingsSelection* selection) {
    SelectionChoices choices;
    if (const int rc = ParseSelectionChoices(ctx, &choices); rc != kExitOk) return rc;
    *selection = SettingsSelection::Defaults();
    const bool inPlay = ProfileFileInPlay(ctx);
    if (inPlay || ctx.parser.isSet(cli_option::kProfile)) {
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
