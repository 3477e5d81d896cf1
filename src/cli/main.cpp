// quillmar-cli: the scriptable face of the camera-settings core.

#include "cli/cli_arguments.h"
#include "cli/cli_invocation.h"

#include <QCoreApplication>

using namespace quillmar;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmar-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMAR_VERSION));

    QCommandLineParser parser;
    ConfigureCliParser(parser);
    const CliInvocation inv = ParseCliInvocation(parser, QCoreApplication::arguments());
    const CliContext ctx{parser, inv.arguments};
    if (const QString refusal = RefuseInvalidUtf8Arguments(argc, argv); !refusal.isEmpty()) {
        ctx.Error(refusal);
        return kExitUsage;
    }
    switch (inv.action) {
    case CliInvocation::kHelp:
        ctx.Print(parser.helpText());
        return kExitOk;
    case CliInvocation::kVersion:
        ctx.Print(QStringLiteral("quillmar-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kExitOk;
    case CliInvocation::kRefused:
        ctx.Error(inv.error);
        return kExitUsage;
    case CliInvocation::kRun:
        break;
    }
    return inv.command->run(ctx);
}
