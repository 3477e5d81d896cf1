// Parsing the program's command line: card folders, the profile file and the user-config path.
#include "ui/app_options_qt.h"

#include "platform/qt_text_bridge.h"

#include "platform/user_config_path.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace quillmar {

AppOptions ParseAppOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes camera settings onto the camera's memory card."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption card(QStringLiteral("card"), QStringLiteral("Offer DIR as a card (repeatable)."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Keep the profiles in PATH instead of ./cfg.ini."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption userConfig(
        QStringLiteral("user-config"),
        QStringLiteral("Keep the profiles in $XDG_CONFIG_HOME/quillmar/cfg.ini (default: "
                       "~/.config/quillmar/cfg.ini); the folder is made when missing."));
    parser.addOption(card);
    parser.addOption(config);
    parser.addOption(userConfig);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("quillmar %s\n", qPrintable(QCoreApplication::applicationVersion()));
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "Unexpected argument: %s\n", qPrintable(parser.positionalArguments().first()));
        std::exit(2);
    }
    if (parser.isSet(config) && parser.isSet(userConfig)) {
        std::fputs("--config and --user-config name two different profile files; give one.\n", stderr);
        std::exit(2);
    }
    AppOptions options;
    for (const QString& folder : parser.values(card)) options.card_folders.push_back(ToUtf8(folder));
    options.config_path = parser.isSet(userConfig) ? UserConfigPath() : ToUtf8(parser.value(config));
    return options;
}

bool AsksOnlyForInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version") return true;
    }
    return false;
}

}  // namespace quillmar
