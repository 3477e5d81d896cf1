// The command line of quillmar-cli: arbitrary arguments must be parsed into
// a command or a refusal, never a crash. Commands are not run.

#include "cli/cli_invocation.h"
#include "cli/cli_options.h"

#include <cstdint>

using namespace quillmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Arguments are separated by NUL bytes, as in argv.
    QStringList args{QStringLiteral("quillmar-cli")};
    for (const QByteArray& part :
         QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0'))
        args << QString::fromUtf8(part);

    QCommandLineParser parser;
    ConfigureCliParser(parser);
    const CliInvocation inv = ParseCliInvocation(parser, args);
    if (inv.action == CliInvocation::kRun && inv.command == nullptr) __builtin_trap();
    if (inv.action == CliInvocation::kRefused && inv.error.isEmpty()) __builtin_trap();

    SettingsSelection selection;
    if (const auto overrides = ParseSettingOverrides(parser.values(QStringLiteral("set")))) {
        ApplyOverrides(overrides.value, selection);
        for (const SettingOverride& o : overrides.value)
            if (o.index < 0 || o.index >= OptionCount(o.key.section, o.key.key)) __builtin_trap();
    } else if (overrides.outcome.error.empty()) {
        __builtin_trap();
    }
    return 0;
}
