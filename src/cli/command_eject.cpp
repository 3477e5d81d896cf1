// "eject": unmount a card and power its drive off.

#include "cards/card_list.h"
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

void PrintUnmounted(const CliContext& ctx, const EjectOutcome& outcome) {
    ctx.Print(outcome.message + QLatin1Char('\n'));
    if (!outcome.warning.isEmpty())
        ctx.Error(QStringLiteral("warning: the drive was not powered off: %1.").arg(outcome.warning));
}

QString EjectResultWords(const EjectOutcome& outcome) {
    if (!outcome.Unmounted()) return QStringLiteral("not ejected: ") + outcome.message;
    if (!outcome.warning.isEmpty()) return QStringLiteral("unmounted (not powered off: %1)").arg(outcome.warning);
    return QStringLiteral("ejected");
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
    PrintUnmounted(ctx, outcome);
    return kExitOk;
}

}  // namespace quillmar
