#pragma once
// Checks on the raw command line, before Qt turns it into text: bytes that
// are not UTF-8 would silently become U+FFFD, and a profile name stored that
// way could never be typed again.

#include <QString>

namespace quillmar {

// The message refusing the first argument that is not valid UTF-8, or an
// empty string when every argument is.
QString RefuseInvalidUtf8Arguments(int argc, const char* const* argv);

}  // namespace quillmar
