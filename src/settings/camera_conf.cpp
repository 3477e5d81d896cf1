// Writing camera.conf: the marker line, the setting lines, and the clock line when asked for.
#include "settings/camera_conf.h"

#include "platform/folder_entries.h"
#include "platform/path_text.h"

namespace quillmar {

namespace {

void AppendKeyLines(const SettingsSelection& s, int section, int firstKey, int lastKey, std::string& text) {
    for (int key = firstKey; key <= lastKey; ++key) AppendSettingLine(section, key, s.At(section, key), text);
}

}  // namespace

void AppendSettingLine(int section, int key, int index, std::string& text) {
    text += KeyName(section, key);
    text += '=';
    text += OptionText(section, key, ClampOptionIndex(section, key, index));
    text += "\r\n";
}

std::string FormatLocalClock(std::time_t now) {
    const std::tm local = LocalTime(now);
    char buffer[32];
    const size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(buffer, n);
}

std::string BuildCameraConfText(const SettingsSelection& s, std::time_t now) {
    std::string text;
    text.reserve(528);
    text += "enable_cfg=true\r\n";
    AppendKeyLines(s, kModeSection, 0, 2, text);
    AppendKeyLines(s, kVideoSection, 0, 7, text);
    AppendKeyLines(s, kImageSection, 0, 4, text);

    // Burst and auto-shoot never both reach the card, whatever path built
    // the selection; the pages settle the same way before they show it.
    SettingsSelection photo = s;
    photo.SettleBurstAndAutoShoot();
    AppendSettingLine(kPhotoSection, keys::kPhotoQuality.key, s.At(keys::kPhotoQuality), text);
    AppendSettingLine(kPhotoSection, keys::kPhotoStamp.key, s.At(keys::kPhotoStamp), text);
    AppendSettingLine(kPhotoSection, keys::kAutoShoot.key, photo.At(keys::kAutoShoot), text);
    AppendSettingLine(kPhotoSection, keys::kPhotoBurst.key, photo.At(keys::kPhotoBurst), text);

    AppendKeyLines(s, kSystemSection, 1, 8, text);
    if (s.clock_sync != 0) {
        text += KeyName(kSystemSection, keys::kSyncClock.key);
        text += '=';
        text += FormatLocalClock(now);
        text += "\r\n";
    }
    return text;
}

WriteOutcome WriteCameraConf(const std::string& root, const std::string& text) {
    // The text is ASCII: its bytes are the file's on every system.
    return ReplaceFileDurably(PathFromUtf8(root + kCameraConfFileName), text);
}

}  // namespace quillmar
