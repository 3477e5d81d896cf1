// Time zone through the C runtime, file ages through SetFileTime.
#include "support/test_system.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>

namespace quillmar::test_support {

void SetTimeZone(const std::string& tz) {
    ::_putenv(("TZ=" + tz).c_str());  // "TZ=" removes it
    ::_tzset();
}

bool SetFileAge(const std::filesystem::path& path, int seconds) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    ticks.QuadPart -= ULONGLONG(seconds) * 10'000'000ULL;  // 100-nanosecond ticks
    const FILETIME then{ticks.LowPart, ticks.HighPart};
    const bool set = ::SetFileTime(file, nullptr, &then, &then);
    ::CloseHandle(file);
    return set;
}

}  // namespace quillmar::test_support
