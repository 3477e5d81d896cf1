#pragma once
// Conversions between UTF-8 (the core's text) and UTF-16 (INI files with a
// byte-order mark). Invalid input never fails: what does not decode becomes
// U+FFFD.

#include <string>
#include <string_view>

namespace quillmar {

// The code point at `at`, advancing `at`; U+FFFD for one byte that starts no
// valid sequence (overlong forms and surrogates included), `valid` then false.
char32_t NextUtf8(std::string_view text, size_t& at, bool& valid);
// The number of UTF-16 units of `text`, a byte that starts no valid sequence
// counting as one: what a list row of the window has room for.
size_t Utf16Length(std::string_view text);

bool IsValidUtf8(std::string_view bytes);
// `bytes` with every byte that starts no valid UTF-8 sequence as U+FFFD.
std::string ValidUtf8(std::string_view bytes);

// `bytes` holds UTF-16 units in the given byte order; a lone trailing byte is
// ignored.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
std::string Utf8ToUtf16(std::string_view text, bool bigEndian);

}  // namespace quillmar
