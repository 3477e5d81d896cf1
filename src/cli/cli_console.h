#pragma once
// The command line and the console as UTF-8, whatever the system speaks.

#include <string>
#include <vector>

namespace quillmar {

// Every argument, the program's name first, as UTF-8 bytes; sets the console
// up so that UTF-8 written to it shows right. One file per system:
// cli_console_*.cpp.
std::vector<std::string> Utf8CommandLine(int argc, char** argv);

}  // namespace quillmar
