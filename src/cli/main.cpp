// quillmar-cli: the scriptable face of the camera-settings core.

#include "cli/cli_context.h"
#include "cli/cli_options.h"

#include <QCoreApplication>

namespace {

QString CommandHelp() {
    QString text = QStringLiteral("Commands:\n");
    for (const CliCommand& c : CliCommands()) text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.synopsis));
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmar-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMAR_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes camera settings for the camera's memory card.\n\n") +
                                     CommandHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of the commands listed above."));
    AddCliOptions(parser);
    parser.process(app);

    CliContext ctx{parser, parser.positionalArguments()};
    if (ctx.arguments.isEmpty()) {
        ctx.Error(QStringLiteral("no command given. Try --help."));
        return kExitUsage;
    }
    const QString word = ctx.arguments.takeFirst();
    for (const CliCommand& c : CliCommands()) {
        if (word == QLatin1String(c.name)) {
            if (!ctx.arguments.isEmpty()) {
                ctx.Error(QStringLiteral("unexpected argument \"%1\".").arg(ctx.arguments.first()));
                return kExitUsage;
            }
            return c.run(ctx);
        }
    }
    ctx.Error(QStringLiteral("unknown command \"%1\". Try --help.").arg(word));
    return kExitUsage;
}
