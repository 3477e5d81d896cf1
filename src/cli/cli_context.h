#pragma once
// What every command of quillmar-cli receives: the parsed options and the
// two output streams.

#include "cli/cli_options.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quillmar {

struct CliContext {
    const CliOptions& options;
    std::FILE* out = stdout;
    std::FILE* err = stderr;

    void Print(std::string_view text) const;  // UTF-8 to out
    void Error(std::string_view text) const;  // "quillmar-cli: " + text + newline to err
};

// Exit codes shared by every command.
enum CliExit : int {
    kExitOk = 0,
    kExitFailure = 1,  // the work was attempted and failed (a file not written)
    kExitUsage = 2,    // the command line was refused before anything happened
};

struct CliCommand {
    const char* name;
    const char* synopsis;  // shown in --help
    // The options the command uses; any other is refused. Only --set, and
    // --card for "cards" and "write --all-cards", may be given more than once.
    std::vector<CliOption> options;
    int (*run)(const CliContext&);
};

// Every command of the tool, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();

}  // namespace quillmar
