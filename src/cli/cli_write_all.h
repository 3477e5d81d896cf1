#pragma once
// The parts of "write" that go beyond one card folder.

#include "cli/cli_context.h"
#include "settings/settings_selection.h"

#include <string>

namespace quillmar {

// write --all-cards: every card the cards command lists.
int RunWriteAllCards(const CliContext& ctx);
// write --eject, after a successful write to `root`.
int EjectAfterWrite(const CliContext& ctx, const std::string& root);
// "/media/card/" -> "/media/card", as mount points are listed.
std::string MountDirOfCardRoot(const std::string& root);

// kExitUsage, with the reason, for settings that erase the card when
// --yes-format was not given; else kExitOk.
int RefuseFormatWithoutConsent(const CliContext& ctx, const SettingsSelection& selection);

}  // namespace quillmar
