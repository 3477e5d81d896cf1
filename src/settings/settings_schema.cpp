// The fixed table of sections, keys and options, and lookups in it.
#include "settings/settings_schema.h"

#include <algorithm>

namespace quillmar {

namespace {

template <std::size_t N>
constexpr SettingsKey Key(const char* name, const SettingsOption (&options)[N]) {
    return SettingsKey{name, options, static_cast<int>(N)};
}

// --- mode ---
constexpr SettingsOption kMode1[] = {{"2304x1296p 30", 0, 0}, {"1920x1080p 60", 1, 1}, {"1920x1080p 30", 2, 0}};
constexpr SettingsOption kMode2[] = {{"1280x720p 120", 0, 1}, {"1280x720p 60", 1, 0}, {"1280x720p 30", 2, 0}};
constexpr SettingsOption kMode3[] = {{"16M", 0, 1}, {"12M", 1, 0}, {"8M", 2, 0}, {"5M", 3, 0}};

// --- video ---
constexpr SettingsOption kVideoQuality[] = {{"sfine", 0, 1}, {"fine", 1, 0}, {"normal", 2, 0}};
constexpr SettingsOption kFov[] = {{"wide", 0, 1}, {"normal", 0, 0}, {"narrow", 0, 0}};
constexpr SettingsOption kTimelapse[] = {{"off", 0, 1}, {"1s", 0, 0},  {"2s", 0, 0}, {"5s", 0, 0},
                                         {"10s", 0, 0}, {"30s", 0, 0}, {"60s", 0, 0}};
constexpr SettingsOption kStamp[] = {{"off", 0, 1}, {"time", 0, 0}, {"date", 0, 0}, {"Date&Time", 0, 0}};
constexpr SettingsOption kMicVol[] = {{"mute", 0, 0}, {"50%", 1, 0}, {"60%", 2, 0}, {"70%", 3, 0},
                                      {"80%", 4, 1},  {"90%", 5, 0}, {"100%", 6, 0}};
constexpr SettingsOption kAutoRec[] = {{"off", 0, 1}, {"on", 1, 0}};
constexpr SettingsOption kLoopRec[] = {{"off", 0, 1}, {"2min", 1, 0}, {"3min", 1, 0}, {"5min", 1, 0}};
constexpr SettingsOption kRecBeep[] = {{"off", 0, 1}, {"5min", 1, 0}, {"10min", 1, 0}, {"15min", 1, 0}};

// --- photo ---
constexpr SettingsOption kPhotoQuality[] = {{"sfine", 0, 1}, {"fine", 1, 0}, {"normal", 2, 0}};
constexpr SettingsOption kAutoShoot[] = {{"off", 0, 0}, {"1s", 0, 0},  {"2s", 0, 0},  {"3s", 0, 1},
                                         {"5s", 0, 0},  {"10s", 0, 0}, {"30s", 0, 0}, {"60s", 0, 0}};
constexpr SettingsOption kPhotoBurst[] = {{"off", 0, 1}, {"3p", 0, 0}, {"5p", 0, 0}, {"10p", 0, 0}, {"20p", 0, 0}};

// --- image ---
constexpr SettingsOption kImageMeter[] = {{"spot", 0, 0}, {"multi", 1, 0}, {"center", 2, 1}};
constexpr SettingsOption kImageIso[] = {{"auto", 0, 1}, {"100", 1, 0},  {"200", 2, 0}, {"400", 3, 0},
                                        {"800", 4, 0},  {"1600", 5, 0}, {"3200", 6, 0}};
constexpr SettingsOption kImageWb[] = {{"auto", 0, 1}, {"cloudy", 1, 0}, {"incencas", 2, 0}};
constexpr SettingsOption kImageEv[] = {{"-2.0", 0, 0},  {"-1.7", 1, 0},  {"-1.3", 2, 0}, {"-1.0", 3, 0}, {"-0.7", 4, 0},
                                       {"-0.3", 5, 0},  {"0.0", 6, 1},   {"+0.3", 7, 0}, {"+0.7", 8, 0}, {"+1.0", 9, 0},
                                       {"+1.3", 10, 0}, {"+1.7", 11, 0}, {"+2.0", 12, 0}};
constexpr SettingsOption kImageSharpness[] = {{"1", 0, 0}, {"2", 1, 0}, {"3", 2, 1}, {"4", 3, 0}, {"5", 4, 0}};

// --- system ---
constexpr SettingsOption kImageRotate[] = {{"normal", 0, 1}, {"rotate", 1, 0}};
constexpr SettingsOption kTvMode[] = {{"ntsc", 0, 1}, {"pal", 1, 0}};
constexpr SettingsOption kLightFreq[] = {{"50Hz", 0, 0}, {"60Hz", 1, 1}};
constexpr SettingsOption kAutoShutdown[] = {{"off", 0, 0},   {"3Min", 1, 1},  {"5Min", 2, 0},
                                            {"10Min", 3, 0}, {"30Min", 4, 0}, {"60Min", 5, 0}};
constexpr SettingsOption kDateFmt[] = {{"ymd", 0, 1}, {"mdy", 1, 0}, {"dmy", 2, 0}};
constexpr SettingsOption kOsd[] = {{"off", 0, 0}, {"on", 1, 1}};
constexpr SettingsOption kOpBeep[] = {{"off", 0, 0}, {"on", 1, 1}};
constexpr SettingsOption kFormat[] = {{"false", 0, 1}, {"true", 1, 0}};

constexpr SettingsKey kModeKeys[] = {Key("mode_1", kMode1), Key("mode_2", kMode2), Key("mode_3", kMode3)};
constexpr SettingsKey kVideoKeys[] = {
    Key("video_quality", kVideoQuality), Key("fov", kFov),         Key("timelapse", kTimelapse),
    Key("video_stamp", kStamp),          Key("mic_vol", kMicVol),  Key("auto_rec", kAutoRec),
    Key("loop_rec", kLoopRec),           Key("rec_beep", kRecBeep)};
constexpr SettingsKey kPhotoKeys[] = {Key("photo_quality", kPhotoQuality), Key("auto_shoot", kAutoShoot),
                                      Key("photo_stamp", kStamp), Key("photo_burst", kPhotoBurst)};
constexpr SettingsKey kImageKeys[] = {Key("image_meter", kImageMeter), Key("image_iso", kImageIso),
                                      Key("image_wb", kImageWb), Key("image_ev", kImageEv),
                                      Key("image_sharpness", kImageSharpness)};
constexpr SettingsKey kSystemKeys[] = {SettingsKey{"sync_clock", nullptr, 0},
                                       Key("image_rotate", kImageRotate),
                                       Key("tvmode", kTvMode),
                                       Key("lightfreq", kLightFreq),
                                       Key("auto_shutdown", kAutoShutdown),
                                       Key("datefmt", kDateFmt),
                                       Key("osd", kOsd),
                                       Key("op_beep", kOpBeep),
                                       Key("format", kFormat)};

template <std::size_t N>
constexpr SettingsSection Section(const char* name, const SettingsKey (&keys)[N]) {
    return SettingsSection{name, keys, static_cast<int>(N)};
}

const SettingsKey& KeyAt(int section, int key) { return kSettingsSchema[section].keys[key]; }

}  // namespace

const std::array<SettingsSection, kSectionCount> kSettingsSchema = {
    Section("mode", kModeKeys), Section("video", kVideoKeys), Section("photo", kPhotoKeys),
    Section("image", kImageKeys), Section("system", kSystemKeys)};

int KeyCount(int section) { return kSettingsSchema[section].key_count; }

std::string KeyName(int section, int key) { return KeyAt(section, key).name; }

int OptionCount(int section, int key) { return KeyAt(section, key).option_count; }

std::string OptionText(int section, int key, int index) { return KeyAt(section, key).options[index].text; }

int FindOptionIndex(int section, int key, std::string_view text, int limit) {
    const SettingsKey& k = KeyAt(section, key);
    const int end = std::min(limit, k.option_count);
    for (int i = 0; i < end; ++i) {
        if (text == k.options[i].text) return i;
    }
    return 0;
}

int DefaultOptionIndex(int section, int key) {
    const SettingsKey& k = KeyAt(section, key);
    for (int i = 0; i < k.option_count; ++i) {
        if (k.options[i].is_default == 1) return i;
    }
    return 0;
}

int ClampOptionIndex(int section, int key, int index) {
    const int count = OptionCount(section, key);
    if (count == 0 || index < 0) return 0;
    return std::min(index, count - 1);
}

bool FindKeyByName(std::string_view name, int* section, int* key) {
    for (int s = 0; s < kSectionCount; ++s) {
        for (int k = 0; k < KeyCount(s); ++k) {
            if (name == KeyAt(s, k).name) {
                *section = s;
                *key = k;
                return true;
            }
        }
    }
    return false;
}

}  // namespace quillmar
