// The checks that the folder "write --card" names is a mounted card and not the system disk.
#include "cli/cli_card_target.h"

#include "cli/cli_core_strings.h"
#include "platform/fstab_mount_point.h"

namespace quillmar {

int CheckCardArgument(const CliContext& ctx, const std::string& card) {
    if (!card.empty()) return kExitOk;
    ctx.Error("--card needs a folder; it is empty.");
    return kExitUsage;
}

int CheckCardIsMounted(const CliContext& ctx, const std::string& card, const SystemPaths& paths) {
    const std::optional<CoreString> point = UnmountedFstabMountPoint(paths, ToCore(card));
    if (!point) return kExitOk;
    ctx.Error("nothing is mounted on \"" + FromCore(*point) + "\" (a mount point in " + FromCore(paths.fstab) +
              "); insert and mount the card first.");
    return kExitFailure;
}

}  // namespace quillmar
