// Folder listings and the local time on Windows.
#include "platform/folder_entries.h"

#include "platform/win32_text.h"

#include <windows.h>

#include <string_view>

namespace quillmar {

std::vector<std::string> ListFolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW((folder / L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name(found.cFileName);
        if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    ::localtime_s(&local, &when);
    return local;
}

}  // namespace quillmar
