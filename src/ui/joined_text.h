#pragma once
// Joining UTF-8 texts for messages: "a, b, c".

#include <string>
#include <string_view>
#include <vector>

namespace quillmar {

inline std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += separator;
        text += parts[i];
    }
    return text;
}

}  // namespace quillmar
