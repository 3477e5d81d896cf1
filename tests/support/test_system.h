#pragma once
// What a test changes in the system the same way everywhere, done once per
// system (test_system_posix.cpp, test_system_win32.cpp).

#include <filesystem>
#include <string>

namespace quillmar::test_support {

// The local time zone of this process as a TZ value ("JST-9"); empty for the system's.
void SetTimeZone(const std::string& tz);

// Sets the entry's modification time `seconds` into the past; a link's own,
// not its target's. False when the system refuses.
bool SetFileAge(const std::filesystem::path& path, int seconds);

}  // namespace quillmar::test_support
