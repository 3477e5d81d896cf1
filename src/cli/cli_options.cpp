// The options of quillmar-cli and the --set parsing several commands share.
#include "cli/cli_options.h"

#include "cli/cli_text.h"

namespace quillmar {

const std::vector<CliOptionEntry>& CliOptionTable() {
    static const std::vector<CliOptionEntry> kTable = {
        {CliOption::kSet, "--set", "KEY=OPTION", "Choose OPTION for setting KEY (repeatable)."},
        {CliOption::kSyncClock, "--sync-clock", nullptr, "Add the sync_clock line with the local time."},
        {CliOption::kCard, "--card", "DIR",
         "The card folder that receives camera.conf; for cards, one more card row (repeatable)."},
        {CliOption::kConfig, "--config", "PATH", "The profile file (default: cfg.ini in the working directory)."},
        {CliOption::kUserConfig, "--user-config", nullptr,
         "Use the user's profile file: $XDG_CONFIG_HOME/quillmar/cfg.ini (~/.config/quillmar/cfg.ini when that is "
         "unset), on Windows %APPDATA%\\Quillmar\\cfg.ini; its folder is made when missing."},
        {CliOption::kProfile, "--profile", "NAME", "The profile to use or save."},
        {CliOption::kNoSyncClock, "--no-sync-clock", nullptr,
         "Leave the sync_clock line out, whatever the profile says."},
        {CliOption::kJson, "--json", nullptr, "Print the cards, or a card's settings, as JSON."},
        {CliOption::kFromCard, "--from-card", "DIR",
         "Start from the settings in DIR/camera.conf; settings it lacks keep theirs."},
        {CliOption::kAllCards, "--all-cards", nullptr,
         "Write to every card that cards lists, --card folders included."},
        {CliOption::kEject, "--eject", nullptr, "After a successful write, unmount the card and power it off."},
        {CliOption::kYesFormat, "--yes-format", nullptr,
         "Write even when the settings have format=true, which makes the camera erase the card."},
        {CliOption::kExplain, "--explain", nullptr, "List every mounted volume with why it is or is not a card."},
    };
    return kTable;
}

const CliOptionEntry& EntryOf(CliOption option) {
    for (const CliOptionEntry& entry : CliOptionTable())
        if (entry.id == option) return entry;
    return CliOptionTable().front();  // unreachable: every option has an entry
}

std::string OptionWithValue(CliOption option) {
    const CliOptionEntry& entry = EntryOf(option);
    return entry.value ? std::string(entry.name) + ' ' + entry.value : std::string(entry.name);
}

const std::string& CliOptions::Value(CliOption option) const {
    static const std::string kNone;
    const auto it = given.find(option);
    return it == given.end() || it->second.empty() ? kNone : it->second.back();
}

const std::vector<std::string>& CliOptions::Values(CliOption option) const {
    static const std::vector<std::string> kNone;
    const auto it = given.find(option);
    return it == given.end() ? kNone : it->second;
}

namespace {

std::string ValidKeyList() {
    std::string names;
    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < KeyCount(s); ++k)
            if (OptionCount(s, k) > 0) names += (names.empty() ? "" : ", ") + KeyName(s, k);
    return names;
}

std::string ValidOptionList(int section, int key) {
    std::string texts;
    for (int i = 0; i < OptionCount(section, key); ++i)
        texts += (i == 0 ? "\"" : ", \"") + OptionText(section, key, i) + '"';
    return texts;
}

}  // namespace

ParsedOverrides ParseSettingOverrides(const std::vector<std::string>& items) {
    ParsedOverrides parsed;
    for (const std::string& item : items) {
        const size_t eq = item.find('=');
        if (eq == std::string::npos) {
            parsed.error = "--set " + QuotedForMessage(item) + " is not KEY=OPTION.";
            return parsed;
        }
        const std::string name = item.substr(0, eq);
        const std::string option = item.substr(eq + 1);
        int section = 0;
        int key = 0;
        if (!FindKeyByName(name, &section, &key) || OptionCount(section, key) == 0) {
            parsed.error =
                name == KeyName(keys::kSyncClock.section, keys::kSyncClock.key)
                    ? "sync_clock has no options; use --sync-clock."
                    : "unknown setting " + QuotedForMessage(name) + ". Valid settings: " + ValidKeyList() + ".";
            return parsed;
        }
        int index = -1;
        for (int i = 0; i < OptionCount(section, key) && index < 0; ++i)
            if (OptionText(section, key, i) == option) index = i;
        if (index < 0) {
            parsed.error = "unknown option " + QuotedForMessage(item.substr(eq + 1)) + " for " + name +
                           ". Valid options: " + ValidOptionList(section, key) + ".";
            return parsed;
        }
        parsed.overrides.push_back({{section, key}, index});
    }
    return parsed;
}

}  // namespace quillmar
