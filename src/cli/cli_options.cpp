// The options of quillmar-cli and the checks several commands share.
#include "cli/cli_options.h"

#include "cli/cli_text.h"

#include <QStringList>

namespace quillmar {

namespace cli_option {
const QCommandLineOption kSet(QStringLiteral("set"), QStringLiteral("Choose OPTION for setting KEY (repeatable)."),
                              QStringLiteral("KEY=OPTION"));
const QCommandLineOption kSyncClock(QStringLiteral("sync-clock"),
                                    QStringLiteral("Add the sync_clock line with the local time."));
const QCommandLineOption kCard(QStringLiteral("card"),
                               QStringLiteral("The card folder that receives camera.conf; "
                                              "for cards, one more card row (repeatable)."),
                               QStringLiteral("DIR"));
const QCommandLineOption kConfig(QStringLiteral("config"),
                                 QStringLiteral("The profile file (default: cfg.ini in the working directory)."),
                                 QStringLiteral("PATH"));
const QCommandLineOption kProfile(QStringLiteral("profile"), QStringLiteral("The profile to use or save."),
                                  QStringLiteral("NAME"));
const QCommandLineOption kNoSyncClock(QStringLiteral("no-sync-clock"),
                                      QStringLiteral("Leave the sync_clock line out, whatever the profile says."));
const QCommandLineOption kFromCard(QStringLiteral("from-card"),
                                   QStringLiteral("Start from the settings in DIR/camera.conf; settings it lacks "
                                                  "keep theirs."),
                                   QStringLiteral("DIR"));
const QCommandLineOption kAllCards(QStringLiteral("all-cards"),
                                   QStringLiteral("Write to every card that cards lists, --card folders included."));
const QCommandLineOption kEject(QStringLiteral("eject"),
                                QStringLiteral("After a successful write, unmount the card and power it off."));
const QCommandLineOption kJson(QStringLiteral("json"),
                               QStringLiteral("Print the cards, or a card's settings, as JSON."));
const QCommandLineOption kExplain(QStringLiteral("explain"),
                                  QStringLiteral("List every mounted volume with why it is or is not a card."));
}  // namespace cli_option

void AddCliOptions(QCommandLineParser& parser) {
    parser.addOption(cli_option::kSet);
    parser.addOption(cli_option::kSyncClock);
    parser.addOption(cli_option::kCard);
    parser.addOption(cli_option::kConfig);
    parser.addOption(cli_option::kProfile);
    parser.addOption(cli_option::kNoSyncClock);
    parser.addOption(cli_option::kJson);
    parser.addOption(cli_option::kFromCard);
    parser.addOption(cli_option::kAllCards);
    parser.addOption(cli_option::kEject);
    parser.addOption(cli_option::kExplain);
}

namespace {

QString ValidKeyList() {
    QStringList names;
    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < KeyCount(s); ++k)
            if (OptionCount(s, k) > 0) names << KeyName(s, k);
    return names.join(QStringLiteral(", "));
}

QString ValidOptionList(int section, int key) {
    QStringList texts;
    for (int i = 0; i < OptionCount(section, key); ++i)
        texts << QLatin1Char('"') + OptionText(section, key, i) + QLatin1Char('"');
    return texts.join(QStringLiteral(", "));
}

}  // namespace

Result<QList<SettingOverride>> ParseSettingOverrides(const QStringList& items) {
    using Parsed = Result<QList<SettingOverride>>;
    QList<SettingOverride> overrides;
    for (const QString& item : items) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq < 0) {
            return Parsed::Failure(WriteOutcome::Failure(
                QStringLiteral("--set %1 is not KEY=OPTION.").arg(QuotedForMessage(item)).toStdString()));
        }
        const QString name = item.left(eq);
        const QString option = item.mid(eq + 1);
        int section = 0;
        int key = 0;
        if (!FindKeyByName(name, &section, &key) || OptionCount(section, key) == 0) {
            if (name == KeyName(keys::kSyncClock.section, keys::kSyncClock.key))
                return Parsed::Failure(WriteOutcome::Failure("sync_clock has no options; use --sync-clock."));
            return Parsed::Failure(WriteOutcome::Failure(QStringLiteral("unknown setting %1. Valid settings: %2.")
                                                             .arg(QuotedForMessage(name), ValidKeyList())
                                                             .toStdString()));
        }
        int index = -1;
        for (int i = 0; i < OptionCount(section, key) && index < 0; ++i)
            if (OptionText(section, key, i) == option) index = i;
        if (index < 0) {
            return Parsed::Failure(
                WriteOutcome::Failure(QStringLiteral("unknown option %1 for %2. Valid options: %3.")
                                          .arg(QuotedForMessage(option), name, ValidOptionList(section, key))
                                          .toStdString()));
        }
        overrides.append({{section, key}, index});
    }
    return Parsed::Success(std::move(overrides));
}

void ApplyOverrides(const QList<SettingOverride>& overrides, SettingsSelection& selection) {
    for (const SettingOverride& o : overrides) selection.At(o.key) = o.index;
}

}  // namespace quillmar
