#pragma once
// The profile file as the commands see it: where it is, and loading it with
// the failures reported in the tool's words.

#include "cli/cli_context.h"
#include "profiles/profile_store.h"

#include <string>

namespace quillmar {

// --config, --user-config (its folder made here), or cfg.ini in the working
// directory.
std::string ConfigPath(const CliContext& ctx);

// print and write use a profile when something exists at the profile file's
// path (given by --config or not); otherwise they keep to the schema's
// defaults, whatever --profile names.
bool ProfileFileInPlay(const CliContext& ctx);

// The listed names, each quoted and escaped, for a message.
std::string ListedNames(const ProfileStore& store);

// Loads the profiles of the store's file. Returns kExitOk, or kExitFailure
// after reporting why the file could not be read or written.
int LoadProfileStore(const CliContext& ctx, ProfileStore& store, ProfileFileAccess access);

// Makes the profile named by --profile current and applies it; without
// --profile the first profile, applied by loading, stays. Returns kExitOk,
// kExitUsage for an unknown name, or kExitFailure for an unreadable file.
int ApplyChosenProfile(const CliContext& ctx, ProfileStore& store);

}  // namespace quillmar
