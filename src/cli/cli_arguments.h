#pragma once
// Checks on the raw command line: bytes that are not UTF-8 cannot be stored
// in a profile file that is read as UTF-8, and a name stored with them
// could never be typed again.

#include <string>

namespace quillmar {

// The message refusing the first argument that is not valid UTF-8, or an
// empty string when every argument is.
std::string RefuseInvalidUtf8Arguments(int argc, const char* const* argv);

}  // namespace quillmar
