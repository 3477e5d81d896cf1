// The check that every raw command-line argument is valid UTF-8 before Qt decodes it.
#include "cli/cli_arguments.h"

#include "cli/cli_text.h"

#include <QStringDecoder>

namespace quillmar {

QString RefuseInvalidUtf8Arguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = decode(QByteArrayView(argv[i]));
        if (decode.hasError())
            return QStringLiteral("argument %1, %2, is not valid UTF-8 text; names and values must be UTF-8.")
                .arg(i)
                .arg(QuotedForMessage(text));
    }
    return {};
}

}  // namespace quillmar
