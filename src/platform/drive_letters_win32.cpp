// The Windows drive source: drive letters of removable drives holding a medium, and why each letter is or is not a
// card.
#include "platform/drive_letter_decision.h"
#include "platform/drive_source.h"
#include "platform/wide_text_win32.h"

#include <winioctl.h>

#include <cwctype>

namespace quillmar {

namespace {

// "C:\", "E:\", ... in ascending order, as the system gives them.
std::vector<std::wstring> LogicalDriveRoots() {
    const DWORD needed = ::GetLogicalDriveStringsW(0, nullptr);
    if (needed == 0) return {};
    std::wstring buffer(needed + 4, L'\0');
    const DWORD filled = ::GetLogicalDriveStringsW(needed, buffer.data());
    // A drive that arrived between the two calls makes the buffer too small.
    if (filled == 0 || filled > needed) return {};
    std::vector<std::wstring> roots;
    for (const wchar_t* root = buffer.c_str(); *root != L'\0'; root += roots.back().size() + 1)
        roots.emplace_back(root);
    return roots;
}

wchar_t DriveLetterOf(const wchar_t* path) {
    return path[0] != L'\0' && path[1] == L':' ? static_cast<wchar_t>(std::towupper(path[0])) : L'\0';
}

// The letter of the Windows folder and that of the system folder (the same
// on every usual installation).
std::wstring WindowsLetters() {
    wchar_t folder[MAX_PATH + 1] = {};
    std::wstring letters;
    if (const UINT n = ::GetWindowsDirectoryW(folder, MAX_PATH + 1); n > 0 && n <= MAX_PATH)
        letters += DriveLetterOf(folder);
    if (const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH + 1); n > 0 && n <= MAX_PATH)
        letters += DriveLetterOf(folder);
    return letters;
}

bool IsNoMediumError(DWORD error) {
    return error == ERROR_NOT_READY || error == ERROR_NO_MEDIA_IN_DRIVE || error == ERROR_DEV_NOT_EXIST;
}

// Asked without reading the medium: a card reader's empty slot answers at
// once. A drive that does not understand the question is asked for its
// volume, which an empty slot also refuses at once.
bool HasMedium(const std::wstring& root) {
    const std::wstring device = L"\\\\.\\" + root.substr(0, 2);
    const UniqueHandle drive(::CreateFileW(device.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    if (drive.Valid()) {
        DWORD returned = 0;
        if (::DeviceIoControl(drive.Get(), IOCTL_STORAGE_CHECK_VERIFY2, nullptr, 0, nullptr, 0, &returned, nullptr))
            return true;
        if (IsNoMediumError(::GetLastError())) return false;
    }
    if (::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) return true;
    return !IsNoMediumError(::GetLastError());
}

DriveLetterFacts FactsOf(const std::wstring& root, const std::wstring& windowsLetters) {
    DriveLetterFacts facts;
    facts.type = ::GetDriveTypeW(root.c_str());
    const wchar_t letter = DriveLetterOf(root.c_str());
    facts.holds_windows = letter != L'\0' && windowsLetters.find(letter) != std::wstring::npos;
    if (facts.type == DRIVE_REMOVABLE && !facts.holds_windows) facts.has_medium = HasMedium(root);
    return facts;
}

class DriveLetterSource : public DriveSource {
public:
    std::vector<std::string> RemovableRoots() override {
        const QuietDriveErrors quiet;
        const std::wstring windowsLetters = WindowsLetters();
        std::vector<std::string> roots;
        for (const std::wstring& root : LogicalDriveRoots())
            if (DecideDriveLetter(FactsOf(root, windowsLetters)).card) roots.push_back(Utf8FromWide(root));
        return roots;
    }

    std::string VolumeLabel(const std::string& root) override {
        const QuietDriveErrors quiet;
        wchar_t name[MAX_PATH] = {};
        if (!::GetVolumeInformationW(WideFromUtf8(root).c_str(), name, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0))
            return {};
        return Utf8FromWide(name);
    }

    std::optional<VolumeSpace> Space(const std::string& root) override {
        const QuietDriveErrors quiet;
        ULARGE_INTEGER available{}, total{}, free{};
        if (!::GetDiskFreeSpaceExW(WideFromUtf8(root).c_str(), &available, &total, &free)) return std::nullopt;
        return VolumeSpace{total.QuadPart, free.QuadPart};
    }
};

}  // namespace

std::unique_ptr<DriveSource> OpenSystemDrives() { return std::make_unique<DriveLetterSource>(); }

std::vector<DriveExplanation> ExplainSystemDrives() {
    const QuietDriveErrors quiet;
    const std::wstring windowsLetters = WindowsLetters();
    std::vector<DriveExplanation> rows;
    for (const std::wstring& root : LogicalDriveRoots()) {
        const DriveLetterFacts facts = FactsOf(root, windowsLetters);
        DriveLetterVerdict verdict = DecideDriveLetter(facts);
        rows.push_back({Utf8FromWide(root),
                        {},
                        DriveTypeName(facts.type),
                        verdict.card,
                        std::move(verdict.code),
                        std::move(verdict.reason)});
    }
    return rows;
}

}  // namespace quillmar
