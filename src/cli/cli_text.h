#pragma once
// Text from files and command lines made safe to print: control characters
// would let a damaged file or a hostile argument drive the terminal, and an
// argument of a hundred kilobytes has no place in a one-line message.

#include <QString>
#include <QStringView>

namespace quillmar {

// `text` with control characters written as escapes: \r, \n, \t, \xNN (and
// \u{NNNN} for the other Unicode controls, such as line separators and
// direction overrides). Printable text, backslashes included, is unchanged.
QString EscapeControls(QStringView text);

// `text` escaped, cut to at most `maxChars` characters of the original (a
// cut one ends with "...", followed by its full length), in double quotes.
QString QuotedForMessage(QStringView text, qsizetype maxChars = 80);

// A whole message that may hold an argument: escaped and cut to `maxChars`.
QString CutMessage(QStringView text, qsizetype maxChars = 300);

}  // namespace quillmar
