// A folder that /etc/fstab names as a mount point but where nothing is mounted
// is the system disk's folder, not the card.
#include "cli/cli_card_target.h"

#include "platform/fstab_mount_point.h"
#include "platform/qt_text_bridge.h"

namespace quillmar {

int CheckCardIsMounted(const CliContext& ctx, const std::string& card) {
    const SystemPaths paths;
    const std::optional<QString> point = UnmountedFstabMountPoint(paths, FromUtf8(card));
    if (!point) return kExitOk;
    ctx.Error("nothing is mounted on \"" + ToUtf8(*point) + "\" (a mount point in " + ToUtf8(paths.fstab) +
              "); insert and mount the card first.");
    return kExitFailure;
}

}  // namespace quillmar
