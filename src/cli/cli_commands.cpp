// The table of command words, with each command's help text, options and entry point.
#include "cli/cli_commands.h"

namespace quillmar {

const std::vector<CliCommand>& CliCommands() {
    using enum CliOption;
    static const std::vector<CliCommand> kCommands = {
        {"print",
         "print [--profile NAME] [--from-card DIR] [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
         "    Print the camera.conf bytes for the chosen settings: those of profile NAME, or of\n"
         "    the first profile, when there is a profile file; else the defaults.",
         {kProfile, kFromCard, kSet, kSyncClock, kNoSyncClock, kConfig, kUserConfig},
         RunPrint},
        {"write",
         "write --card DIR [--profile NAME] [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
         "      [--from-card DIR] [--eject] [--yes-format]\n"
         "    Write the chosen settings, as print chooses them, as DIR/camera.conf. Settings with\n"
         "    format=true, which make the camera erase the card, need --yes-format.\n"
         "  write --all-cards [--card DIR]... [other write options]\n"
         "    Write them to every card that cards lists; one line per card.",
         {kCard, kAllCards, kProfile, kFromCard, kSet, kSyncClock, kNoSyncClock, kEject, kYesFormat, kConfig,
          kUserConfig},
         RunWrite},
        {"profiles",
         "profiles\n"
         "    List the profiles' names, one per line.",
         {kConfig, kUserConfig},
         RunProfiles},
        {"save",
         "save --profile NAME [--from-card DIR] [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
         "    Store profile NAME: an existing one keeps its values except those given, a new\n"
         "    one starts from the defaults with the clock on. A new name has 1 to 16 characters.",
         {kProfile, kFromCard, kSet, kSyncClock, kNoSyncClock, kConfig, kUserConfig},
         RunSave},
        {"delete",
         "delete --profile NAME\n"
         "    Remove profile NAME from the profile file.",
         {kProfile, kConfig, kUserConfig},
         RunDelete},
        {"cards",
         "cards [--json] [--explain] [--card DIR]...\n"
         "    List the removable drives, then each DIR, with label, space and version; with\n"
         "    --explain, every mounted volume and why it is or is not a card.",
         {kJson, kExplain, kCard},
         RunCards},
        {"read",
         "read --card DIR [--json]\n"
         "    Print the settings in DIR/camera.conf and the lines the camera would not understand.",
         {kCard, kJson},
         RunRead},
        {"eject",
         "eject --card DIR\n"
         "    Unmount every file system of the card's drive, then power the drive off.",
         {kCard},
         RunEject},
    };
    return kCommands;
}

}  // namespace quillmar
