#pragma once
// Replaces a file so that a crash, a full disk or a pulled card leaves either
// the old file or the new one, never a mix, an empty file or a stray temporary.

#include "platform/write_outcome.h"

#include <chrono>
#include <filesystem>
#include <string_view>

namespace quillmar {

// Writes `data` to a temporary file beside `path`, flushes it to the device,
// renames it over `path` and flushes what the system lets us flush of the
// folder. A symbolic link at `path` is replaced, never followed. An existing
// regular file keeps its permission bits; one marked read-only is refused.
// Bits and folder syncs a file system cannot keep (FAT, exFAT) are skipped:
// the content is what counts there. Our own temporaries older than a minute,
// left by a killed writer or a pulled card, are removed first. On failure
// the old file is untouched and no temporary remains.
WriteOutcome ReplaceFileDurably(const std::filesystem::path& path, std::string_view data);

// Removes our temporaries for `path` (regular files only) last changed at
// least `minimumAge` ago. Best effort: a failure leaves the entry.
void RemoveDurableTemporaries(const std::filesystem::path& path, std::chrono::seconds minimumAge);

// Temporaries this old cannot belong to a writer still at work.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

}  // namespace quillmar
