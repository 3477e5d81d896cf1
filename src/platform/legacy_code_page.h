#pragma once
// The system's own 8-bit code page, in which older programs write text files
// without a byte-order mark (the ANSI code page on Windows). Systems whose
// 8-bit text is UTF-8 have none: bytes that are not UTF-8 are then kept as
// they are.

#include <optional>
#include <string>
#include <string_view>

namespace quillmar {

// `bytes` in the legacy code page as UTF-8; none when the system has no
// legacy code page.
std::optional<std::string> LegacyCodePageToUtf8(std::string_view bytes);
// UTF-8 `text` in the legacy code page; none when a character has no place
// in it or the system has no legacy code page.
std::optional<std::string> Utf8ToLegacyCodePage(std::string_view text);

}  // namespace quillmar
