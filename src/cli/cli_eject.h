#pragma once
// Ejecting cards from the command line: never with a password dialog, which
// nobody at a terminal would see.

#include "cli/cli_context.h"
#include "platform/card_eject.h"

#include <string>

namespace quillmar {

EjectOutcome EjectFromCommandLine(const std::string& root);

// Prints an eject that took every file system off the card: the news on
// stdout, why the drive stays powered on stderr.
void PrintUnmounted(const CliContext& ctx, const EjectOutcome& outcome);

// What an eject did, for a line of "write --all-cards --eject": "ejected",
// "unmounted (not powered off: REASON)" or "not ejected: REASON".
std::string EjectResultWords(const EjectOutcome& outcome);

}  // namespace quillmar
