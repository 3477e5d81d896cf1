#pragma once
// UTF-8 <-> UTF-16 for the Windows W functions, and system errors in words.

#include <string>
#include <string_view>

namespace quillmar {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// The system's text for a GetLastError code, without the trailing line end.
std::string SystemErrorText(unsigned long code);

}  // namespace quillmar
