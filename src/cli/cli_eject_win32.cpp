// Windows has no eject in this tool yet: it says so, and nothing is touched.
#include "cli/cli_eject.h"

namespace quillmar {

CliEjectOutcome EjectFromCommandLine(const std::string&) {
    CliEjectOutcome outcome;
    outcome.message = "eject is not available on Windows; use \"Safely Remove Hardware\" before pulling the card.";
    return outcome;
}

}  // namespace quillmar
