#pragma once
// Text in the system's 8-bit encoding, as small files on a card hold it.

#include <string>
#include <string_view>

namespace quillmar {

// UTF-8 for bytes in the system's encoding: the ANSI code page on Windows,
// UTF-8 elsewhere. Every byte that does not decode becomes U+FFFD, so the
// result is always valid UTF-8.
std::string SystemTextToUtf8(std::string_view bytes);

}  // namespace quillmar
