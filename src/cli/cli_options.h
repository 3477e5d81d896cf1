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
extern const QCommandLineOption set;        // --set KEY=OPTION, repeatable
extern const QCommandLineOption syncClock;  // --sync-clock
extern const QCommandLineOption card;       // --card DIR; "cards" takes it repeatedly
extern const QCommandLineOption json;       // --json
extern const QCommandLineOption explain;    // --explain
extern const QCommandLineOption config;       // --config PATH
extern const QCommandLineOption profile;      // --profile NAME
extern const QCommandLineOption noSyncClock;  // --no-sync-clock
extern const QCommandLineOption fromCard;     // --from-card DIR: settings from a card's camera.conf
extern const QCommandLineOption allCards;     // --all-cards: write to every listed card
extern const QCommandLineOption eject;        // --eject: eject each card written
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
