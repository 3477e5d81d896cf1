#include "cli/cli_selection.h"

#include "cli/cli_options.h"

bool ResolveSelection(const CliContext& ctx, SettingsSelection* selection) {
    QList<SettingOverride> overrides;
    QString error;
    if (!ParseSettingOverrides(ctx.parser.values(cli_option::set), &overrides, &error)) {
        ctx.Error(error);
        return false;
    }
    *selection = SettingsSelection::Defaults();
    ApplyOverrides(overrides, *selection);
    if (ctx.parser.isSet(cli_option::syncClock)) selection->clock_sync = 1;
    return true;
}
