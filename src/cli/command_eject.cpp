// "eject": unmount a card and power its drive off.

#include "cli/cli_card_roots.h"
#include "cli/cli_commands.h"
#include "cli/cli_eject.h"
#include "cli/cli_options.h"

namespace quillmar {

EjectOutcome EjectFromCommandLine(const QString& root) {
    EjectRequest request;
    request.root = root;
    request.allow_interaction = false;
    return EjectCard(request);
}

int RunEject(const CliContext& ctx) {
    const QStringList cards = ctx.parser.values(cli_option::kCard);
    if (cards.size() != 1 || cards.constFirst().isEmpty()) {
        ctx.Error(QStringLiteral("eject needs one --card DIR."));
        return kExitUsage;
    }
    const EjectOutcome outcome = EjectFromCommandLine(FolderCardRoot(cards.constFirst()));
    if (!outcome.Unmounted()) {
        ctx.Error(outcome.message);
        return kExitFailure;
    }
    ctx.Print(outcome.message + QLatin1Char('\n'));
    if (!outcome.warning.isEmpty()) ctx.Error(QStringLiteral("warning: ") + outcome.warning + QLatin1Char('.'));
    return kExitOk;
}

}  // namespace quillmar
