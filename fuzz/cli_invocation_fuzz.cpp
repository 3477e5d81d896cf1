// The command line of quillmar-cli: arbitrary arguments must be parsed into
// a command or a refusal, never a crash. Commands are not run.

#include "cli/cli_invocation.h"
#include "cli/cli_options.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace quillmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Arguments are separated by NUL bytes, as in argv.
    std::vector<std::string> args;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (size_t at = 0; at <= bytes.size();) {
        const size_t end = std::min(bytes.find('\0', at), bytes.size());
        args.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }

    const CliInvocation inv = ParseCliInvocation(args);
    if (inv.action == CliInvocation::kRun && inv.command == nullptr) __builtin_trap();
    if (inv.action == CliInvocation::kRefused && inv.error.empty()) __builtin_trap();

    const ParsedOverrides parsed = ParseSettingOverrides(inv.options.Values(CliOption::kSet));
    for (const SettingOverride& o : parsed.overrides)
        if (o.index < 0 || o.index >= OptionCount(o.key.section, o.key.key)) __builtin_trap();
    if (parsed.overrides.size() < inv.options.Values(CliOption::kSet).size() && parsed.error.empty()) __builtin_trap();
    return 0;
}
