#pragma once
// Reading back the camera.conf a card holds, the way the camera reads it:
// "key=value" lines, CR LF or LF, every value spelled exactly as one of its
// key's options. Whatever the camera would not understand is skipped and
// reported, never guessed at.

#include "settings/settings_selection.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace quillmar {

struct CameraConfSetting {
    SettingsKeyRef key;
    int index;  // within the key's whole option list
};

struct CameraConfSkippedLine {
    enum Reason { kNoEquals, kUnknownKey, kUnknownValue, kRepeatedKey };
    int line;      // 1-based
    QString text;  // the line without its line end
    Reason reason;
};

struct CameraConfContents {
    // Understood setting lines in the file's order, each key once, where it
    // first stands. A key given again takes the later value; the earlier
    // line is reported as skipped.
    QList<CameraConfSetting> settings;
    std::optional<bool> enable_cfg;  // the marker line's value when there is one
    QString sync_clock;              // the clock line's time; empty without one
    // How many settings precede the marker and the clock line, for Text().
    qsizetype enable_cfg_at = 0;
    qsizetype sync_clock_at = 0;
    QList<CameraConfSkippedLine> skipped;

    bool HasClockLine() const { return !sync_clock.isEmpty(); }
    // Puts the loaded values into `selection`: keys the file lacks keep
    // theirs, clock_sync follows the clock line. Each line counts as a
    // choice (SettingsSelection::Choose) in the file's order, so with both a
    // burst and an interval on, the later line stays on.
    void ApplyTo(SettingsSelection& selection) const;
    // The understood lines as the camera file spells them, LF-terminated.
    QString Text() const;
};

// Pure: parses the bytes of a camera.conf.
CameraConfContents ParseCameraConf(QByteArrayView bytes);

// A camera.conf is at most a few hundred bytes; anything past this is not one.
inline constexpr qsizetype kMaxCameraConfBytes = 4096;

struct CameraConfRead {
    bool ok = false;
    QString error;  // names the file and what was wrong
    CameraConfContents contents;
};

// Reads and parses root + "camera.conf", `root` ending in "/".
CameraConfRead ReadCameraConf(const QString& root);

QString SkippedReasonText(CameraConfSkippedLine::Reason reason);

}  // namespace quillmar
