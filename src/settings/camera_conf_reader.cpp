// Reading a card's camera.conf back as the camera would, reporting every line it would skip.
#include "settings/camera_conf_reader.h"

#include "platform/path_text.h"
#include "platform/regular_file_in_folder.h"
#include "platform/system_text.h"
#include "settings/camera_conf.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace quillmar {

namespace {

constexpr std::string_view kEnableCfg = "enable_cfg";

int MatchOption(int section, int key, std::string_view text) {
    // The whole list: a card is not a profile, so no lookup limit applies.
    for (int i = 0; i < OptionCount(section, key); ++i)
        if (OptionText(section, key, i) == text) return i;
    return -1;
}

// Exactly "yyyy-mm-dd hh:mm:ss" as the writer formats it, naming a real day
// and time of day.
bool IsClockTime(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) return false;
    for (size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    const auto number = [&](size_t at, size_t length) {
        int n = 0;
        for (size_t i = at; i < at + length; ++i) n = n * 10 + (text[i] - '0');
        return n;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year == 0 || month < 1 || month > 12 || day < 1) return false;
    if (day > kDays[size_t(month - 1)] + (month == 2 && leap ? 1 : 0)) return false;
    return number(11, 2) < 24 && number(14, 2) < 60 && number(17, 2) < 60;
}

}  // namespace

CameraConfContents ParseCameraConf(std::string_view bytes) {
    CameraConfContents contents;
    std::vector<std::string> lines;
    auto skip = [&](CameraConfSkippedLine::Reason reason, int number) {
        contents.skipped.push_back({number, lines.at(size_t(number - 1)), reason});
    };
    // The line each key was last understood on; 0 for none yet.
    std::array<std::array<int, kMaxKeysPerSection>, kSectionCount> keyLine{};
    int enableLine = 0;
    // A later line for the same key wins; the earlier one is reported.
    auto understood = [&](int& lineOfKey, int number) {
        if (lineOfKey != 0) skip(CameraConfSkippedLine::kRepeatedKey, lineOfKey);
        lineOfKey = number;
    };

    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();  // a last line without its line end still counts
        std::string_view raw = bytes.substr(start, end - start);
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        lines.push_back(SystemTextToUtf8(raw));
        const int number = static_cast<int>(lines.size());
        const std::string& line = lines.back();

        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            skip(CameraConfSkippedLine::kNoEquals, number);
            continue;
        }
        const std::string_view name = std::string_view(line).substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (name == kEnableCfg) {
            if (value != "true" && value != "false") {
                skip(CameraConfSkippedLine::kUnknownValue, number);
                continue;
            }
            if (enableLine == 0) contents.enable_cfg_at = contents.settings.size();
            understood(enableLine, number);
            contents.enable_cfg = value == "true";
            continue;
        }
        int section = 0;
        int key = 0;
        if (!FindKeyByName(name, &section, &key)) {
            skip(CameraConfSkippedLine::kUnknownKey, number);
            continue;
        }
        if (OptionCount(section, key) == 0) {  // sync_clock carries a time, not an option
            if (!IsClockTime(value)) {
                skip(CameraConfSkippedLine::kUnknownValue, number);
                continue;
            }
            if (keyLine[section][key] == 0) contents.sync_clock_at = contents.settings.size();
            understood(keyLine[section][key], number);
            contents.sync_clock = value;
            continue;
        }
        const int index = MatchOption(section, key, value);
        if (index < 0) {
            skip(CameraConfSkippedLine::kUnknownValue, number);
            continue;
        }
        const bool repeated = keyLine[section][key] != 0;
        understood(keyLine[section][key], number);
        if (!repeated) {
            contents.settings.push_back({{section, key}, index});
            continue;
        }
        for (CameraConfSetting& s : contents.settings)
            if (s.key.section == section && s.key.key == key) s.index = index;
    }
    std::stable_sort(contents.skipped.begin(), contents.skipped.end(),
                     [](const CameraConfSkippedLine& a, const CameraConfSkippedLine& b) { return a.line < b.line; });
    return contents;
}

void CameraConfContents::ApplyTo(SettingsSelection& selection) const {
    // Each line counts as a choice, in the file's order: a burst line after
    // an auto_shoot line (the order every writer of the file uses) leaves the
    // burst on, and a line turns off the page's own burst or interval.
    for (const CameraConfSetting& s : settings) selection.Choose(s.key, s.index);
    selection.clock_sync = HasClockLine() ? 1 : 0;
}

std::string CameraConfContents::Text() const {
    std::string text;
    for (size_t i = 0; i <= settings.size(); ++i) {
        if (enable_cfg && enable_cfg_at == i) text += std::string(kEnableCfg) + (*enable_cfg ? "=true\n" : "=false\n");
        if (HasClockLine() && sync_clock_at == i)
            text += KeyName(keys::kSyncClock.section, keys::kSyncClock.key) + '=' + sync_clock + '\n';
        if (i == settings.size()) break;
        const CameraConfSetting& s = settings[i];
        text += KeyName(s.key.section, s.key.key) + '=' + OptionText(s.key.section, s.key.key, s.index) + '\n';
    }
    return text;
}

CameraConfRead ReadCameraConf(const std::string& root) {
    const std::string path = root + kCameraConfFileName;
    const FolderFileRead file = ReadRegularFileInFolder(PathFromUtf8(root), kCameraConfFileName, kMaxCameraConfBytes);
    CameraConfRead read;
    std::error_code ignored;
    switch (file.truncated ? FolderFileRead::kUnreadable : file.status) {
    case FolderFileRead::kRead:
        read.ok = true;
        read.contents = ParseCameraConf(file.bytes);
        return read;
    case FolderFileRead::kAbsent:
        read.error = std::filesystem::is_directory(PathFromUtf8(root), ignored)
                         ? "the card holds no camera.conf (\"" + path + "\" not found)."
                         : "\"" + root + "\" is not a folder.";
        break;
    case FolderFileRead::kNotRegular:
        read.error = "\"" + path + "\" is not a regular file; links, folders and devices are not read.";
        break;
    case FolderFileRead::kUnreadable:
        if (!file.truncated) {
            read.error = "cannot read \"" + path + "\": " + file.error + ".";
            break;
        }
        read.error = "\"" + path + "\" is larger than " + std::to_string(kMaxCameraConfBytes) +
                     " bytes; it is not a camera settings file.";
        break;
    }
    return read;
}

std::string SkippedReasonText(CameraConfSkippedLine::Reason reason) {
    switch (reason) {
    case CameraConfSkippedLine::kNoEquals:
        return "not key=value";
    case CameraConfSkippedLine::kUnknownKey:
        return "unknown key";
    case CameraConfSkippedLine::kUnknownValue:
        return "unknown value";
    case CameraConfSkippedLine::kRepeatedKey:
        return "replaced by a later line";
    }
    return {};
}

}  // namespace quillmar
