// "print" and "write": the camera.conf text for the chosen settings.

#include "cli/cli_card_target.h"

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/cli_selection.h"
#include "cli/cli_write_all.h"
#include "platform/qt_text_bridge.h"
#include "settings/camera_conf.h"

#include <QDir>
#include <QFileInfo>

namespace quillmar {

int RunPrint(const CliContext& ctx) {
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    const QByteArray bytes = BuildCameraConfText(selection, std::time(nullptr)).toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), ctx.out) !=
            static_cast<size_t>(bytes.size()) ||
        std::fflush(ctx.out) != 0) {
        ctx.Error(QStringLiteral("cannot write to standard output."));
        return kExitFailure;
    }
    return kExitOk;
}

int RunWrite(const CliContext& ctx) {
    if (ctx.parser.isSet(cli_option::kAllCards)) return RunWriteAllCards(ctx);
    if (!ctx.parser.isSet(cli_option::kCard)) {
        ctx.Error(QStringLiteral("write needs --card DIR."));
        return kExitUsage;
    }
    QString root = ctx.parser.value(cli_option::kCard);
    if (const int rc = CheckCardArgument(ctx, root); rc != kExitOk) return rc;
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    if (const int rc = CheckCardIsMounted(ctx, root); rc != kExitOk) return rc;
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    const WriteOutcome outcome = WriteCameraConf(root, BuildCameraConfText(selection, std::time(nullptr)));
    if (!outcome) {
        ctx.Error(FromUtf8(outcome.error));
        return kExitFailure;
    }
    if (ctx.parser.isSet(cli_option::kEject)) return EjectAfterWrite(ctx, root);
    return kExitOk;
}

}  // namespace quillmar
