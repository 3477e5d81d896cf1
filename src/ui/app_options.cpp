#include "ui/app_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

AppOptions ParseAppOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes camera settings onto the camera's memory card."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("Offer DIR as a card (repeatable)."), QStringLiteral("DIR"));
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Keep the profiles in PATH instead of ./cfg.ini."),
                                    QStringLiteral("PATH"));
    parser.addOption(card);
    parser.addOption(config);
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
    return {parser.values(card), parser.value(config)};
}

bool AsksOnlyForInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version") return true;
    }
    return false;
}
