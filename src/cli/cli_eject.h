#pragma once
// Ejecting cards from the command line: never with a password dialog, which
// nobody at a terminal would see. The system's side is in cli_eject_*.cpp.

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace quillmar {

struct CliEjectOutcome {
    enum Status {
        kPoweredOff,  // unmounted and the drive powered off or ejected
        kUnmounted,   // unmounted; the drive stays powered (see warning)
        kNotEjected,  // nothing taken off, or not all of it (see message)
    };
    Status status = kNotEjected;
    std::string message;                 // what happened, or why nothing did
    std::string warning;                 // with kUnmounted: why the drive was not powered off
    std::vector<std::string> unmounted;  // mount points taken off, in order

    bool Unmounted() const { return status != kNotEjected; }
};

CliEjectOutcome EjectFromCommandLine(const std::string& root);

// Prints an eject that took every file system off the card: the news on
// stdout, why the drive stays powered on stderr.
void PrintUnmounted(const CliContext& ctx, const CliEjectOutcome& outcome);

// What an eject did, for a line of "write --all-cards --eject": "ejected",
// "unmounted (not powered off: REASON)" or "not ejected: REASON".
std::string EjectResultWords(const CliEjectOutcome& outcome);

}  // namespace quillmar
