// The output streams of every command.
#include "cli/cli_context.h"

namespace quillmar {

void CliContext::Print(std::string_view text) const { std::fwrite(text.data(), 1, text.size(), out); }

void CliContext::Error(std::string_view text) const {
    std::string line = "quillmar-cli: ";
    line.append(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), err);
}

}  // namespace quillmar
