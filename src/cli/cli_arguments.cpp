// The check that every raw command-line argument is valid UTF-8.
#include "cli/cli_arguments.h"

#include "cli/cli_text.h"
#include "platform/text_encoding.h"

namespace quillmar {

std::string RefuseInvalidUtf8Arguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (!IsValidUtf8(argv[i]))
            return "argument " + std::to_string(i) + ", " + QuotedForMessage(argv[i]) +
                   ", is not valid UTF-8 text; names and values must be UTF-8.";
    }
    return {};
}

}  // namespace quillmar
