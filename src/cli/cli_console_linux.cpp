// Linux passes the arguments as bytes; the check for UTF-8 comes later.
#include "cli/cli_console.h"

namespace quillmar {

std::vector<std::string> Utf8CommandLine(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace quillmar
