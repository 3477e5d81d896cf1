// Windows gives the arguments in UTF-16, prints in the console's code page and
// turns LF into CR LF on a text stream:
// the tool reads the wide command line, asks for UTF-8 and writes bytes.
#include "cli/cli_console.h"

#include "platform/win32_text.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

namespace quillmar {

std::vector<std::string> Utf8CommandLine(int argc, char** argv) {
    ::SetConsoleOutputCP(CP_UTF8);
    // camera.conf goes out as its bytes: no CR added before each LF.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return {argv, argv + argc};
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return args;
}

}  // namespace quillmar
