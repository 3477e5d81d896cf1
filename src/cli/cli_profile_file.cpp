#include "cli/cli_profile_file.h"

#include "cli/cli_options.h"

#include <QFileInfo>

QString ConfigPath(const CliContext& ctx) {
    return ctx.parser.isSet(cli_option::config) ? ctx.parser.value(cli_option::config)
                                                : ProfileStore::DefaultCfgPath();
}

bool ProfileFileInPlay(const CliContext& ctx) {
    return ctx.parser.isSet(cli_option::config) || ctx.parser.isSet(cli_option::profile) ||
           QFileInfo::exists(ConfigPath(ctx));
}

int LoadProfileStore(const CliContext& ctx, ProfileStore& store, ProfileFileAccess access) {
    store.cfg_path = ConfigPath(ctx);
    if (const WriteOutcome outcome = store.LoadProfiles(access); !outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    return kExitOk;
}

int ApplyChosenProfile(const CliContext& ctx, ProfileStore& store) {
    if (!ctx.parser.isSet(cli_option::profile)) return kExitOk;
    const QString name = ctx.parser.value(cli_option::profile);
    const int at = store.FindProfile(name);
    if (at < 0) {
        ctx.Error(QStringLiteral("no profile \"%1\" in \"%2\". Profiles: %3.")
                      .arg(name, store.cfg_path, store.profile_names.join(QStringLiteral(", "))));
        return kExitUsage;
    }
    store.current_profile = store.profile_sections[at];
    if (const WriteOutcome outcome = store.ApplyProfile(); !outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    return kExitOk;
}
