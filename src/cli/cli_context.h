#pragma once
// What every command of quillmar-cli receives: the parsed command line and
// the two output streams.

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

namespace quillmar {

struct CliContext {
    const QCommandLineParser& parser;
    QStringList arguments;  // positional arguments after the command word
    std::FILE* out = stdout;
    std::FILE* err = stderr;

    void Print(const QString& text) const;  // UTF-8 to out
    void Error(const QString& text) const;  // "quillmar-cli: " + text + newline to err
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
    int (*run)(const CliContext&);
};

// Every command of the tool, in the order --help lists them.
const QList<CliCommand>& CliCommands();

}  // namespace quillmar
