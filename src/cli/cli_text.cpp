// Escaping control characters and shortening long text before it is printed.
#include "cli/cli_text.h"

#include <cstdio>

namespace quillmar {

namespace {

constexpr char32_t kInvalid = 0xffffffff;

// The character starting at `at` and its length in bytes; kInvalid and 1 for
// a byte that does not start a valid, shortest-form UTF-8 character.
std::pair<char32_t, size_t> DecodeAt(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    const size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 0;
    if (length == 0 || lead > 0xf4 || at + length > text.size()) return {kInvalid, 1};
    char32_t c = lead & (0x3f >> (length - 1));
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80) return {kInvalid, 1};
        c = (c << 6) | (byte(at + i) & 0x3f);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff)) return {kInvalid, 1};
    return {c, length};
}

bool IsControl(char32_t c) {
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) return true;
    // Unicode format controls that reorder or break what a terminal shows.
    return c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0x200e ||
           c == 0x200f || c == 0x061c;
}

std::string Formatted(const char* format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The byte length of the first `maxChars` characters of `text`.
size_t BytesOfChars(std::string_view text, size_t maxChars) {
    size_t at = 0;
    for (size_t n = 0; n < maxChars && at < text.size(); ++n) at += DecodeAt(text, at).second;
    return at;
}

size_t CharCount(std::string_view text) {
    size_t n = 0;
    for (size_t at = 0; at < text.size(); ++n) at += DecodeAt(text, at).second;
    return n;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto [c, length] = DecodeAt(text, at);
        if (c == kInvalid)
            shown += Formatted("\\x%02x", static_cast<unsigned char>(text[at]));
        else if (c == U'\r')
            shown += "\\r";
        else if (c == U'\n')
            shown += "\\n";
        else if (c == U'\t')
            shown += "\\t";
        else if (IsControl(c))
            shown += Formatted(c <= 0xff ? "\\x%02x" : "\\u{%04x}", static_cast<unsigned>(c));
        else
            shown.append(text.substr(at, length));
        at += length;
    }
    return shown;
}

std::string QuotedForMessage(std::string_view text, size_t maxChars) {
    const size_t keep = BytesOfChars(text, maxChars);
    if (keep == text.size()) return '"' + EscapeControls(text) + '"';
    return '"' + EscapeControls(text.substr(0, keep)) + "...\" (" + std::to_string(CharCount(text)) + " characters)";
}

std::string CutMessage(std::string_view text, size_t maxChars) {
    const size_t keep = BytesOfChars(text, maxChars);
    return keep == text.size() ? EscapeControls(text) : EscapeControls(text.substr(0, keep)) + "...";
}

std::string_view DropChars(std::string_view text, size_t count) { return text.substr(BytesOfChars(text, count)); }

}  // namespace quillmar
