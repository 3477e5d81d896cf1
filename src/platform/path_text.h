#pragma once
// Paths are std::filesystem::path; text about them (messages, names the user
// typed) is UTF-8 in std::string. These two convert between them on every
// system, whatever its own narrow encoding is.

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmar {

inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace quillmar
