// "print" and "write": the camera.conf text for the chosen settings.

#include "cli/cli_card_target.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/cli_selection.h"
#include "cli/cli_write_all.h"
#include "settings/camera_conf.h"

namespace quillmar {

int RefuseFormatWithoutConsent(const CliContext& ctx, const SettingsSelection& selection) {
    if (!FormatsCard(selection) || ctx.options.Has(CliOption::kYesFormat)) return kExitOk;
    ctx.Error(
        "these settings have format=true: the camera would erase the whole card, photos and videos included, "
        "when it next starts. Nothing was written. Give --yes-format to write them anyway, or --set format=false.");
    return kExitUsage;
}

int RunPrint(const CliContext& ctx) {
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    const std::string bytes = BuildCameraConfText(selection, std::time(nullptr));
    if (std::fwrite(bytes.data(), 1, bytes.size(), ctx.out) != bytes.size() || std::fflush(ctx.out) != 0) {
        ctx.Error("cannot write to standard output.");
        return kExitFailure;
    }
    return kExitOk;
}

int RunWrite(const CliContext& ctx) {
    if (ctx.options.Has(CliOption::kAllCards)) return RunWriteAllCards(ctx);
    if (!ctx.options.Has(CliOption::kCard)) {
        ctx.Error("write needs --card DIR.");
        return kExitUsage;
    }
    std::string root = ctx.options.Value(CliOption::kCard);
    if (const int rc = CheckCardArgument(ctx, root); rc != kExitOk) return rc;
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    if (const int rc = RefuseFormatWithoutConsent(ctx, selection); rc != kExitOk) return rc;
    if (const int rc = CheckCardIsMounted(ctx, root); rc != kExitOk) return rc;
    if (!root.ends_with('/')) root += '/';
    const WriteOutcome outcome = WriteCameraConf(root, BuildCameraConfText(selection, std::time(nullptr)));
    if (!outcome) {
        ctx.Error(outcome.error);
        return kExitFailure;
    }
    if (ctx.options.Has(CliOption::kEject)) return EjectAfterWrite(ctx, root);
    return kExitOk;
}

}  // namespace quillmar
