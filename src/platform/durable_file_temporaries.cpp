// Names of the durable writer's temporaries.
#include "platform/durable_file_temporaries.h"

namespace quillmar {

namespace {

constexpr std::string_view kTmpMarker = ".tmp";
constexpr size_t kMaxSuffix = 7;  // a 32-bit number in base 36

bool IsSuffixChar(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string DurableTemporaryName(std::string_view fileName, std::uint32_t random) {
    std::string suffix;
    do {
        const unsigned digit = random % 36;
        suffix.insert(suffix.begin(), char(digit < 10 ? '0' + digit : 'a' + digit - 10));
        random /= 36;
    } while (random != 0);
    return "." + std::string(fileName) + std::string(kTmpMarker) + suffix;
}

bool IsDurableTemporaryName(std::string_view entry, std::string_view fileName) {
    const size_t prefix = 1 + fileName.size() + kTmpMarker.size();
    if (entry.size() <= prefix || entry.size() - prefix > kMaxSuffix || entry.front() != '.' ||
        entry.substr(1, fileName.size()) != fileName ||
        entry.substr(1 + fileName.size(), kTmpMarker.size()) != kTmpMarker)
        return false;
    for (const char c : entry.substr(prefix))
        if (!IsSuffixChar(c)) return false;
    return true;
}

}  // namespace quillmar
