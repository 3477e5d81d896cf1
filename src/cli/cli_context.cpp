// What every command receives: the parsed command line, the output streams and the exit codes.
#include "cli/cli_context.h"

#include <QString>

namespace quillmar {

void CliContext::Print(const QString& text) const {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
}

void CliContext::Error(const QString& text) const {
    const QByteArray bytes = (QStringLiteral("quillmar-cli: ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err);
}

}  // namespace quillmar
