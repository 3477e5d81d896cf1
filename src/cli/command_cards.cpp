// "cards": the rows of the card list, as a table or as JSON.

#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cards/system_drive_source.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray AsJson(const QList<CardEntry>& cards) {
    QJsonArray rows;
    for (const CardEntry& c : cards) {
        rows.append(QJsonObject{
            {QStringLiteral("root"), c.root},
            {QStringLiteral("label"), c.label},
            {QStringLiteral("free_mb"), static_cast<qint64>(c.free_mb)},
            {QStringLiteral("total_mb"), static_cast<qint64>(c.total_mb)},
            {QStringLiteral("description"), CapacityText(c.free_mb, c.total_mb)},
            {QStringLiteral("version_text"), c.version_text},
        });
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Indented);
}

// A version.txt may hold line ends or other control characters; shown raw
// they would tear the table apart.
QString Visible(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        if (c == u'\r')
            shown += QStringLiteral("\\r");
        else if (c == u'\n')
            shown += QStringLiteral("\\n");
        else if (c == u'\t')
            shown += QStringLiteral("\\t");
        else if (c == u'\\')
            shown += QStringLiteral("\\\\");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString AsTable(const QList<CardEntry>& cards) {
    QList<QStringList> rows{{QStringLiteral("Device"), QStringLiteral("Label"), QStringLiteral("Description"),
                             QStringLiteral("Version")}};
    for (const CardEntry& c : cards)
        rows.append({Visible(c.root), Visible(c.label), CapacityText(c.free_mb, c.total_mb), Visible(c.version_text)});
    QList<qsizetype> widths(4, 0);
    for (const QStringList& row : rows)
        for (int col = 0; col < 4; ++col) widths[col] = std::max(widths[col], row[col].size());
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (int col = 0; col < 3; ++col) line += row[col].leftJustified(widths[col] + 2);
        text += line + row[3] + QLatin1Char('\n');
    }
    return text;
}

}  // namespace

int RunCards(const CliContext& ctx) {
    const QStringList folders = ctx.parser.values(cli_option::card);
    for (const QString& folder : folders) {
        if (!QFileInfo(folder).isDir()) {
            ctx.Error(QStringLiteral("--card \"%1\" is not a folder.").arg(folder));
            return kExitUsage;
        }
    }
    SystemDriveSource drives;
    QList<CardEntry> cards;
    for (const QString& root : ListCardRoots(drives, folders)) cards.append(DescribeCard(drives, root));

    if (ctx.parser.isSet(cli_option::json)) {
        const QByteArray bytes = AsJson(cards);
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), ctx.out);
    } else {
        ctx.Print(cards.isEmpty() ? QStringLiteral("No removable drives found.\n") : AsTable(cards));
    }
    if (std::fflush(ctx.out) != 0 || std::ferror(ctx.out)) {
        ctx.Error(QStringLiteral("cannot write to standard output."));
        return kExitFailure;
    }
    return kExitOk;
}
