// The ANSI code page (GetACP: 1252 on Western systems, 936 on Chinese ones).
#include "platform/legacy_code_page.h"

#include "platform/win32_text.h"

#include <windows.h>

namespace quillmar {

std::optional<std::string> LegacyCodePageToUtf8(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    const UINT page = ::GetACP();
    const int n = ::MultiByteToWideChar(page, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(size_t(n), L'\0');
    ::MultiByteToWideChar(page, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return Utf8FromWide(wide);
}

std::optional<std::string> Utf8ToLegacyCodePage(std::string_view text) {
    if (text.empty()) return std::string();
    const std::wstring wide = WideFromUtf8(text);
    const UINT page = ::GetACP();
    BOOL lost = FALSE;
    // UTF-7 and UTF-8 pages take no "used default" flag.
    BOOL* lostFlag = page == CP_UTF8 || page == CP_UTF7 ? nullptr : &lost;
    const int n = ::WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, lostFlag);
    if (n <= 0 || lost) return std::nullopt;
    std::string out(size_t(n), '\0');
    ::WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace quillmar
