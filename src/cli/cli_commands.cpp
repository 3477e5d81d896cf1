#include "cli/cli_commands.h"

const QList<CliCommand>& CliCommands() {
    static const QList<CliCommand> commands = {
        {"print", "print [--profile NAME] [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
                  "    Print the camera.conf bytes for the chosen settings: those of profile NAME, or of\n"
                  "    the first profile, when there is a profile file; else the defaults.",
         RunPrint},
        {"write", "write --card DIR [--profile NAME] [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
                  "    Write the chosen settings, as print chooses them, as DIR/camera.conf.",
         RunWrite},
        {"profiles", "profiles\n"
                     "    List the profiles' names, one per line.",
         RunProfiles},
        {"save", "save --profile NAME [--set KEY=OPTION]... [--sync-clock | --no-sync-clock]\n"
                 "    Store profile NAME: an existing one keeps its values except those given, a new\n"
                 "    one starts from the defaults with the clock on.",
         RunSave},
        {"delete", "delete --profile NAME\n"
                   "    Remove profile NAME from the profile file.",
         RunDelete},
        {"cards", "cards [--json] [--explain] [--card DIR]...\n"
                  "    List the removable drives, then each DIR, with label, space and version; with\n"
                  "    --explain, every mounted volume and why it is or is not a card.",
         RunCards},
    };
    return commands;
}
