// "write --all-cards": the same camera.conf onto every card at once, and
// "write --eject": the card ejected once it holds the file.

#include "cards/card_list.h"

#include "cards/system_drive_source.h"
#include "cli/cli_commands.h"
#include "cli/cli_eject.h"
#include "cli/cli_options.h"
#include "cli/cli_selection.h"
#include "cli/cli_write_all.h"
#include "platform/qt_text_bridge.h"
#include "settings/camera_conf.h"

namespace quillmar {

int EjectAfterWrite(const CliContext& ctx, const QString& root) {
    const EjectOutcome outcome = EjectFromCommandLine(root);
    if (!outcome.Unmounted()) {
        ctx.Error(QStringLiteral("camera.conf was written, but the card was not ejected: ") + outcome.message);
        return kExitFailure;
    }
    ctx.Print(outcome.message + QLatin1Char('\n'));
    if (!outcome.warning.isEmpty()) ctx.Error(QStringLiteral("warning: ") + outcome.warning + QLatin1Char('.'));
    return kExitOk;
}

int RunWriteAllCards(const CliContext& ctx) {
    const QStringList folders = ctx.parser.values(cli_option::kCard);
    // An empty DIR would be taken as the working folder.
    if (folders.contains(QString())) {
        ctx.Error(QStringLiteral("--card needs a folder; an empty one is refused."));
        return kExitUsage;
    }
    SettingsSelection selection;
    if (const int rc = ResolveSelection(ctx, &selection); rc != kExitOk) return rc;
    // One text for all: every card gets the same bytes, clock line included.
    const QString text = BuildCameraConfText(selection, std::time(nullptr));
    SystemDriveSource drives;
    const QStringList roots = ListCardRoots(drives, folders);
    if (roots.isEmpty()) {
        ctx.Error(QStringLiteral("no cards found: no removable drive holds a mounted card, and no --card was given."));
        return kExitFailure;
    }

    // Every card is written before any is ejected: ejecting one drive may
    // unmount another listed card of the same drive.
    QList<WriteOutcome> written;
    for (const QString& root : roots) written.append(WriteCameraConf(root, text));

    const bool eject = ctx.parser.isSet(cli_option::kEject);
    QStringList unmounted;  // mount points already taken off by an earlier eject
    int failed = 0;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        const QString& root = roots.at(i);
        QString line = root + QStringLiteral(": ");
        if (!written.at(i)) {
            line += QStringLiteral("not written: ") + FromUtf8(written.at(i).error);
            ++failed;
        } else if (!eject) {
            line += QStringLiteral("written");
        } else if (unmounted.contains(MountDirOfCardRoot(root))) {
            line += QStringLiteral("written, ejected with its drive");
        } else {
            const EjectOutcome outcome = EjectFromCommandLine(root);
            unmounted << outcome.unmounted;
            if (!outcome.Unmounted()) {
                line += QStringLiteral("written, not ejected: ") + outcome.message;
                ++failed;
            } else if (!outcome.warning.isEmpty()) {
                line += QStringLiteral("written, unmounted (warning: %1)").arg(outcome.warning);
            } else {
                line += QStringLiteral("written, ejected");
            }
        }
        ctx.Print(line + QLatin1Char('\n'));
    }
    std::fflush(ctx.out);
    if (failed > 0) {
        ctx.Error(QStringLiteral("%1 of %2 cards failed.").arg(failed).arg(roots.size()));
        return kExitFailure;
    }
    return kExitOk;
}

QString MountDirOfCardRoot(const QString& root) {
    return root.size() > 1 && root.endsWith(QLatin1Char('/')) ? root.chopped(1) : root;
}

}  // namespace quillmar
