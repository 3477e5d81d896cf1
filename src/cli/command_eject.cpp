// "eject": unmount a card and power its drive off.

#include "cards/card_list.h"
#include "cli/cli_commands.h"
#include "cli/cli_core_strings.h"
#include "cli/cli_eject.h"
#include "cli/cli_options.h"

#include <QCoreApplication>

namespace quillmar {

EjectOutcome EjectFromCommandLine(const std::string& root) {
    // The eject waits for its D-Bus replies in an event loop, which needs an
    // application object; only the commands that eject pay for one. It lives
    // until the process ends.
    static int argc = 1;
    static char name[] = "quillmar-cli";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    EjectRequest request;
    request.root = ToCore(root);
    request.allow_interaction = false;
    return EjectCard(request);
}

void PrintUnmounted(const CliContext& ctx, const EjectOutcome& outcome) {
    ctx.Print(FromCore(outcome.message) + '\n');
    if (!outcome.warning.isEmpty())
        ctx.Error("warning: the drive was not powered off: " + FromCore(outcome.warning) + '.');
}

std::string EjectResultWords(const EjectOutcome& outcome) {
    if (!outcome.Unmounted()) return "not ejected: " + FromCore(outcome.message);
    if (!outcome.warning.isEmpty()) return "unmounted (not powered off: " + FromCore(outcome.warning) + ")";
    return "ejected";
}

int RunEject(const CliContext& ctx) {
    const std::string& card = ctx.options.Value(CliOption::kCard);
    if (card.empty()) {
        ctx.Error("eject needs one --card DIR.");
        return kExitUsage;
    }
    const EjectOutcome outcome = EjectFromCommandLine(FolderCardRoot(card));
    if (!outcome.Unmounted()) {
        ctx.Error(FromCore(outcome.message));
        return kExitFailure;
    }
    PrintUnmounted(ctx, outcome);
    return kExitOk;
}

}  // namespace quillmar
