#pragma once
// Reading back the camera.conf a card holds, the way the camera reads it:
// "key=value" lines, CR LF or LF, every value spelled exactly as one of its
// key's options. Whatever the camera would not understand is skipped and
// reported, never guessed at.

#include "settings/settings_selection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmar {

struct CameraConfSetting {
    SettingsKeyRef key;
    int index;  // within the key's whole option list
};

struct CameraConfSkippedLine {
    enum Reason { kNoEquals, kUnknownKey, kUnknownValue, kRepeatedKey };
    int line;          // 1-based
    std::string text;  // the line without its line end, UTF-8
    Reason reason;
};

struct CameraConfContents {
    // Understood setting lines in the file's order, each key once, where it
    // first stands. A key given again takes the later value; the earlier
    // line is reported as skipped.
    std::vector<CameraConfSetting> settings;
    std::optional<bool> enable_cfg;  // the marker line's value when there is one
    std::string sync_clock;          // the clock line's time; empty without one
    // How many settings precede the marker and the clock line, for Text().
    size_t enable_cfg_at = 0;
    size_t sync_clock_at = 0;
    std::vector<CameraConfSkippedLine> skipped;

    bool HasClockLine() const { return !sync_clock.empty(); }
    // Puts the loaded values into `selection`: keys the file lacks keep
    // theirs, clock_sync follows the clock line. Each line counts as a
    // choice (SettingsSelection::Choose) in the file's order, so with both a
    // burst and an interval on, the later line stays on.
    void ApplyTo(SettingsSelection& selection) const;
    // The understood lines as the camera file spells them, LF-terminated.
    std::string Text() const;
};

// Pure: parses the bytes of a camera.conf, text in the system's 8-bit encoding.
CameraConfContents ParseCameraConf(std::string_view bytes);

// A camera.conf is at most a few hundred bytes; anything past this is not one.
inline constexpr size_t kMaxCameraConfBytes = 4096;

struct CameraConfRead {
    bool ok = false;
    std::string error;  // names the file and what was wrong
    CameraConfContents contents;
};

// Reads and parses root + "camera.conf", `root` (UTF-8) ending in "/".
CameraConfRead ReadCameraConf(const std::string& root);

std::string SkippedReasonText(CameraConfSkippedLine::Reason reason);

}  // namespace quillmar
