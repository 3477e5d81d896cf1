// "cards": the rows of the card list, as a table or as JSON, or with
// --explain every mounted volume and why it is or is not a row.

#include "cards/card_entry.h"
#include "cli/cli_card_roots.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillmar {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QByteArray AsJson(const QList<CardEntry>& cards) {
    QJsonArray rows;
    for (const CardEntry& c : cards) {
        rows.append(QJsonObject{
            {QStringLiteral("root"), Text(c.root)},
            {QStringLiteral("label"), Text(c.label)},
            {QStringLiteral("free_mb"), static_cast<qint64>(c.free_mb)},
            {QStringLiteral("total_mb"), static_cast<qint64>(c.total_mb)},
            {QStringLiteral("description"), Text(CapacityText(c.free_mb, c.total_mb))},
            {QStringLiteral("version_text"), Text(c.version_text)},
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
    QList<QStringList> rows{
        {QStringLiteral("Device"), QStringLiteral("Label"), QStringLiteral("Description"), QStringLiteral("Version")}};
    for (const CardEntry& c : cards)
        rows.append({Visible(Text(c.root)), Visible(Text(c.label)), Text(CapacityText(c.free_mb, c.total_mb)),
                     Visible(Text(c.version_text))});
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

// One line of the explanation: a mounted volume, or a folder given with --card.
struct Explained {
    QString folder;
    QString source;
    QString type;
    bool card = false;
    QString code;
    QString reason;
};

QList<Explained> Explain(const QStringList& folders) {
    QList<Explained> rows;
    for (const DriveExplanation& d : ExplainSystemDrives())
        rows.append({Text(d.folder), Text(d.source), Text(d.type), d.card, Text(d.code), Text(d.reason)});
    for (const QString& folder : folders)
        rows.append(
            {FolderCardRoot(folder), {}, {}, true, QStringLiteral("folder"), QStringLiteral("given with --card")});
    return rows;
}

QByteArray ExplanationAsJson(const QList<Explained>& rows) {
    QJsonArray array;
    for (const Explained& r : rows) {
        array.append(QJsonObject{
            {QStringLiteral("folder"), r.folder},
            {QStringLiteral("source"), r.source},
            {QStringLiteral("type"), r.type},
            {QStringLiteral("card"), r.card},
            {QStringLiteral("code"), r.code},
            {QStringLiteral("reason"), r.reason},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QString ExplanationAsTable(const QList<Explained>& rows) {
    QList<QStringList> cells{{QStringLiteral("Folder"), QStringLiteral("Source"), QStringLiteral("Type"),
                              QStringLiteral("Card"), QStringLiteral("Reason")}};
    for (const Explained& r : rows)
        cells.append({Visible(r.folder), Visible(r.source), Visible(r.type),
                      r.card ? QStringLiteral("yes") : QStringLiteral("no"), Visible(r.reason)});
    const qsizetype last = cells[0].size() - 1;
    QList<qsizetype> widths(last, 0);
    for (const QStringList& row : cells)
        for (qsizetype col = 0; col < last; ++col) widths[col] = std::max(widths[col], row[col].size());
    QString text;
    for (const QStringList& row : cells) {
        QString line;
        for (qsizetype col = 0; col < last; ++col) line += row[col].leftJustified(widths[col] + 2);
        text += line + row[last] + QLatin1Char('\n');
    }
    return text;
}

void PrintCards(const CliContext& ctx, const QStringList& folders) {
    const std::unique_ptr<DriveSource> drives = OpenSystemDrives();
    QList<CardEntry> cards;
    for (const QString& root : ListCardRoots(*drives, folders)) cards.append(DescribeCard(*drives, root.toStdString()));
    if (ctx.parser.isSet(cli_option::kJson)) {
        const QByteArray bytes = AsJson(cards);
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), ctx.out);
    } else {
        ctx.Print(cards.isEmpty() ? QStringLiteral("No removable drives found.\n") : AsTable(cards));
    }
}

void PrintExplanation(const CliContext& ctx, const QStringList& folders) {
    const QList<Explained> rows = Explain(folders);
    if (ctx.parser.isSet(cli_option::kJson)) {
        const QByteArray bytes = ExplanationAsJson(rows);
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), ctx.out);
    } else {
        ctx.Print(ExplanationAsTable(rows));
    }
}

}  // namespace

int RunCards(const CliContext& ctx) {
    const QStringList folders = ctx.parser.values(cli_option::kCard);
    for (const QString& folder : folders) {
        if (!QFileInfo(folder).isDir()) {
            ctx.Error(QStringLiteral("--card \"%1\" is not a folder.").arg(folder));
            return kExitUsage;
        }
    }
    if (ctx.parser.isSet(cli_option::kExplain))
        PrintExplanation(ctx, folders);
    else
        PrintCards(ctx, folders);
    if (std::fflush(ctx.out) != 0 || std::ferror(ctx.out)) {
        ctx.Error(QStringLiteral("cannot write to standard output."));
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
