#pragma once
// Turns the command line into what to do, without doing any of it.

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace quillmar {

struct CliInvocation {
    enum Action { kRun, kHelp, kVersion, kRefused };
    Action action = kRefused;
    const CliCommand* command = nullptr;  // set for kRun
    CliOptions options;
    std::string error;  // set for kRefused
};

// `args` are the arguments after the program name. Options may stand before
// or after the command word; an option the command does not use, or one
// given more often than the command takes it, is refused.
CliInvocation ParseCliInvocation(const std::vector<std::string>& args);

// What --help prints: the commands, then every option.
std::string CliHelpText();

}  // namespace quillmar
