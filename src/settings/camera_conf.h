#pragma once
// camera.conf: the text the camera reads from its card, and its writer.

#include "platform/durable_file.h"
#include "settings/settings_selection.h"

#include <ctime>
#include <string>

namespace quillmar {

inline constexpr char kCameraConfFileName[] = "camera.conf";

// Appends "name=text" and CR LF for the option at `index` of the key. An
// index outside the key's list is clamped to the nearest option.
void AppendSettingLine(int section, int key, int index, std::string& text);

// The whole file for a selection: the marker line, the 28 setting lines
// (image before photo, photo_stamp before auto_shoot, the burst and
// auto-shoot rule applied), and the clock line in local time when clock_sync
// is set. Pure: the time comes from the caller.
std::string BuildCameraConfText(const SettingsSelection& selection, std::time_t now);

// "%Y-%m-%d %H:%M:%S" of `now` in local time.
std::string FormatLocalClock(std::time_t now);

// Writes `text` durably to `root` (UTF-8) followed directly by "camera.conf";
// an empty root means the working directory.
WriteOutcome WriteCameraConf(const std::string& root, const std::string& text);

}  // namespace quillmar
