#pragma once
// Options of quillmar-cli and the checks shared by several commands.

#include "settings/settings_selection.h"

#include <map>
#include <string>
#include <vector>

namespace quillmar {

enum class CliOption {
    kSet,          // --set KEY=OPTION, repeatable
    kSyncClock,    // --sync-clock
    kNoSyncClock,  // --no-sync-clock
    kCard,         // --card DIR; "cards" and "write --all-cards" take it repeatedly
    kConfig,       // --config PATH
    kUserConfig,   // --user-config: the profile file in the user's configuration folder
    kProfile,      // --profile NAME
    kFromCard,     // --from-card DIR: settings from a card's camera.conf
    kAllCards,     // --all-cards: write to every listed card
    kEject,        // --eject: eject each card written
    kYesFormat,    // --yes-format: a camera.conf that erases the card may be written
    kJson,         // --json
    kExplain,      // --explain
};

struct CliOptionEntry {
    CliOption id;
    const char* name;   // "--set"
    const char* value;  // "KEY=OPTION"; nullptr for a flag
    const char* help;   // one sentence for --help
};

// Every option, in the order --help lists them.
const std::vector<CliOptionEntry>& CliOptionTable();
const CliOptionEntry& EntryOf(CliOption option);
// "--profile NAME", or "--json" for a flag.
std::string OptionWithValue(CliOption option);

// What the command line gave, each value as given (UTF-8 text).
struct CliOptions {
    std::map<CliOption, std::vector<std::string>> given;  // a flag has one empty value per use

    bool Has(CliOption option) const { return given.count(option) > 0; }
    // The value of an option given once; empty when it was not given.
    const std::string& Value(CliOption option) const;
    const std::vector<std::string>& Values(CliOption option) const;
};

struct SettingOverride {
    SettingsKeyRef key;
    int index;
};

struct ParsedOverrides {
    std::vector<SettingOverride> overrides;
    std::string error;  // empty when every item was understood
};

// Parses "KEY=OPTION" items. KEY must be a schema key with options and OPTION
// one of its texts, spelled exactly. A refusal names what was wrong and lists
// what is valid.
ParsedOverrides ParseSettingOverrides(const std::vector<std::string>& items);

}  // namespace quillmar
