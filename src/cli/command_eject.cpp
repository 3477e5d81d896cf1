// "eject": unmount a card and power its drive off.

#include "cards/card_list.h"
#include "cli/cli_commands.h"
#include "cli/cli_eject.h"
#include "cli/cli_options.h"

namespace quillmar {

void PrintUnmounted(const CliContext& ctx, const CliEjectOutcome& outcome) {
    ctx.Print(outcome.message + '\n');
    if (!outcome.warning.empty()) ctx.Error("warning: the drive was not powered off: " + outcome.warning + '.');
}

std::string EjectResultWords(const CliEjectOutcome& outcome) {
    if (!outcome.Unmounted()) return "not ejected: " + outcome.message;
    if (!outcome.warning.empty()) return "unmounted (not powered off: " + outcome.warning + ")";
    return "ejected";
}

int RunEject(const CliContext& ctx) {
    const std::string& card = ctx.options.Value(CliOption::kCard);
    if (card.empty()) {
        ctx.Error("eject needs one --card DIR.");
        return kExitUsage;
    }
    const CliEjectOutcome outcome = EjectFromCommandLine(FolderCardRoot(card));
    if (!outcome.Unmounted()) {
        ctx.Error(outcome.message);
        return kExitFailure;
    }
    PrintUnmounted(ctx, outcome);
    return kExitOk;
}

}  // namespace quillmar
