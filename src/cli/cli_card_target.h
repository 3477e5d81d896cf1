#pragma once
// Checks of the folder "write --card" names, so camera.conf never lands
// anywhere but on a card.

#include "cli/cli_context.h"

#include <string>

namespace quillmar {

// kExitUsage for an empty --card, which would otherwise mean the root folder.
int CheckCardArgument(const CliContext& ctx, const std::string& card);

// kExitFailure when the folder is a mount point of fstab with no card mounted
// on it (a fixed /mnt/sd after the card was pulled): the file would go onto
// the computer's own disk. One file per system: cli_card_mounted_*.cpp.
int CheckCardIsMounted(const CliContext& ctx, const std::string& card);

}  // namespace quillmar
