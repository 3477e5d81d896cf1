// "read": the settings a card's camera.conf holds, as the camera reads them.

#include "cli/cli_card_roots.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "settings/camera_conf_reader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillmar {

namespace {

QByteArray AsJson(const QString& root, const CameraConfContents& c) {
    QJsonObject settings;
    for (const CameraConfSetting& s : c.settings)
        settings.insert(KeyName(s.key.section, s.key.key), OptionText(s.key.section, s.key.key, s.index));
    QJsonArray skipped;
    for (const CameraConfSkippedLine& line : c.skipped)
        skipped.append(QJsonObject{{QStringLiteral("line"), line.line},
                                   {QStringLiteral("text"), line.text},
                                   {QStringLiteral("reason"), SkippedReasonText(line.reason)}});
    const QJsonObject object{
        {QStringLiteral("root"), root},
        {QStringLiteral("enable_cfg"), c.enable_cfg ? QJsonValue(*c.enable_cfg) : QJsonValue()},
        {QStringLiteral("settings"), settings},
        {QStringLiteral("sync_clock"), c.HasClockLine()},
        {QStringLiteral("sync_clock_time"), c.HasClockLine() ? QJsonValue(c.sync_clock) : QJsonValue()},
        {QStringLiteral("not_understood"), skipped},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace

int RunRead(const CliContext& ctx) {
    const QStringList cards = ctx.parser.values(cli_option::kCard);
    // An empty DIR would be taken as the working folder.
    if (cards.size() != 1 || cards.constFirst().isEmpty()) {
        ctx.Error(QStringLiteral("read needs one --card DIR."));
        return kExitUsage;
    }
    const QString root = FolderCardRoot(cards.constFirst());
    const CameraConfRead read = ReadCameraConf(root);
    if (!read.ok) {
        ctx.Error(read.error);
        return kExitFailure;
    }
    if (ctx.parser.isSet(cli_option::kJson)) {
        const QByteArray bytes = AsJson(root, read.contents);
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), ctx.out);
    } else {
        ctx.Print(read.contents.Text());
        if (!read.contents.skipped.isEmpty()) {
            QString notice = QStringLiteral("%1 line(s) of camera.conf not understood, as the camera skips them:")
                                 .arg(read.contents.skipped.size());
            for (const CameraConfSkippedLine& line : read.contents.skipped)
                notice += QStringLiteral("\n  line %1: %2 (%3)")
                              .arg(line.line)
                              .arg(line.text, SkippedReasonText(line.reason));
            ctx.Error(notice);
        }
    }
    if (std::fflush(ctx.out) != 0 || std::ferror(ctx.out)) {
        ctx.Error(QStringLiteral("cannot write to standard output."));
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
