#pragma once
// Runs the built quillmar-cli and collects what it printed.

#include <QProcess>

namespace quillmar::test_support {

struct CliRun {
    int exit_code = -1;
    QByteArray out, err;
};

inline CliRun RunCli(const QStringList& args, const QString& workDir = QString(),
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(QUILLMAR_CLI_PATH), args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace quillmar::test_support
