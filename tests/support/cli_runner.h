#pragma once
// Runs the built quillmar-cli and collects what it printed.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace quillmar {

namespace test_support {

struct CliRun {
    int exit_code = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun RunCli(const QStringList& args, const QString& workDir = QString(),
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(QUILLMAR_CLI_PATH), args);
    CliRun run;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return run;
    run.exit_code = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

}  // namespace test_support

}  // namespace quillmar
