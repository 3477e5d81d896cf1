#pragma once
// The selection a command works on, built from the command line.

#include "cli/cli_context.h"
#include "settings/settings_selection.h"

// Starts from the schema's defaults and applies --set and --sync-clock.
// Returns false, with the reason reported on ctx.err, when the command line
// names something that does not exist.
bool ResolveSelection(const CliContext& ctx, SettingsSelection* selection);
