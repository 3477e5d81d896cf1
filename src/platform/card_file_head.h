#pragma once
// Reads the start of a small file that comes from a card anyone could have
// written.

#include <cstddef>
#include <optional>
#include <string>

namespace quillmar {

// At most `maxBytes` from the start of the file `name` directly in `folder`:
// only a regular file on the same volume as `folder`, never through a link
// (on Windows: no reparse point), never a device, FIFO or folder. Reading
// never blocks on such an entry and never raises a system dialog. Nothing
// when the file is absent or is not such a file.
std::optional<std::string> ReadCardFileHead(const std::string& folder, const std::string& name, std::size_t maxBytes);

}  // namespace quillmar
