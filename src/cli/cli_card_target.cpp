// The check that "write --card" names a folder at all.
#include "cli/cli_card_target.h"

namespace quillmar {

int CheckCardArgument(const CliContext& ctx, const std::string& card) {
    if (!card.empty()) return kExitOk;
    ctx.Error("--card needs a folder; it is empty.");
    return kExitUsage;
}

}  // namespace quillmar
