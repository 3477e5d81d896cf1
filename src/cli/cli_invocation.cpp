// Parsing the command line into the command to run, help, version or a refusal.
#include "cli/cli_invocation.h"

#include "cli/cli_options.h"
#include "cli/cli_text.h"

namespace quillmar {

namespace {

QString CommandHelp() {
    QString text = QStringLiteral("Commands:\n");
    for (const CliCommand& c : CliCommands()) text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.synopsis));
    return text;
}

CliInvocation Refuse(QString error) {
    CliInvocation inv;
    inv.error = std::move(error);
    return inv;
}

}  // namespace

void ConfigureCliParser(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("Writes camera settings for the camera's memory card.\n\n") +
                                     CommandHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of the commands listed above."));
    AddCliOptions(parser);
}

CliInvocation ParseCliInvocation(QCommandLineParser& parser, const QStringList& args) {
    if (!parser.parse(args)) return Refuse(CutMessage(parser.errorText()) + QStringLiteral(". Try --help."));
    CliInvocation inv;
    if (parser.isSet(QStringLiteral("help"))) {
        inv.action = CliInvocation::kHelp;
        return inv;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        inv.action = CliInvocation::kVersion;
        return inv;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return Refuse(QStringLiteral("no command given. Try --help."));
    const QString word = positional.takeFirst();
    for (const CliCommand& c : CliCommands()) {
        if (word != QLatin1String(c.name)) continue;
        if (!positional.isEmpty())
            return Refuse(QStringLiteral("unexpected argument %1.").arg(QuotedForMessage(positional.first())));
        inv.action = CliInvocation::kRun;
        inv.command = &c;
        inv.arguments = positional;
        return inv;
    }
    return Refuse(QStringLiteral("unknown command %1. Try --help.").arg(QuotedForMessage(word)));
}

}  // namespace quillmar
