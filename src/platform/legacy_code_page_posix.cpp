// POSIX systems here keep their text in UTF-8: there is no other code page.
#include "platform/legacy_code_page.h"

namespace quillmar {

std::optional<std::string> LegacyCodePageToUtf8(std::string_view) { return std::nullopt; }
std::optional<std::string> Utf8ToLegacyCodePage(std::string_view) { return std::nullopt; }

}  // namespace quillmar
