// A drive letter is the card's own root: there is no mount point to miss.
#include "cli/cli_card_target.h"

namespace quillmar {

int CheckCardIsMounted(const CliContext&, const std::string&) { return kExitOk; }

}  // namespace quillmar
