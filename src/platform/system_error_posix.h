#pragma once
// The system's words for an errno value.

#include <cstring>
#include <string>

namespace quillmar {

inline std::string ErrnoText(int err) { return std::strerror(err); }

}  // namespace quillmar
