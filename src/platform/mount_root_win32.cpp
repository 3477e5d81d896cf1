// Whether a folder is the root of a mounted volume, as Windows sees it: a drive letter's root or a
// volume's mount folder.
#include "platform/mount_root.h"
#include "platform/win32_text.h"

#include <windows.h>

#include <vector>

namespace quillmar {

bool IsMountedVolumeRoot(const std::string& path) {
    std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) return false;
    if (wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
    // The volume a path lies on is named by its own root; a drive taken out
    // leaves no volume at all.
    std::vector<wchar_t> volume(wide.size() + MAX_PATH);
    if (!GetVolumePathNameW(wide.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return false;
    if (lstrcmpiW(volume.data(), wide.c_str()) != 0) return false;
    return GetDiskFreeSpaceExW(wide.c_str(), nullptr, nullptr, nullptr) != 0;
}

}  // namespace quillmar
