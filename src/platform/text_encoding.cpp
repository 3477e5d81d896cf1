// UTF-8 checks and UTF-8 <-> UTF-16 conversion, byte order given by the caller.
#include "platform/text_encoding.h"

#include <cstdint>

namespace quillmar {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

char32_t NextUtf8(std::string_view s, size_t& at, bool& valid) {
    valid = false;
    const auto byte = [&](size_t i) { return std::uint8_t(s[i]); };
    const std::uint8_t lead = byte(at);
    size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++at;
        valid = true;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        ++at;
        return kReplacement;
    }
    if (at + length > s.size()) {
        ++at;
        return kReplacement;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        c = c << 6 | (byte(at + i) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return kReplacement;
    }
    at += length;
    valid = true;
    return c;
}

size_t Utf16Length(std::string_view text) {
    size_t units = 0;
    bool valid = true;
    for (size_t at = 0; at < text.size();) units += NextUtf8(text, at, valid) >= 0x10000 ? 2 : 1;
    return units;
}

bool IsValidUtf8(std::string_view bytes) {
    bool valid = true;
    for (size_t at = 0; at < bytes.size() && valid;) NextUtf8(bytes, at, valid);
    return valid;
}

std::string ValidUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    bool valid = true;
    for (size_t at = 0; at < bytes.size();) AppendUtf8(out, NextUtf8(bytes, at, valid));
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](size_t i) {
        const auto b0 = std::uint8_t(bytes[i]);
        const auto b1 = std::uint8_t(bytes[i + 1]);
        return char32_t(bigEndian ? b0 << 8 | b1 : b1 << 8 | b0);
    };
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&](char32_t u) {
        const char high = char(u >> 8);
        const char low = char(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    bool valid = true;
    for (size_t at = 0; at < text.size();) {
        const char32_t c = NextUtf8(text, at, valid);
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

}  // namespace quillmar
