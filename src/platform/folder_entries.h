#pragma once
// The names in a folder, and the local time: the last two things the core
// asks of the system about files and clocks.

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmar {

// Every entry's name (UTF-8), "." and ".." left out, in the folder's own
// order; empty when the folder cannot be listed.
std::vector<std::string> ListFolderEntries(const std::filesystem::path& folder);

// `when` broken down in the system's local time zone.
std::tm LocalTime(std::time_t when);

}  // namespace quillmar
