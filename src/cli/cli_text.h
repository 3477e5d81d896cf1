#pragma once
// Text from files and command lines made safe to print: control characters
// would let a damaged file or a hostile argument drive the terminal, and an
// argument of a hundred kilobytes has no place in a one-line message.
// All text is UTF-8; a byte that is not part of a valid character is shown
// as \xNN.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmar {

// `text` with control characters written as escapes: \r, \n, \t, \xNN (and
// \u{NNNN} for the other Unicode controls, such as line separators and
// direction overrides). Printable text, backslashes included, is unchanged.
std::string EscapeControls(std::string_view text);

// `text` escaped, cut to at most `maxChars` characters of the original (a
// cut one ends with "...", followed by its full length), in double quotes.
std::string QuotedForMessage(std::string_view text, size_t maxChars = 80);

// A whole message that may hold an argument: escaped and cut to `maxChars`.
std::string CutMessage(std::string_view text, size_t maxChars = 300);

// `text` without its first `count` characters.
std::string_view DropChars(std::string_view text, size_t count);

}  // namespace quillmar
