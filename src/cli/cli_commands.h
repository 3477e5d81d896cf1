#pragma once
// Entry points of the commands, one per command word.

#include "cli/cli_context.h"

namespace quillmar {

int RunPrint(const CliContext& ctx);
int RunWrite(const CliContext& ctx);
int RunProfiles(const CliContext& ctx);
int RunSave(const CliContext& ctx);
int RunDelete(const CliContext& ctx);
int RunCards(const CliContext& ctx);
int RunRead(const CliContext& ctx);
int RunEject(const CliContext& ctx);

}  // namespace quillmar
