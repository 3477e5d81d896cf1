#pragma once
// Parsing the command line on Linux, with Qt's parser.

#include "ui/app_options.h"

#include <QStringList>

namespace quillmar {

// Parses the arguments (program name first). --help and --version print
// and exit; an unknown option prints the error and exits with status 2.
AppOptions ParseAppOptions(const QStringList& arguments);

// True when the command line only asks for --help or --version, which can
// be answered without a window system.
bool AsksOnlyForInformation(int argc, char* argv[]);

}  // namespace quillmar
