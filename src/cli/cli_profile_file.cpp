// Where the commands' profile file is, and loading it with failures told in the tool's words.
#include "cli/cli_profile_file.h"

#include "platform/qt_text_bridge.h"

#include "cli/cli_options.h"
#include "cli/cli_text.h"

#include <QFileInfo>

namespace quillmar {

QString ConfigPath(const CliContext& ctx) {
    return ctx.parser.isSet(cli_option::kConfig) ? ctx.parser.value(cli_option::kConfig)
                                                 : ProfileStore::DefaultCfgPath();
}

bool ProfileFileInPlay(const CliContext& ctx) { return QFileInfo::exists(ConfigPath(ctx)); }

int LoadProfileStore(const CliContext& ctx, ProfileStore& store, ProfileFileAccess access) {
    if (const WriteOutcome outcome = store.LoadProfiles(access); !outcome) {
        ctx.Error(FromUtf8(outcome.error));
        return kExitFailure;
    }
    return kExitOk;
}

QString ListedNames(const ProfileStore& store) {
    QStringList names;
    for (const QString& name : store.ProfileNames()) names << QuotedForMessage(name, 40);
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

int ApplyChosenProfile(const CliContext& ctx, ProfileStore& store) {
    if (!ctx.parser.isSet(cli_option::kProfile)) return kExitOk;
    const QString name = ctx.parser.value(cli_option::kProfile);
    const int at = store.FindProfile(name);
    if (at < 0) {
        ctx.Error(QStringLiteral("no profile %1 in \"%2\". Profiles: %3.")
                      .arg(QuotedForMessage(name), store.CfgPath(), ListedNames(store)));
        return kExitUsage;
    }
    // Loading applied the first profile already, from the same read; the
    // default profile of a file without profiles exists only there, and
    // reading the file again would lose it.
    if (store.ProfileSections()[at] == store.CurrentProfile()) return kExitOk;
    store.SelectProfile(at);
    if (const WriteOutcome outcome = store.ApplyProfile(); !outcome) {
        ctx.Error(FromUtf8(outcome.error));
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
