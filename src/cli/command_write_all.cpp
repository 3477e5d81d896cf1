// "write --all-cards": the same camera.conf onto every card at once, and
// "write --eject": the card ejected once it holds the file.

#include "cards/card_list.h"
#include "cli/cli_commands.h"
#include "cli/cli_eject.h"
#include "cli/cli_options.h"
#include "cli/cli_selection.h"
#include "cli/cli_write_all.h"
#include "settings/camera_conf.h"

#include <algorithm>
#include <map>

namespace quillmar {

int EjectAfterWrite(const CliContext& ctx, const std::string& root) {
    const CliEjectOutcome outcome = EjectFromCommandLine(root);
    if (!outcome.Unmounted()) {
        ctx.Error("camera.conf was written, but the card was not ejected: " + outcome.message);
        return kExitFailure;
    }
    PrintUnmounted(ctx, outcome);
    return kExitOk;
}

int RunWriteAllCards(const CliContext& ctx) {
    const std::vector<std::string>& folders = ctx.options.Values(CliOption::kCard);
    // An empty DIR would be taken as the working folder.
    if (std::find(folders.begin(), folders.end(), std::string()) != folders.end()) {
        ctx.Error("--card needs a folder; an empty one is refused.");
        return kExitUsage;
    }
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    if (const int rc = RefuseFormatWithoutConsent(ctx, selection); rc != kExitOk) return rc;
    // One text for all: every card gets the same bytes, clock line included.
    const auto text = BuildCameraConfText(selection, std::time(nullptr));
    const std::vector<std::string> roots = ListCardRoots(*OpenSystemDrives(), folders);
    if (roots.empty()) {
        ctx.Error("no cards found: no removable drive holds a mounted card, and no --card was given.");
        return kExitFailure;
    }

    // Every card is written before any is ejected: ejecting one drive may
    // unmount another listed card of the same drive.
    std::vector<WriteOutcome> written;
    for (const std::string& root : roots) written.push_back(WriteCameraConf(root, text));

    const bool eject = ctx.options.Has(CliOption::kEject);
    const std::string erased = FormatsCard(selection) ? "; the camera will erase this card when it next starts" : "";
    std::map<std::string, CliEjectOutcome> takenOff;  // mount points an earlier eject took off, with its outcome
    size_t failed = 0;
    for (size_t i = 0; i < roots.size(); ++i) {
        const std::string& root = roots[i];
        std::string line = root + ": ";
        if (!written[i]) {
            line += "not written: " + written[i].error;
            ++failed;
        } else if (!eject) {
            line += "written" + erased;
        } else if (const auto earlier = takenOff.find(MountDirOfCardRoot(root)); earlier != takenOff.end()) {
            line += earlier->second.status == CliEjectOutcome::kPoweredOff
                        ? "written, ejected with its drive"
                        : "written, " + EjectResultWords(earlier->second);
            line += erased;
            if (!earlier->second.Unmounted()) ++failed;
        } else {
            const CliEjectOutcome outcome = EjectFromCommandLine(root);
            for (const std::string& mount : outcome.unmounted) takenOff.emplace(mount, outcome);
            line += "written, " + EjectResultWords(outcome) + erased;
            if (!outcome.Unmounted()) ++failed;
        }
        ctx.Print(line + '\n');
    }
    std::fflush(ctx.out);
    if (failed > 0) {
        ctx.Error(std::to_string(failed) + " of " + std::to_string(roots.size()) + " cards failed.");
        return kExitFailure;
    }
    return kExitOk;
}

std::string MountDirOfCardRoot(const std::string& root) {
    return root.size() > 1 && root.ends_with('/') ? root.substr(0, root.size() - 1) : root;
}

}  // namespace quillmar
