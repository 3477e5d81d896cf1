#pragma once
// Turns the command line into what to do, without doing any of it.

#include "cli/cli_context.h"

#include <QCommandLineParser>
#include <QStringList>

namespace quillmar {

struct CliInvocation {
    enum Action { kRun, kHelp, kVersion, kRefused };
    Action action = kRefused;
    const CliCommand* command = nullptr;  // set for kRun
    QStringList arguments;                // positional arguments after the command word
    QString error;                        // set for kRefused
};

// Sets up `parser` with every option of the tool.
void ConfigureCliParser(QCommandLineParser& parser);

// `args` includes the program name, as QCoreApplication::arguments() does.
CliInvocation ParseCliInvocation(QCommandLineParser& parser, const QStringList& args);

}  // namespace quillmar
