#pragma once
// The names of the temporaries the durable writer puts beside a file, so that
// a later writer can tell its own leftovers from anything else.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmar {

// "." + name + ".tmp" + 1 to 7 characters of [0-9a-z], from `random`.
std::string DurableTemporaryName(std::string_view fileName, std::uint32_t random);

// True exactly for names DurableTemporaryName gives for `fileName`.
bool IsDurableTemporaryName(std::string_view entry, std::string_view fileName);

}  // namespace quillmar
