// Words shared by every system's whole-file reader.
#include "platform/file_bytes.h"

namespace quillmar {

std::string TooLargeReason(std::uint64_t size, std::uint64_t maxBytes) {
    return "it is too large (" + std::to_string(size) + " bytes; at most " + std::to_string(maxBytes) + " are read)";
}

}  // namespace quillmar
