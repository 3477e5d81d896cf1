#pragma once
// Options of quillmar-cli and the checks shared by several commands.

#include "platform/result.h"
#include "settings/settings_selection.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace quillmar {

namespace cli_option {
extern const QCommandLineOption kSet;          // --set KEY=OPTION, repeatable
extern const QCommandLineOption kSyncClock;    // --sync-clock
extern const QCommandLineOption kCard;         // --card DIR; "cards" takes it repeatedly
extern const QCommandLineOption kJson;         // --json
extern const QCommandLineOption kExplain;      // --explain
extern const QCommandLineOption kConfig;       // --config PATH
extern const QCommandLineOption kProfile;      // --profile NAME
extern const QCommandLineOption kNoSyncClock;  // --no-sync-clock
extern const QCommandLineOption kFromCard;     // --from-card DIR: settings from a card's camera.conf
extern const QCommandLineOption kAllCards;     // --all-cards: write to every listed card
extern const QCommandLineOption kEject;        // --eject: eject each card written
}  // namespace cli_option

void AddCliOptions(QCommandLineParser& parser);

struct SettingOverride {
    SettingsKeyRef key;
    int index;
};

// Parses "KEY=OPTION" items. KEY must be a schema key with options and OPTION
// one of its texts, spelled exactly. A refusal names what was wrong and lists
// what is valid.
Result<QList<SettingOverride>> ParseSettingOverrides(const QStringList& items);

void ApplyOverrides(const QList<SettingOverride>& overrides, SettingsSelection& selection);

}  // namespace quillmar
