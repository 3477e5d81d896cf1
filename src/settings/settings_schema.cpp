// The fixed table of sections, keys and options, and lookups in it.
#include "settings/settings_schema.h"

#include <algorithm>

namespace quillmar {

namespace {

template <std::size_t N>
constexpr SettingsKey Key(const char16_t* name, const SettingsOption (&options)[N]) {
    return SettingsKey{name, options, static_cast<int>(N)};
}

// --- mode ---
constexpr SettingsOption kMode1[] = {{u"2304x1296p 30", 0, 0}, {u"1920x1080p 60", 1, 1}, {u"1920x1080p 30", 2, 0}};
constexpr SettingsOption kMode2[] = {{u"1280x720p 120", 0, 1}, {u"1280x720p 60", 1, 0}, {u"1280x720p 30", 2, 0}};
constexpr SettingsOption kMode3[] = {{u"16M", 0, 1}, {u"12M", 1, 0}, {u"8M", 2, 0}, {u"5M", 3, 0}};

// --- video ---
constexpr SettingsOption kVideoQuality[] = {{u"sfine", 0, 1}, {u"fine", 1, 0}, {u"normal", 2, 0}};
constexpr SettingsOption kFov[] = {{u"wide", 0, 1}, {u"normal", 0, 0}, {u"narrow", 0, 0}};
constexpr SettingsOption kTimelapse[] = {{u"off", 0, 1}, {u"1s", 0, 0},  {u"2s", 0, 0}, {u"5s", 0, 0},
                                         {u"10s", 0, 0}, {u"30s", 0, 0}, {u"60s", 0, 0}};
constexpr SettingsOption kStamp[] = {{u"off", 0, 1}, {u"time", 0, 0}, {u"date", 0, 0}, {u"Date&Time", 0, 0}};
constexpr SettingsOption kMicVol[] = {{u"mute", 0, 0}, {u"50%", 1, 0}, {u"60%", 2, 0}, {u"70%", 3, 0},
                                      {u"80%", 4, 1},  {u"90%", 5, 0}, {u"100%", 6, 0}};
constexpr SettingsOption kAutoRec[] = {{u"off", 0, 1}, {u"on", 1, 0}};
constexpr SettingsOption kLoopRec[] = {{u"off", 0, 1}, {u"2min", 1, 0}, {u"3min", 1, 0}, {u"5min", 1, 0}};
constexpr SettingsOption kRecBeep[] = {{u"off", 0, 1}, {u"5min", 1, 0}, {u"10min", 1, 0}, {u"15min", 1, 0}};

// --- photo ---
constexpr SettingsOption kPhotoQuality[] = {{u"sfine", 0, 1}, {u"fine", 1, 0}, {u"normal", 2, 0}};
constexpr SettingsOption kAutoShoot[] = {{u"off", 0, 0}, {u"1s", 0, 0},  {u"2s", 0, 0},  {u"3s", 0, 1},
                                         {u"5s", 0, 0},  {u"10s", 0, 0}, {u"30s", 0, 0}, {u"60s", 0, 0}};
constexpr SettingsOption kPhotoBurst[] = {{u"off", 0, 1}, {u"3p", 0, 0}, {u"5p", 0, 0}, {u"10p", 0, 0}, {u"20p", 0, 0}};

// --- image ---
constexpr SettingsOption kImageMeter[] = {{u"spot", 0, 0}, {u"multi", 1, 0}, {u"center", 2, 1}};
constexpr SettingsOption kImageIso[] = {{u"auto", 0, 1}, {u"100", 1, 0},  {u"200", 2, 0}, {u"400", 3, 0},
                                        {u"800", 4, 0},  {u"1600", 5, 0}, {u"3200", 6, 0}};
constexpr SettingsOption kImageWb[] = {{u"auto", 0, 1}, {u"cloudy", 1, 0}, {u"incencas", 2, 0}};
constexpr SettingsOption kImageEv[] = {{u"-2.0", 0, 0}, {u"-1.7", 1, 0}, {u"-1.3", 2, 0},  {u"-1.0", 3, 0},
                                       {u"-0.7", 4, 0}, {u"-0.3", 5, 0}, {u"0.0", 6, 1},   {u"+0.3", 7, 0},
                                       {u"+0.7", 8, 0}, {u"+1.0", 9, 0}, {u"+1.3", 10, 0}, {u"+1.7", 11, 0},
                                       {u"+2.0", 12, 0}};
constexpr SettingsOption kImageSharpness[] = {{u"1", 0, 0}, {u"2", 1, 0}, {u"3", 2, 1}, {u"4", 3, 0}, {u"5", 4, 0}};

// --- system ---
constexpr SettingsOption kImageRotate[] = {{u"normal", 0, 1}, {u"rotate", 1, 0}};
constexpr SettingsOption kTvMode[] = {{u"ntsc", 0, 1}, {u"pal", 1, 0}};
constexpr SettingsOption kLightFreq[] = {{u"50Hz", 0, 0}, {u"60Hz", 1, 1}};
constexpr SettingsOption kAutoShutdown[] = {{u"off", 0, 0},   {u"3Min", 1, 1},  {u"5Min", 2, 0},
                                            {u"10Min", 3, 0}, {u"30Min", 4, 0}, {u"60Min", 5, 0}};
constexpr SettingsOption kDateFmt[] = {{u"ymd", 0, 1}, {u"mdy", 1, 0}, {u"dmy", 2, 0}};
constexpr SettingsOption kOsd[] = {{u"off", 0, 0}, {u"on", 1, 1}};
constexpr SettingsOption kOpBeep[] = {{u"off", 0, 0}, {u"on", 1, 1}};
constexpr SettingsOption kFormat[] = {{u"false", 0, 1}, {u"true", 1, 0}};

constexpr SettingsKey kModeKeys[] = {Key(u"mode_1", kMode1), Key(u"mode_2", kMode2), Key(u"mode_3", kMode3)};
constexpr SettingsKey kVideoKeys[] = {
    Key(u"video_quality", kVideoQuality), Key(u"fov", kFov),         Key(u"timelapse", kTimelapse),
    Key(u"video_stamp", kStamp),          Key(u"mic_vol", kMicVol),  Key(u"auto_rec", kAutoRec),
    Key(u"loop_rec", kLoopRec),           Key(u"rec_beep", kRecBeep)};
constexpr SettingsKey kPhotoKeys[] = {Key(u"photo_quality", kPhotoQuality), Key(u"auto_shoot", kAutoShoot),
                                      Key(u"photo_stamp", kStamp), Key(u"photo_burst", kPhotoBurst)};
constexpr SettingsKey kImageKeys[] = {Key(u"image_meter", kImageMeter), Key(u"image_iso", kImageIso),
                                      Key(u"image_wb", kImageWb), Key(u"image_ev", kImageEv),
                                      Key(u"image_sharpness", kImageSharpness)};
constexpr SettingsKey kSystemKeys[] = {SettingsKey{u"sync_clock", nullptr, 0},
                                       Key(u"image_rotate", kImageRotate),
                                       Key(u"tvmode", kTvMode),
                                       Key(u"lightfreq", kLightFreq),
                                       Key(u"auto_shutdown", kAutoShutdown),
                                       Key(u"datefmt", kDateFmt),
                                       Key(u"osd", kOsd),
                                       Key(u"op_beep", kOpBeep),
                                       Key(u"format", kFormat)};

template <std::size_t N>
constexpr SettingsSection Section(const char16_t* name, const SettingsKey (&keys)[N]) {
    return SettingsSection{name, keys, static_cast<int>(N)};
}

const SettingsKey& KeyAt(int section, int key) { return kSettingsSchema[section].keys[key]; }

}  // namespace

const std::array<SettingsSection, kSectionCount> kSettingsSchema = {
    Section(u"mode", kModeKeys), Section(u"video", kVideoKeys), Section(u"photo", kPhotoKeys),
    Section(u"image", kImageKeys), Section(u"system", kSystemKeys)};

int KeyCount(int section) { return kSettingsSchema[section].key_count; }

QString KeyName(int section, int key) { return QString::fromUtf16(KeyAt(section, key).name); }

int OptionCount(int section, int key) { return KeyAt(section, key).option_count; }

QString OptionText(int section, int key, int index) {
    return QString::fromUtf16(KeyAt(section, key).options[index].text);
}

int FindOptionIndex(int section, int key, QStringView text, int limit) {
    const SettingsKey& k = KeyAt(section, key);
    const int end = std::min(limit, k.option_count);
    for (int i = 0; i < end; ++i) {
        if (text == QStringView(k.options[i].text)) return i;
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

bool FindKeyByName(QStringView name, int* section, int* key) {
    for (int s = 0; s < kSectionCount; ++s) {
        for (int k = 0; k < KeyCount(s); ++k) {
            if (name == QStringView(KeyAt(s, k).name)) {
                *section = s;
                *key = k;
                return true;
            }
        }
    }
    return false;
}

}  // namespace quillmar
