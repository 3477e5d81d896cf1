// quillmar-cli: the scriptable face of the camera-settings core.

#include "cli/cli_arguments.h"
#include "cli/cli_console.h"
#include "cli/cli_invocation.h"

#include <clocale>

using namespace quillmar;

int main(int argc, char* argv[]) {
    // The user's locale for the system's error texts, as the window has it.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> all = Utf8CommandLine(argc, argv);
    const std::vector<std::string> args(all.begin() + (all.empty() ? 0 : 1), all.end());
    const CliInvocation inv = ParseCliInvocation(args);
    const CliContext ctx{inv.options};
    std::vector<const char*> raw;
    for (const std::string& arg : all) raw.push_back(arg.c_str());
    if (const std::string refusal = RefuseInvalidUtf8Arguments(int(raw.size()), raw.data()); !refusal.empty()) {
        ctx.Error(refusal);
        return kExitUsage;
    }
    switch (inv.action) {
    case CliInvocation::kHelp:
        ctx.Print(CliHelpText());
        return kExitOk;
    case CliInvocation::kVersion:
        ctx.Print("quillmar-cli " QUILLMAR_VERSION "\n");
        return kExitOk;
    case CliInvocation::kRefused:
        ctx.Error(inv.error);
        return kExitUsage;
    case CliInvocation::kRun:
        break;
    }
    return inv.command->run(ctx);
}
