// Text from the ANSI code page on Windows.
#include "platform/system_text.h"

#include "platform/wide_text_win32.h"

namespace quillmar {

std::string SystemTextToUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return Utf8FromWide(wide);
}

}  // namespace quillmar
