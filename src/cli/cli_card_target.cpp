// The checks that the folder "write --card" names is a mounted card and not the system disk.
#include "cli/cli_card_target.h"

#include "platform/fstab_mount_point.h"

namespace quillmar {

int CheckCardArgument(const CliContext& ctx, const QString& card) {
    if (!card.isEmpty()) return kExitOk;
    ctx.Error(QStringLiteral("--card needs a folder; it is empty."));
    return kExitUsage;
}

int CheckCardIsMounted(const CliContext& ctx, const QString& card, const SystemPaths& paths) {
    const std::optional<QString> point = UnmountedFstabMountPoint(paths, card);
    if (!point) return kExitOk;
    ctx.Error(QStringLiteral("nothing is mounted on \"%1\" (a mount point in %2); insert and mount the card first.")
                  .arg(*point, paths.fstab));
    return kExitFailure;
}

}  // namespace quillmar
