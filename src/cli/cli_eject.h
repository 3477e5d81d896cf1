#pragma once
// Ejecting cards from the command line: never with a password dialog, which
// nobody at a terminal would see.

#include "platform/card_eject.h"

#include <string>

namespace quillmar {

EjectOutcome EjectFromCommandLine(const std::string& root);

}  // namespace quillmar
