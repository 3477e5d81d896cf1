#pragma once
// A profile reads some keys back against fewer options than they have, so a
// few values can be stored but never read back (image_iso=3200, the longest
// auto_shutdown times). Saving such a value deserves a word.

#include "cli/cli_context.h"
#include "settings/settings_selection.h"

namespace quillmar {

// Warns on ctx.err about each such value in `selection`.
void WarnValuesProfilesCannotReadBack(const CliContext& ctx, const SettingsSelection& selection);

}  // namespace quillmar
