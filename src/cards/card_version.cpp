// Reading a card's version.txt into the version text its row shows.
#include "cards/card_version.h"

#include "platform/card_file_head.h"
#include "platform/system_text.h"

#include <optional>

namespace quillmar {

namespace {
// The text is read into a buffer of 100 zeroed bytes, so it always ends
// with a zero byte.
constexpr std::size_t kMaxVersionBytes = 99;
}  // namespace

std::string ReadCardVersion(const std::string& root) {
    const std::optional<std::string> bytes = ReadCardFileHead(root, "version.txt", kMaxVersionBytes);
    if (!bytes) return kNoVersionText;
    // A character cut off at byte 99 shows as U+FFFD.
    return SystemTextToUtf8(std::string_view(*bytes).substr(0, bytes->find('\0')));
}

}  // namespace quillmar
