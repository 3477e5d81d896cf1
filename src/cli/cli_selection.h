#pragma once
// The selection a command works on, built from the command line.

#include "cli/cli_context.h"
#include "cli/cli_options.h"
#include "settings/camera_conf_reader.h"
#include "settings/settings_selection.h"

#include <optional>
#include <vector>

namespace quillmar {

// What the command line asks to change on top of the starting selection.
struct SelectionChoices {
    std::optional<CameraConfContents> card;  // --from-card, applied first
    std::vector<SettingOverride> overrides;  // --set
    int clock_sync = -1;                     // 1 --sync-clock, 0 --no-sync-clock, -1 neither
};

// Parses --set, --sync-clock and --no-sync-clock and reads --from-card.
// Returns kExitOk; kExitUsage, with the reason reported on ctx.err, when they
// name something that does not exist or contradict each other; kExitFailure
// when the card's camera.conf cannot be read.
int ParseSelectionChoices(const CliContext& ctx, SelectionChoices* choices);
void ApplyChoices(const SelectionChoices& choices, SettingsSelection& selection);

// The selection of print and write: the profile chosen by --profile, or the
// first profile, when a profile file is in play (see ProfileFileInPlay);
// otherwise the schema's defaults with the clock off, and --profile may only
// name the default profile. The choices go on top.
// Nothing is written. Returns kExitOk, or the exit code after reporting why.
int ResolveSelection(const CliContext& ctx, SettingsSelection* selection);

}  // namespace quillmar
