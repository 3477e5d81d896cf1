#include "cli/cli_commands.h"

const QList<CliCommand>& CliCommands() {
    static const QList<CliCommand> commands = {
        {"print", "print [--set KEY=OPTION]... [--sync-clock]\n"
                  "    Print the camera.conf bytes for the chosen settings.",
         RunPrint},
        {"write", "write --card DIR [--set KEY=OPTION]... [--sync-clock]\n"
                  "    Write the chosen settings as DIR/camera.conf.",
         RunWrite},
        {"cards", "cards [--json] [--card DIR]...\n"
                  "    List the removable drives, then each DIR, with label, space and version.",
         RunCards},
    };
    return commands;
}
